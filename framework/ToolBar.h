// CToolBar: a row of command buttons on the system's toolbar control, loaded
// from a toolbar resource (the button list) and the bitmap strip of the same id.
// Buttons run their commands' update handlers on idle; a separator may be
// widened to hold a control (a combo box) as a child of the bar.
#pragma once

#include "framework/ControlBar.h"

// Button styles as GetButtonInfo and SetButtonInfo exchange them: the control's
// style in the low word, its state flags in the high word.
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKBOX 0x0002
#define TBBS_GROUP 0x0004
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED 0x00010000
#define TBBS_INDETERMINATE 0x00100000
#define TBBS_DISABLED 0x00040000
#define TBBS_PRESSED 0x00020000

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    // The button list and its bitmap, both of this resource id.
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    // Buttons from command ids (0 = separator); images are taken in order.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    // A separator's image is its width in pixels.
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    int GetButtonCount() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CSize m_sizeImage{16, 15};
    CSize m_sizeButton{23, 22};
    HBITMAP m_hbmImageWell = nullptr;

    void PaintNonClient();
};
