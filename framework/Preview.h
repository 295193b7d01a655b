// Print preview: CView::DoPrintPreview puts a CPreviewView in the main frame
// in place of its client, with a toolbar made from a dialog template, and
// takes it away again when the preview closes.
//
// Each page is drawn by the previewed view as if printing, into an enhanced
// metafile whose reference device is the printer (so GetDeviceCaps and text
// sizes are the printer's), and the metafile is played scaled onto the page
// drawn on screen, rather than every call being scaled through a special DC:
// the pages look the same, and the view draws exactly as it prints.
#pragma once

#include <vector>

#include "framework/View.h"

class CDialogBar;
class CFrameWnd;

// The preview toolbar's standard commands.
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306

// What the frame looked like before the preview, to put it back.
struct CPrintPreviewState {
    CView* pViewActiveOld = nullptr;   // the previewed view
    CView* pFrameViewOld = nullptr;    // the main frame's own active view before
    HMENU hMenu = nullptr;
    std::vector<HWND> hiddenWindows;
    HWND hWndClient = nullptr;  // an MDI client that gives up its pane id meanwhile
    UINT nIDClient = 0;
};

class CPreviewView : public CScrollView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Starts previewing pPrintView; false (and nothing shown) when it cannot print.
    virtual BOOL SetPrintView(CView* pPrintView);
    void SetToolBar(CDialogBar* pToolBar) { m_pToolBar = pToolBar; }
    void SetPreviewState(CPrintPreviewState* pState) { m_pPreviewState = pState; }
    // Ends the preview and gives the frame back its view, bars and menu.
    void ClosePreview();
    // Ends the preview as its Close button does: the previewed view ends its
    // printing and the frame is given back. bPrintViewGoing says that the
    // previewed view is being destroyed: it is then not made active again.
    void EndPreview(bool bPrintViewGoing = false);
    // The preview a frame shows in place of its client, or null.
    static CPreviewView* ShownIn(CFrameWnd* pFrame);

    void OnDraw(CDC* pDC) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    // The page keys turn and scroll the pages, ahead of the previewed
    // window's accelerators (which would make them its own commands).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    struct PAGE_INFO {
        CRect rectScreen;      // where the page is drawn in the view
        CSize sizeUnscaled;    // the page in printer pixels
        CSize sizeScaleRatio;  // screen pixels per printer pixel (cx / cy); cx 0 means "not computed"
        CSize sizeZoomOutRatio;
    };

    CView* m_pPrintView = nullptr;
    CView* m_pOrigView = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    CDC* m_pPreviewDC = nullptr;   // its attribute DC is the printer
    CDC m_dcPrint;                 // the printer
    CDialogBar* m_pToolBar = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;
    UINT m_nZoomState = ZOOM_OUT;
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;             // pages shown at once
    PAGE_INFO m_pageInfo[2] = {};
    PAGE_INFO* m_pPageInfo = m_pageInfo;

protected:
    // Lays the shown pages out in the client area for the zoom state.
    void PositionPages();
    void DrawPage(CDC* pDC, UINT nPage, const CRect& rect);
    // Shows the page (clamped to the document's pages) from its top; false when it is already shown.
    bool GoToPage(UINT nPage);
    // Scrolls by a device distance; at either end of the scroll range the
    // page before or after is shown instead.
    void ScrollOrTurn(int dy);

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);

    DECLARE_MESSAGE_MAP()
};
