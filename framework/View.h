// CView (a window that shows a document) and CScrollView (a view that
// scrolls a page of a given logical size in a mapping mode).
#pragma once

#include "framework/Wnd.h"

class CDocument;
class CFrameWnd;
class CPreviewView;
struct CPrintPreviewState;
struct CCreateContext;

// What printing tells the view; the print loop itself belongs to the program.
struct CPrintInfo {
    PRINTDLGA m_pd{};
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    void SetMinPage(UINT n) { m_nMinPage = n; }
    void SetMaxPage(UINT n) { m_nMaxPage = n; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetFromPage() const { return m_pd.nFromPage; }
    UINT GetToPage() const { return m_pd.nToPage; }
};

#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT, CFrameWnd*) {}
    virtual BOOL IsSelected(const CObject*) const { return FALSE; }

    // Printing hooks for the program's print commands.
    virtual BOOL OnPreparePrinting(CPrintInfo*) { return TRUE; }
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    virtual void OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Shows pPrintView's pages in a pPreviewViewClass view in the main frame,
    // with the toolbar from dialog template nIDResource. On success the
    // preview owns pState and deletes it when it closes.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);
    // Called when a preview of this view closes; the default ends printing and closes it.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    // The print loop for ID_FILE_PRINT (with the print dialog) and ID_FILE_PRINT_DIRECT
    // (the default printer): a view maps those commands to it.
    afx_msg void OnFilePrint();

    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, void* pContext = nullptr) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override { delete this; }

protected:
    CView() = default;
    CDocument* m_pDocument = nullptr;

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    // The page is sizeTotal logical units in nMapMode; a page step and a line step for the scroll bars.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    // The whole page shrinks to the window (no scroll bars).
    void SetScaleToFitSize(SIZE sizeTotal);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    CScrollView() = default;

    int m_nMapMode = 0;
    CSize m_totalLog, m_totalDev, m_pageDev, m_lineDev;
    BOOL m_bCenter = FALSE;
    BOOL m_bInsideUpdate = FALSE;

    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    void OnScroll(int bar, UINT nSBCode);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    DECLARE_MESSAGE_MAP()
};
