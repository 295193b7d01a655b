// CPreviewView: print preview inside the print view's frame. Each page is
// printed once into an enhanced metafile made for the printer and played back
// scaled onto the screen, so the preview shows what the printer gets: one or
// two pages side by side, three zoom steps, next and previous page, print
// from the preview, close.
#pragma once

#include <map>
#include <memory>

#include "framework/DC.h"
#include "framework/View.h"

class CDialogBar;

// The bar of buttons over the preview (the program's dialog resource).
#ifndef AFX_IDD_PREVIEW_TOOLBAR
#define AFX_IDD_PREVIEW_TOOLBAR 10024
#endif

#ifndef AFX_ID_PREVIEW_CLOSE
#define AFX_ID_PREVIEW_CLOSE 0xE300
#endif
#ifndef AFX_ID_PREVIEW_NUMPAGE
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#endif
#ifndef AFX_ID_PREVIEW_NEXT
#define AFX_ID_PREVIEW_NEXT 0xE302
#endif
#ifndef AFX_ID_PREVIEW_PREV
#define AFX_ID_PREVIEW_PREV 0xE303
#endif
#ifndef AFX_ID_PREVIEW_PRINT
#define AFX_ID_PREVIEW_PRINT 0xE304
#endif
#ifndef AFX_ID_PREVIEW_ZOOMIN
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#endif
#ifndef AFX_ID_PREVIEW_ZOOMOUT
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
#endif

// What the frame looked like before the preview; owned by the preview once it runs.
struct CPrintPreviewState {
    CView* pViewActiveOld = nullptr;
    int nIDPrintView = 0;
};

class CPreviewView : public CScrollView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    CView* GetPrintView() const { return m_pPrintView; }
    CPrintInfo* GetPrintInfo() const { return m_pInfo.get(); }
    CDC* GetPrinterDC() { return &m_dcPrint; }
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // Pages shown at once: 1 or 2.
    UINT GetShownPageCount() const { return m_nPages; }
    // 0 the whole page in the window, 1 and 2 larger.
    int GetZoomState() const { return m_nZoomState; }
    // The page printed into a metafile (kept); null when the view has no such page.
    HENHMETAFILE GetPageMetafile(UINT page);
    // Where page slot 0 or 1 lies in the client area; empty when not shown.
    CRect GetPageRect(int slot) const;
    // Where the printable area of that slot lies (inside the page rectangle).
    CRect GetPrintableRect(int slot) const;

    void OnDraw(CDC* pDC) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    // Closes the preview: the print view's OnEndPrintPreview (which frees this view).
    void ClosePreview();

protected:
    friend class CView;
    // Prepares printing on the default printer (no dialog); false when none.
    BOOL PreparePrinting(CView* pPrintView);
    // Gives the frame back to the print view and destroys this window.
    void RestoreFrame();
    bool PageExists(UINT page) { return GetPageMetafile(page) != nullptr; }
    void Relayout();
    double PageScale() const;

    CView* m_pPrintView = nullptr;
    std::unique_ptr<CPrintInfo> m_pInfo;
    CDC m_dcPrint;
    CDialogBar* m_pToolBar = nullptr;
    std::unique_ptr<CPrintPreviewState> m_pState;
    std::map<UINT, HENHMETAFILE> m_pages;
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;
    int m_nZoomState = 0;
    CSize m_pageSize;       // printer pixels, the whole sheet
    CPoint m_pageOffset;    // printer pixels, the unprintable margin
    CSize m_printSize;      // printer pixels, the printable area
    CSize m_printerDpi;

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
