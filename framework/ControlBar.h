// Control bars: windows docked along the edges of a frame (toolbars, the
// status bar, dialog bars). A bar answers the frame's layout request
// (WM_SIZEPARENT) by taking its strip from the room left, runs the update
// handlers of its items on idle, and passes the commands and notifications of
// its child controls on to its owner, the frame.
//
// Docked toolbars live in dock bars (CDockBar), one per frame edge, which lay
// their bars out in rows. Bars are docked by the program; they do not float.
#pragma once

#include <vector>

#include "framework/AfxRes.h"
#include "framework/Frame.h"

// Bar styles (the low word of a bar's style; kept by the bar, not by Windows).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

class CDockBar;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar() = default;
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }
    DWORD GetDockingStyle() const { return m_dwDockStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    BOOL IsVisible() const;
    CFrameWnd* GetDockingFrame() const;
    CDockBar* GetDockBar() const { return m_pDockBar; }
    BOOL IsFloating() const { return FALSE; }
    int GetCount() const;

    // The size the bar wants: full width (or height) when stretched.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Runs the update handlers of the bar's items through pTarget.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

    // Set by the owner when the bar object was allocated with new.
    BOOL m_bAutoDelete = FALSE;
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    // Order of making the windows, so that bars sharing an id can be told apart.
    unsigned m_nCreationOrder = 0;
    static unsigned NextCreationOrder() {
        static unsigned counter = 0;
        return ++counter;
    }

protected:
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 1;
    int m_cyBottomBorder = 1;
    int m_cxDefaultGap = 2;
    UINT m_nMRUWidth = 32767;

    // The room taken by borders and the gripper.
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    void DrawBorders(CDC* pDC, CRect& rect);
    void DrawGripper(CDC* pDC, const CRect& rect);
    // Shows a command's prompt in the frame's message pane, 0 for the idle text.
    void SetStatusPrompt(UINT nID);
    // Makes the bar's window, a common control of the class given (the bar
    // classes are registered the first time), owned by its parent.
    BOOL CreateBarControl(LPCSTR lpszClass, DWORD dwWindowStyle, CWnd* pParentWnd, UINT nID);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    friend class CFrameWnd;
    friend class CDockBar;
    DECLARE_MESSAGE_MAP()
};

// One edge of a frame: holds docked bars in rows and stacks them.
class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    BOOL Create(CFrameWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // Puts the bar into the row that holds the rectangle's top (screen
    // coordinates), or into a new row below; null rectangle: a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    void RemoveControlBar(CControlBar* pBar);
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // The row that holds the bar, -1 when it is not here.
    int FindRow(const CControlBar* pBar) const;
    int BarCount() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

protected:
    struct Slot {
        CControlBar* bar;
        int offset;  // where the bar wants to start along the row
    };
    std::vector<std::vector<Slot>> m_rows;

    // Places the bars when pDWP holds a deferral, which takes the handle each
    // deferral returns; measures only when it is null.
    CSize LayoutRows(HDWP* pDWP, const CRect& rect);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
