#include "framework/Preview.h"

#include <algorithm>

#include "framework/DialogBar.h"
#include "framework/Document.h"
#include "framework/Frame.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

namespace {

// Puts the frame back as it was before a preview: its windows, ids and menu.
void RestoreFrame(CFrameWnd* frame, CPrintPreviewState* state) {
    if (state->hWndClient != nullptr) ::SetWindowLongPtrA(state->hWndClient, GWLP_ID, state->nIDClient);
    for (HWND h : state->hiddenWindows)
        if (::IsWindow(h)) ::ShowWindow(h, SW_SHOWNA);
    state->hiddenWindows.clear();
    if (state->hMenu != nullptr) ::SetMenu(frame->GetSafeHwnd(), state->hMenu);
    frame->RecalcLayout();
}

} // namespace

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState) {
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || !main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) || pState == nullptr) return FALSE;
    auto* frame = static_cast<CFrameWnd*>(main);
    pState->pViewActiveOld = pPrintView;
    pState->pFrameViewOld = frame->GetActiveView();

    // The preview takes the whole client area: everything there now hides,
    // and the window that held the pane id gives it up.
    HWND pane = ::GetDlgItem(frame->GetSafeHwnd(), AFX_IDW_PANE_FIRST);
    for (HWND child = ::GetTopWindow(frame->GetSafeHwnd()); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        // Shown windows, whether or not the frame itself is on screen yet.
        if (::GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) {
            pState->hiddenWindows.push_back(child);
            ::ShowWindow(child, SW_HIDE);
        }
    }
    if (pane != nullptr) {
        pState->hWndClient = pane;
        pState->nIDClient = AFX_IDW_PANE_FIRST;
        ::SetWindowLongPtrA(pane, GWLP_ID, AFX_IDW_PANE_LAST);
    }
    pState->hMenu = ::GetMenu(frame->GetSafeHwnd());
    ::SetMenu(frame->GetSafeHwnd(), nullptr);

    auto* toolbar = new CDialogBar;
    if (!toolbar->Create(frame, nIDResource, CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
        delete toolbar;
        RestoreFrame(frame, pState);
        return FALSE;
    }
    CObject* object = pPreviewViewClass ? pPreviewViewClass->CreateObject() : nullptr;
    if (object == nullptr || !object->IsKindOf(RUNTIME_CLASS(CPreviewView))) {
        delete object;
        toolbar->DestroyWindow();
        delete toolbar;
        RestoreFrame(frame, pState);
        return FALSE;
    }
    auto* preview = static_cast<CPreviewView*>(object);
    preview->m_pOrigView = this;
    preview->SetToolBar(toolbar);
    // The preview is not one of the document's views: no creation context.
    if (!preview->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST)) {
        toolbar->DestroyWindow();
        delete toolbar;
        RestoreFrame(frame, pState);
        return FALSE;
    }
    if (!preview->SetPrintView(pPrintView)) {
        preview->SetToolBar(nullptr);
        preview->DestroyWindow();
        toolbar->DestroyWindow();
        delete toolbar;
        RestoreFrame(frame, pState);
        return FALSE;
    }
    preview->SetPreviewState(pState);
    frame->SetActiveView(preview);
    frame->RecalcLayout();
    preview->SetFocus();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView) {
    OnEndPrinting(pDC, pInfo);
    pView->ClosePreview();
}

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
    delete m_pPreviewInfo;
    if (m_pPreviewDC != nullptr) {
        // Its handles are the printer's, which m_dcPrint deletes.
        m_pPreviewDC->m_hDC = m_pPreviewDC->m_hAttribDC = nullptr;
        delete m_pPreviewDC;
    }
}

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo) || m_pPreviewInfo->m_pd.hDC == nullptr) return FALSE;
    m_dcPrint.Attach(m_pPreviewInfo->m_pd.hDC);
    m_pPreviewDC = new CDC;
    m_pPreviewDC->m_hDC = m_pPreviewDC->m_hAttribDC = m_dcPrint.m_hDC;
    m_pPreviewDC->m_bPrinting = TRUE;
    pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);
    m_nCurrentPage = std::max(1u, m_pPreviewInfo->GetMinPage());
    PositionPages();
    return TRUE;
}

void CPreviewView::PositionPages() {
    if (m_pPreviewDC == nullptr) return;
    HDC printer = m_pPreviewDC->m_hAttribDC;
    int width = ::GetDeviceCaps(printer, PHYSICALWIDTH), height = ::GetDeviceCaps(printer, PHYSICALHEIGHT);
    if (width <= 0 || height <= 0) {
        // Not a real printer: its printable area is the page.
        width = ::GetDeviceCaps(printer, HORZRES);
        height = ::GetDeviceCaps(printer, VERTRES);
    }
    CRect client;
    GetClientRect(&client);
    const int margin = 8;
    double fit = std::min((client.Width() - 2.0 * margin) / (m_nPages * width), (client.Height() - 2.0 * margin) / height);
    // Zoomed all the way in, a page has its real size on the screen.
    HDC screen = ::GetDC(nullptr);
    double real = static_cast<double>(::GetDeviceCaps(screen, LOGPIXELSX)) / std::max(1, ::GetDeviceCaps(printer, LOGPIXELSX));
    ::ReleaseDC(nullptr, screen);
    double scale = m_nZoomState == ZOOM_OUT ? fit : m_nZoomState == ZOOM_IN ? real : (fit + real) / 2;
    scale = std::max(scale, 0.01);
    int pageW = static_cast<int>(width * scale), pageH = static_cast<int>(height * scale);
    int totalW = static_cast<int>(m_nPages) * (pageW + margin) + margin, totalH = pageH + 2 * margin;
    int left = std::max(margin, (client.Width() - totalW) / 2 + margin);
    int top = std::max(margin, (client.Height() - totalH) / 2 + margin);
    for (UINT i = 0; i < m_nPages; ++i) {
        PAGE_INFO& page = m_pageInfo[i];
        page.sizeUnscaled = CSize(width, height);
        page.rectScreen = CRect(CPoint(left + static_cast<int>(i) * (pageW + margin), top), CSize(pageW, pageH));
        page.sizeScaleRatio = CSize(pageW, width);
        if (m_nZoomState == ZOOM_OUT) page.sizeZoomOutRatio = page.sizeScaleRatio;
    }
    SetScrollSizes(MM_TEXT, CSize(std::max(totalW, 1), std::max(totalH, 1)));
}

void CPreviewView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    // A page whose scale was marked as not computed is laid out again (the paper changed).
    if (m_pageInfo[0].sizeScaleRatio.cx == 0) PositionPages();
    CScrollView::OnPrepareDC(pDC, pInfo);
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    // In device units whatever the DC's mapping.
    int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    pDC->RestoreDC(saved);
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC) {
    if (m_pPrintView == nullptr || m_pPreviewDC == nullptr) return;
    UINT last = m_pPreviewInfo->GetMaxPage();
    for (UINT i = 0; i < m_nPages && m_nCurrentPage + i <= last; ++i) DrawPage(pDC, m_nCurrentPage + i, m_pageInfo[i].rectScreen);
}

void CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& rect) {
    // The sheet with its shadow.
    pDC->FillSolidRect(rect.left + 3, rect.top + 3, rect.Width(), rect.Height(), RGB(0, 0, 0));
    pDC->FillSolidRect(&rect, RGB(255, 255, 255));

    HDC printer = m_pPreviewDC->m_hAttribDC;
    CDC reference;
    reference.m_hDC = reference.m_hAttribDC = printer;
    CRect bounds(0, 0, ::GetDeviceCaps(printer, HORZSIZE) * 100, ::GetDeviceCaps(printer, VERTSIZE) * 100);
    CMetaFileDC page;
    BOOL recorded = page.CreateEnhanced(&reference, nullptr, &bounds, nullptr);
    reference.m_hDC = reference.m_hAttribDC = nullptr;
    if (!recorded) return;
    page.m_bPrinting = TRUE;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPrintView->OnPrepareDC(&page, m_pPreviewInfo);
    bool drawn = false;
    if (m_pPreviewInfo->m_bContinuePrinting) {
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(printer, HORZRES), ::GetDeviceCaps(printer, VERTRES));
        page.DPtoLP(&m_pPreviewInfo->m_rectDraw);
        m_pPrintView->OnPrint(&page, m_pPreviewInfo);
        drawn = true;
    }
    HENHMETAFILE emf = page.CloseEnhanced();
    if (emf == nullptr) return;
    if (drawn) {
        // The printable area sits at the printer's offsets on the sheet.
        const PAGE_INFO& info = m_pageInfo[0];
        double scale = static_cast<double>(info.sizeScaleRatio.cx) / std::max(1L, info.sizeScaleRatio.cy);
        int offsetX = ::GetDeviceCaps(printer, PHYSICALOFFSETX), offsetY = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
        CRect target(rect.left + static_cast<int>(offsetX * scale), rect.top + static_cast<int>(offsetY * scale), 0, 0);
        target.right = target.left + static_cast<int>(::GetDeviceCaps(printer, HORZRES) * scale);
        target.bottom = target.top + static_cast<int>(::GetDeviceCaps(printer, VERTRES) * scale);
        int saved = pDC->SaveDC();
        pDC->IntersectClipRect(&rect);
        ::PlayEnhMetaFile(pDC->GetSafeHdc(), emf, &target);
        pDC->RestoreDC(saved);
    }
    ::DeleteEnhMetaFile(emf);
}

void CPreviewView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CPreviewView::ClosePreview() {
    CFrameWnd* frame = GetParentFrame();
    CPrintPreviewState* state = m_pPreviewState;
    CDialogBar* toolbar = m_pToolBar;
    m_pPreviewState = nullptr;
    m_pToolBar = nullptr;
    if (frame != nullptr) frame->SetActiveView(nullptr, FALSE);
    if (toolbar != nullptr) {
        toolbar->DestroyWindow();
        delete toolbar;
    }
    // This view goes now (and deletes itself): only locals from here on.
    DestroyWindow();
    if (frame == nullptr || state == nullptr) {
        delete state;
        return;
    }
    RestoreFrame(frame, state);
    CView* old = state->pViewActiveOld;
    if (state->pFrameViewOld != nullptr) frame->SetActiveView(state->pFrameViewOld);
    if (old != nullptr && old->GetSafeHwnd() != nullptr) {
        CFrameWnd* oldFrame = old->GetParentFrame();
        if (oldFrame != nullptr && oldFrame != frame) oldFrame->SetActiveView(old, FALSE);
        old->SetFocus();
    } else if (frame->GetSafeHwnd() != nullptr) {
        frame->SetFocus();
    }
    delete state;
}

void CPreviewView::EndPreview(bool bPrintViewGoing) {
    // The view that goes must not be made active again, nor be given the focus.
    if (bPrintViewGoing && m_pPreviewState != nullptr) m_pPreviewState->pViewActiveOld = nullptr;
    if (m_pPrintView == nullptr) {
        ClosePreview();
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    m_pPrintView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, point, this);
}

CPreviewView* CPreviewView::ShownIn(CFrameWnd* pFrame) {
    if (pFrame == nullptr) return nullptr;
    CView* view = pFrame->GetActiveView();
    return view != nullptr && view->IsKindOf(RUNTIME_CLASS(CPreviewView)) ? static_cast<CPreviewView*>(view) : nullptr;
}

void CPreviewView::OnPreviewClose() { EndPreview(); }

void CPreviewView::OnPreviewPrint() {
    // Close, then print the view that was previewed.
    CWnd* main = AfxGetMainWnd();
    OnPreviewClose();
    if (main != nullptr) main->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

bool CPreviewView::GoToPage(UINT nPage) {
    if (m_pPreviewInfo == nullptr) return false;
    const UINT first = std::max(1u, m_pPreviewInfo->GetMinPage());
    // The last page that still fills every shown place. A view that sets no
    // page count prints its first page only (CView::OnPrepareDC), so there is
    // nothing to turn to.
    const UINT max = m_pPreviewInfo->GetMaxPage();
    UINT last = max == 0xFFFF ? first : max;
    if (last >= m_nPages) last -= m_nPages - 1;
    nPage = std::clamp(nPage, first, std::max(first, last));
    if (nPage == m_nCurrentPage) return false;
    m_nCurrentPage = nPage;
    ScrollToPosition(CPoint(GetDeviceScrollPosition().x, 0));
    Invalidate();
    return true;
}

void CPreviewView::OnNextPage() { GoToPage(m_nCurrentPage + 1); }

void CPreviewView::OnPrevPage() {
    if (m_nCurrentPage > 1) GoToPage(m_nCurrentPage - 1);
}

void CPreviewView::ScrollOrTurn(int dy) {
    if (dy == 0) return;
    // Within a page taller than the window the text scrolls first.
    if ((GetStyle() & WS_VSCROLL) && OnScrollBy(CSize(0, dy), TRUE)) return;
    const UINT before = m_nCurrentPage;
    if (dy > 0) {
        OnNextPage();
    } else if (m_nCurrentPage > 1) {
        OnPrevPage();
        // Coming back from below, the reader arrives at the foot of the page.
        if (m_nCurrentPage != before) ScrollToPosition(CPoint(GetDeviceScrollPosition().x, m_totalDev.cy));
    }
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    CRect client;
    GetClientRect(&client);
    const int page = std::max(1, client.Height() - client.Height() / 10);
    switch (nChar) {
    case VK_NEXT: ScrollOrTurn(page); break;
    case VK_PRIOR: ScrollOrTurn(-page); break;
    case VK_DOWN: ScrollOrTurn(std::max(1, static_cast<int>(m_lineDev.cy))); break;
    case VK_UP: ScrollOrTurn(-std::max(1, static_cast<int>(m_lineDev.cy))); break;
    case VK_HOME: GoToPage(1); break;
    case VK_END: GoToPage(m_pPreviewInfo != nullptr ? m_pPreviewInfo->GetMaxPage() : 1); break;
    default: CScrollView::OnKeyDown(nChar, nRepCnt, nFlags); break;
    }
}

BOOL CPreviewView::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_NEXT:
        case VK_PRIOR:
        case VK_DOWN:
        case VK_UP:
        case VK_HOME:
        case VK_END:
            OnKeyDown(static_cast<UINT>(pMsg->wParam), LOWORD(pMsg->lParam), HIWORD(pMsg->lParam));
            return TRUE;
        default: break;
        }
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

BOOL CPreviewView::OnMouseWheel(UINT, short zDelta, CPoint) {
    // One notch turns one page while the whole page is in view; zoomed in, the
    // wheel scrolls through the page and on to the next one.
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int notches = -zDelta / WHEEL_DELTA;
    const int step = (GetStyle() & WS_VSCROLL) ? static_cast<int>(lines) * std::max(1, static_cast<int>(m_lineDev.cy)) : 1;
    for (int i = 0; i < std::abs(notches); ++i) ScrollOrTurn(notches > 0 ? step : -step);
    return TRUE;
}

void CPreviewView::OnZoomIn() {
    if (m_nZoomState == ZOOM_IN) return;
    ++m_nZoomState;
    PositionPages();
    Invalidate();
}

void CPreviewView::OnZoomOut() {
    if (m_nZoomState == ZOOM_OUT) return;
    --m_nZoomState;
    PositionPages();
    Invalidate();
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage + m_nPages <= m_pPreviewInfo->GetMaxPage() &&
                   m_pPreviewInfo->GetMaxPage() != 0xFFFF);
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage > std::max(1u, m_pPreviewInfo->GetMinPage()));
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
    CScrollView::OnSize(nType, cx, cy);
    PositionPages();
}

void CPreviewView::OnLButtonDown(UINT, CPoint) {
    // A click zooms in a step, and from all the way in back out.
    m_nZoomState = m_nZoomState == static_cast<UINT>(ZOOM_IN) ? static_cast<UINT>(ZOOM_OUT) : m_nZoomState + 1;
    PositionPages();
    Invalidate();
}

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEWHEEL()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()
