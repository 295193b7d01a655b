#include "framework/View.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Document.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/Preview.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {
constexpr int MM_SCALETOFIT = -1;
}

CView::~CView() {
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

BOOL CView::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID, void* pContext) {
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    // A view inside a frame has the client edge rather than a border.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCTA lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (context != nullptr && context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    // However this view goes (its window or its document closed from anywhere),
    // a preview of it ends first: the preview must never draw from, or end
    // through, a view that no longer exists.
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        CPreviewView* preview = CPreviewView::ShownIn(static_cast<CFrameWnd*>(main));
        if (preview != nullptr && preview != this && (preview->m_pPrintView == this || preview->m_pOrigView == this))
            preview->EndPreview(true);
    }
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
    if (pSender != this) Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    // A document of unknown length prints one page.
    if (pInfo != nullptr) pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
    (void)pDC;
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
    if (bActivate && pActivateView == this) {
        // The view of the active frame takes the keyboard.
        CFrameWnd* frame = GetParentFrame();
        CWnd* top = GetTopLevelParent();
        if (frame != nullptr && top != nullptr && ::GetActiveWindow() == top->GetSafeHwnd() &&
            ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus()))
            SetFocus();
    }
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
    // A click makes this the frame's active view.
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && frame->GetActiveView() != this) frame->SetActiveView(this);
    return result;
}

void CView::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && frame->GetActiveView() != this) frame->SetActiveView(this, FALSE);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return FALSE;
    PRINTDLGA& pd = pInfo->m_pd;
    pd.lStructSize = sizeof(pd);
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        // No dialog: the default printer's settings.
        if (!app->GetPrinterDeviceDefaults(&pd)) return FALSE;
        CDC dc;
        if (!app->CreatePrinterDC(dc)) return FALSE;
        pd.hDC = dc.Detach();
        return TRUE;
    }
    app->GetPrinterDeviceDefaults(&pd);
    pd.hwndOwner = GetTopLevelParent() ? GetTopLevelParent()->GetSafeHwnd() : nullptr;
    pd.Flags |= PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
    pd.nMinPage = static_cast<WORD>(pInfo->m_nMinPage);
    pd.nMaxPage = static_cast<WORD>(pInfo->m_nMaxPage);
    pd.nFromPage = pd.nMinPage;
    pd.nToPage = pd.nMaxPage;
    if (!::PrintDlgA(&pd)) return FALSE;
    app->m_hDevMode = pd.hDevMode;
    app->m_hDevNames = pd.hDevNames;
    return pd.hDC != nullptr;
}

// The print command's page loop is in Print.cpp.

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

// ---- CScrollView ----

namespace {

// Converts a logical size to device units of the screen in the mapping mode.
CSize LogicalToDevice(int mapMode, SIZE size) {
    CSize s(size);
    HDC screen = ::GetDC(nullptr);
    int old = ::SetMapMode(screen, mapMode);
    POINT pts[2] = {{0, 0}, {s.cx, s.cy}};
    ::LPtoDP(screen, pts, 2);
    ::SetMapMode(screen, old);
    ::ReleaseDC(nullptr, screen);
    return CSize(std::abs(pts[1].x - pts[0].x), std::abs(pts[1].y - pts[0].y));
}

} // namespace

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = LogicalToDevice(nMapMode, sizeTotal);
    m_pageDev = LogicalToDevice(nMapMode, sizePage);
    m_lineDev = LogicalToDevice(nMapMode, sizeLine);
    // Defaults: a tenth of the page per page step, a tenth of that per line.
    if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != nullptr) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal) {
    m_nMapMode = MM_SCALETOFIT;
    m_totalLog = sizeTotal;
    if (m_hWnd != nullptr) {
        ShowScrollBar(SB_BOTH, FALSE);
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const {
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const {
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
    if (m_nMapMode == MM_SCALETOFIT) return CPoint(0, 0);
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT) {
        HDC screen = ::GetDC(nullptr);
        int old = ::SetMapMode(screen, m_nMapMode);
        ::DPtoLP(screen, &pt, 1);
        ::SetMapMode(screen, old);
        ::ReleaseDC(nullptr, screen);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
    CPoint dev(pt);
    if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT) {
        HDC screen = ::GetDC(nullptr);
        int old = ::SetMapMode(screen, m_nMapMode);
        ::LPtoDP(screen, &dev, 1);
        ::SetMapMode(screen, old);
        ::ReleaseDC(nullptr, screen);
        // Fixed modes have y upwards: the page runs down from 0.
        dev.y = std::abs(dev.y);
    }
    ScrollToDevicePosition(dev);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev) {
    CPoint old = GetDeviceScrollPosition();
    int maxX = 0, maxY = 0;
    CRect client;
    GetClientRect(&client);
    maxX = std::max(0, static_cast<int>(m_totalDev.cx) - client.Width());
    maxY = std::max(0, static_cast<int>(m_totalDev.cy) - client.Height());
    CPoint pos(std::clamp(static_cast<int>(ptDev.x), 0, maxX), std::clamp(static_cast<int>(ptDev.y), 0, maxY));
    SetScrollPos(SB_HORZ, pos.x);
    SetScrollPos(SB_VERT, pos.y);
    ScrollWindow(old.x - pos.x, old.y - pos.y);
}

void CScrollView::UpdateBars() {
    if (m_bInsideUpdate || m_nMapMode == MM_SCALETOFIT) return;
    m_bInsideUpdate = TRUE;
    CRect client;
    GetClientRect(&client);
    // The room without bars decides whether each bar is needed.
    DWORD style = GetStyle();
    CSize room(client.Width() + ((style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
               client.Height() + ((style & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0));
    bool needH = m_totalDev.cx > room.cx;
    bool needV = m_totalDev.cy > room.cy;
    if (needH && !needV) needV = m_totalDev.cy > room.cy - ::GetSystemMetrics(SM_CYHSCROLL);
    if (needV && !needH) needH = m_totalDev.cx > room.cx - ::GetSystemMetrics(SM_CXVSCROLL);
    CSize view(room.cx - (needV ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
               room.cy - (needH ? ::GetSystemMetrics(SM_CYHSCROLL) : 0));
    CPoint pos = GetDeviceScrollPosition();
    if (!needH) pos.x = 0;
    if (!needV) pos.y = 0;
    pos.x = std::min(static_cast<int>(pos.x), std::max(0, static_cast<int>(m_totalDev.cx - view.cx)));
    pos.y = std::min(static_cast<int>(pos.y), std::max(0, static_cast<int>(m_totalDev.cy - view.cy)));
    ScrollToDevicePosition(pos);
    SCROLLINFO info{};
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = needH ? m_totalDev.cx - 1 : 0;
    info.nPage = needH ? static_cast<UINT>(view.cx) : 0;
    info.nPos = pos.x;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    info.nMax = needV ? m_totalDev.cy - 1 : 0;
    info.nPage = needV ? static_cast<UINT>(view.cy) : 0;
    info.nPos = pos.y;
    SetScrollInfo(SB_VERT, &info, TRUE);
    ShowScrollBar(SB_HORZ, needH);
    ShowScrollBar(SB_VERT, needV);
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    if (m_nMapMode == MM_SCALETOFIT) {
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog);
        CRect client;
        GetClientRect(&client);
        pDC->SetViewportExt(client.Size());
    } else if (m_nMapMode != 0) {
        pDC->SetMapMode(m_nMapMode);
    }
    CPoint origin(0, 0);
    if (!pDC->IsPrinting() && m_nMapMode != MM_SCALETOFIT) {
        origin = -GetDeviceScrollPosition();
        if (m_bCenter) {
            CRect client;
            GetClientRect(&client);
            if (m_totalDev.cx < client.Width()) origin.x = (client.Width() - m_totalDev.cx) / 2;
            if (m_totalDev.cy < client.Height()) origin.y = (client.Height() - m_totalDev.cy) / 2;
        }
    }
    pDC->SetViewportOrg(origin);
    CView::OnPrepareDC(pDC, pInfo);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
    CPoint pos = GetDeviceScrollPosition();
    CPoint target = pos + sizeScroll;
    if (!bDoScroll) return target != pos;
    ScrollToDevicePosition(target);
    return GetDeviceScrollPosition() != pos;
}

void CScrollView::OnScroll(int bar, UINT nSBCode) {
    bool horz = bar == SB_HORZ;
    int line = horz ? m_lineDev.cx : m_lineDev.cy;
    int page = horz ? m_pageDev.cx : m_pageDev.cy;
    int total = horz ? m_totalDev.cx : m_totalDev.cy;
    int pos = GetScrollPos(bar);
    switch (nSBCode) {
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = total; break;
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        GetScrollInfo(bar, &info, SIF_TRACKPOS);
        pos = info.nTrackPos;
        break;
    }
    default: return;
    }
    CPoint target = GetDeviceScrollPosition();
    (horz ? target.x : target.y) = pos;
    ScrollToDevicePosition(target);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (m_nMapMode == MM_SCALETOFIT) Invalidate(TRUE);
    else if (m_nMapMode != 0) UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != nullptr && pScrollBar->GetSafeHwnd() != nullptr) return;
    OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != nullptr && pScrollBar->GetSafeHwnd() != nullptr) return;
    OnScroll(SB_VERT, nSBCode);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint) {
    if (!(GetStyle() & WS_VSCROLL) || m_lineDev.cy == 0) return FALSE;
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int delta = -zDelta * static_cast<int>(lines) * m_lineDev.cy / WHEEL_DELTA;
    return OnScrollBy(CSize(0, delta), TRUE);
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush) {
    CRect client;
    GetClientRect(&client);
    CPoint origin = -GetDeviceScrollPosition();
    CRect page(origin, m_totalDev);
    CRgn outside, inside;
    outside.CreateRectRgnIndirect(&client);
    inside.CreateRectRgnIndirect(&page);
    outside.CombineRgn(&outside, &inside, RGN_DIFF);
    // In device units, whatever the mapping mode of the DC.
    int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    pDC->FillRgn(&outside, pBrush);
    pDC->RestoreDC(saved);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly) {
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr) return;
    CRect rect(CPoint(0, 0), m_totalDev);
    ::AdjustWindowRectEx(&rect, GetStyle() & ~(WS_HSCROLL | WS_VSCROLL), FALSE, GetExStyle());
    CRect frameRect, viewRect;
    frame->GetWindowRect(&frameRect);
    GetWindowRect(&viewRect);
    CSize extra(frameRect.Width() - viewRect.Width(), frameRect.Height() - viewRect.Height());
    CSize size(rect.Width() + extra.cx, rect.Height() + extra.cy);
    if (bShrinkOnly) {
        size.cx = std::min(size.cx, static_cast<LONG>(frameRect.Width()));
        size.cy = std::min(size.cy, static_cast<LONG>(frameRect.Height()));
    }
    frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()
