// The Working dialog of every long computation and its progress bars.
//
// A computation runs on the user-interface thread; between steps it calls the
// dialog's message pump so that the dialog repaints and Cancel can be pressed.
// Cancel stops nothing by itself: it clears an int flag that belongs to the
// caller, who tests it before the next step.
#pragma once

#include <vector>

#include "framework/Dialog.h"
#include "framework/Gdi.h"

// A filled bar with a centred label whose text changes colour where the
// filled part ends. A child window of its own class; it paints from
// WM_ERASEBKGND and when its position rises, never from WM_PAINT.
class CProgressBarsWnd : public CWnd
{
public:
    CProgressBarsWnd();
    ~CProgressBarsWnd() override;

    // 1 when created; 0 when already created or a brush or the window failed.
    int Create(CWnd* parent, int x, int y, int width, int height, int clientEdge, int showText,
               COLORREF barColour, COLORREF backgroundColour);
    // Paints the whole bar empty; the percent and the highest percent drawn become 0.
    void Reset();
    // Stores the counts and fills pos/range of the bar (drawn only when the
    // percent rises above the highest drawn so far).
    void SetPos(int pos, int range, int current, int total);

    // Label forms: "Division %d of %d" wins over "Rock %d of %d", else "Time step %d of %d".
    void SetDivisionLabel(BOOL on) { m_bDivisionLabel = on ? 1 : 0; }
    void SetRockLabel(BOOL on) { m_bRockLabel = on ? 1 : 0; }
    BOOL IsDivisionLabel() const { return m_bDivisionLabel != 0; }

    int GetCurrent() const { return m_nCurrent; }
    int GetTotal() const { return m_nTotal; }
    int GetPercent() const { return m_nPercent; }
    BOOL IsTextShown() const { return m_bTextShown != 0; }
    // The label last drawn.
    const char* GetLabel() const { return m_szText; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void FormatLabel(bool percentWhenNoCounts);
    void Draw(HDC dc, bool withText);
    void ReadTextMetrics();

    int m_nCurrent = 0;
    int m_nTotal = 0;
    BYTE m_bRockLabel = 1;
    BYTE m_bDivisionLabel = 0;
    CString m_strClassName;
    COLORREF m_barColour = RGB(0, 0, 128);
    COLORREF m_backgroundColour = RGB(192, 192, 192);
    CBrush m_barBrush;
    CBrush m_backgroundBrush;
    RECT m_clientRect{};
    RECT m_filledRect{};
    RECT m_emptyRect{};
    TEXTMETRICA m_textMetrics{};
    int m_nX = 0;
    int m_nY = 0;
    int m_nLastPos = 0;
    UINT m_nSavedAlign = 0;
    int m_nTextX = 0;
    int m_nTextY = 0;
    int m_nPercent = 0;
    int m_nHighestPercent = 0;
    int m_bAutoText = 0;
    int m_bTextShown = 0;
    int m_bClientEdge = 0;
    int m_bBarBrushMade = 0;
    int m_bBackgroundBrushMade = 0;
    int m_bCreated = 0;
    char m_szText[80] = {};
};

// The modeless "Working" dialog: a message line, two progress bars and Cancel.
// While it exists every top-level window of the program is disabled, so the
// user can reach only its Cancel button and nothing can start a second
// computation from another window.
class CWorkingDlg : public CDialog
{
public:
    // Creates and shows the dialog at once. A null title gives "Working", a
    // null text "Click Cancel to cancel the operation"; an empty text leaves
    // the message line empty.
    CWorkingDlg(int* runFlag, const char* title, const char* text);
    ~CWorkingDlg() override;

    CWorkingDlg(const CWorkingDlg&) = delete;
    CWorkingDlg& operator=(const CWorkingDlg&) = delete;

    // Processes every pending message, then the application's idle work.
    // 0 when the application is quitting (the quit is posted again so that
    // the application's own loop still ends), else 1. Once the dialog is
    // closed nothing is pumped (1).
    int PumpMessages();
    // 0 when the dialog window no longer exists.
    int SetProgress(int percent, int current, int total);
    int SetSecondaryProgress(int percent, int current, int total);
    // Enables the windows disabled at creation and destroys the dialog
    // window; 0 when the window no longer exists.
    int Close();

    CProgressBarsWnd& GetFirstBar() { return m_firstBar; }
    CProgressBarsWnd& GetSecondBar() { return m_secondBar; }

    // True while any Working dialog is up.
    static bool IsAnyOpen() { return s_openCount > 0; }

protected:
    void OnCancel() override;

private:
    static int SetBar(CWorkingDlg& dlg, CProgressBarsWnd& bar, int percent, int current, int total);
    void DisableTopLevelWindows();
    void EnableTopLevelWindows();

    int* m_pRunFlag;
    CProgressBarsWnd m_firstBar;
    CProgressBarsWnd m_secondBar;
    // The windows this dialog disabled, to be enabled again at Close.
    std::vector<HWND> m_disabled;
    HWND m_hWndPreviouslyActive = nullptr;
    bool m_bOpen = false;
    static inline int s_openCount = 0;
};
