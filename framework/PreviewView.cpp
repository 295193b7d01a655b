#include "framework/PreviewView.h"

#include <algorithm>

#include "framework/AfxRes.h"
#include "framework/DialogBar.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

namespace {
constexpr int kGap = 16;           // pixels around and between the pages
const double kZoomSteps[] = {1.0, 2.0, 4.0};
}  // namespace

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    for (auto& page : m_pages)
        if (page.second != nullptr)
            ::DeleteEnhMetaFile(page.second);
    m_pages.clear();
    if (m_dcPrint.m_hDC != nullptr)
        m_dcPrint.DeleteDC();
}

BOOL CPreviewView::PreparePrinting(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pInfo = std::make_unique<CPrintInfo>();
    m_pInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pInfo.get()) || m_pInfo->m_pd.hDC == nullptr)
        return FALSE;
    m_dcPrint.Attach(m_pInfo->m_pd.hDC);
    m_pInfo->m_pd.hDC = nullptr;
    m_dcPrint.m_bPrinting = TRUE;
    HDC h = m_dcPrint.GetSafeHdc();
    m_printSize = CSize(::GetDeviceCaps(h, HORZRES), ::GetDeviceCaps(h, VERTRES));
    m_pageSize = CSize(::GetDeviceCaps(h, PHYSICALWIDTH), ::GetDeviceCaps(h, PHYSICALHEIGHT));
    m_pageOffset = CPoint(::GetDeviceCaps(h, PHYSICALOFFSETX), ::GetDeviceCaps(h, PHYSICALOFFSETY));
    m_printerDpi = CSize(::GetDeviceCaps(h, LOGPIXELSX), ::GetDeviceCaps(h, LOGPIXELSY));
    if (m_pageSize.cx < m_printSize.cx || m_pageSize.cy < m_printSize.cy) {
        m_pageSize = m_printSize;
        m_pageOffset = CPoint(0, 0);
    }
    if (m_printSize.cx <= 0 || m_printSize.cy <= 0)
        return FALSE;
    pPrintView->OnBeginPrinting(&m_dcPrint, m_pInfo.get());
    return TRUE;
}

HENHMETAFILE CPreviewView::GetPageMetafile(UINT page)
{
    if (page < m_pInfo->GetMinPage() || page > m_pInfo->GetMaxPage() || m_pPrintView == nullptr)
        return nullptr;
    auto found = m_pages.find(page);
    if (found != m_pages.end())
        return found->second;

    HDC printer = m_dcPrint.GetSafeHdc();
    // The frame is in hundredths of a millimetre: the printable area.
    RECT frame{0, 0, MulDiv(m_printSize.cx, 2540, m_printerDpi.cx), MulDiv(m_printSize.cy, 2540, m_printerDpi.cy)};
    HDC meta = ::CreateEnhMetaFileA(printer, nullptr, &frame, nullptr);
    if (meta == nullptr)
        return nullptr;
    CDC pageDC;
    pageDC.m_hDC = meta;
    pageDC.m_hAttribDC = printer;
    pageDC.m_bPrinting = TRUE;
    m_pInfo->m_nCurPage = page;
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&pageDC, m_pInfo.get());
    bool exists = m_pInfo->m_bContinuePrinting != FALSE;
    if (exists) {
        m_pInfo->m_rectDraw.SetRect(0, 0, m_printSize.cx, m_printSize.cy);
        m_pPrintView->OnPrint(&pageDC, m_pInfo.get());
    }
    pageDC.m_hDC = nullptr;
    pageDC.m_hAttribDC = nullptr;
    HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
    if (!exists) {
        ::DeleteEnhMetaFile(emf);
        emf = nullptr;
    }
    m_pages[page] = emf;
    return emf;
}

double CPreviewView::PageScale() const
{
    if (m_pageSize.cx <= 0 || m_pageSize.cy <= 0)
        return 0.0;
    CRect client;
    GetClientRect(&client);
    const double n = static_cast<double>(m_nZoomState == 0 ? m_nPages : 1);
    double sx = (client.Width() - (n + 1) * kGap) / (n * m_pageSize.cx);
    double sy = (client.Height() - 2.0 * kGap) / m_pageSize.cy;
    double fit = std::max(std::min(sx, sy), 0.01);
    return fit * kZoomSteps[m_nZoomState];
}

CRect CPreviewView::GetPageRect(int slot) const
{
    const UINT shown = m_nZoomState == 0 ? m_nPages : 1;
    if (slot < 0 || static_cast<UINT>(slot) >= shown)
        return CRect(0, 0, 0, 0);
    double s = PageScale();
    int w = static_cast<int>(m_pageSize.cx * s + 0.5);
    int h = static_cast<int>(m_pageSize.cy * s + 0.5);
    CRect client;
    GetClientRect(&client);
    int total = static_cast<int>(shown) * w + (static_cast<int>(shown) - 1) * kGap;
    int left = std::max(kGap, (client.Width() - total) / 2) + slot * (w + kGap);
    int top = std::max(kGap, (client.Height() - h) / 2);
    return CRect(left, top, left + w, top + h);
}

CRect CPreviewView::GetPrintableRect(int slot) const
{
    CRect page = GetPageRect(slot);
    if (page.IsRectEmpty())
        return page;
    double s = PageScale();
    int left = page.left + static_cast<int>(m_pageOffset.x * s + 0.5);
    int top = page.top + static_cast<int>(m_pageOffset.y * s + 0.5);
    return CRect(left, top, left + static_cast<int>(m_printSize.cx * s + 0.5),
                 top + static_cast<int>(m_printSize.cy * s + 0.5));
}

void CPreviewView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CScrollView::OnPrepareDC(pDC, pInfo);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    // The scrolled area may be larger than the window when zoomed.
    CSize total = GetTotalSize();
    CRect area(0, 0, std::max(client.Width(), static_cast<int>(total.cx)),
               std::max(client.Height(), static_cast<int>(total.cy)));
    ::FillRect(pDC->GetSafeHdc(), &area, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    const UINT shown = m_nZoomState == 0 ? m_nPages : 1;
    for (UINT slot = 0; slot < shown; ++slot) {
        HENHMETAFILE emf = GetPageMetafile(m_nCurrentPage + slot);
        if (emf == nullptr)
            break;
        CRect page = GetPageRect(static_cast<int>(slot));
        CRect shadow = page;
        shadow.OffsetRect(4, 4);
        ::FillRect(pDC->GetSafeHdc(), &shadow, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::FillRect(pDC->GetSafeHdc(), &page, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FrameRect(pDC->GetSafeHdc(), &page, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        CRect printable = GetPrintableRect(static_cast<int>(slot));
        int saved = ::SaveDC(pDC->GetSafeHdc());
        ::IntersectClipRect(pDC->GetSafeHdc(), page.left, page.top, page.right, page.bottom);
        ::PlayEnhMetaFile(pDC->GetSafeHdc(), emf, &printable);
        ::RestoreDC(pDC->GetSafeHdc(), saved);
    }
}

void CPreviewView::Relayout()
{
    CRect client;
    GetClientRect(&client);
    if (m_nZoomState == 0) {
        SetScrollSizes(MM_TEXT, CSize(std::max(1, client.Width()), std::max(1, client.Height())));
    } else {
        CRect page = GetPageRect(0);
        SetScrollSizes(MM_TEXT, CSize(page.right + kGap, page.bottom + kGap));
    }
    Invalidate(TRUE);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_pInfo != nullptr && cx > 0 && cy > 0)
        Relayout();
}

void CPreviewView::OnNextPage()
{
    if (PageExists(m_nCurrentPage + 1)) {
        ++m_nCurrentPage;
        Invalidate(TRUE);
    }
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > m_pInfo->GetMinPage()) {
        --m_nCurrentPage;
        Invalidate(TRUE);
    }
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    Relayout();
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoomState < 2) {
        ++m_nZoomState;
        Relayout();
    }
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoomState > 0) {
        --m_nZoomState;
        Relayout();
    }
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(PageExists(m_nCurrentPage + 1)); }
void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nCurrentPage > m_pInfo->GetMinPage()); }
void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState < 2); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState > 0); }

void CPreviewView::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_NEXT: OnNextPage(); break;
    case VK_PRIOR: OnPrevPage(); break;
    case VK_ESCAPE: OnPreviewClose(); break;
    default: break;
    }
}

void CPreviewView::OnPreviewClose() { ClosePreview(); }

void CPreviewView::ClosePreview()
{
    CPoint none(0, 0);
    // May destroy this view: nothing after it touches a member.
    m_pPrintView->OnEndPrintPreview(&m_dcPrint, m_pInfo.get(), none, this);
}

void CPreviewView::OnPreviewPrint()
{
    CFrameWnd* frame = GetParentFrame();
    HWND frameWnd = frame != nullptr ? frame->GetSafeHwnd() : nullptr;
    ClosePreview();
    // The print view is active again and takes the Print command as from the menu.
    if (frameWnd != nullptr)
        ::PostMessageA(frameWnd, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::RestoreFrame()
{
    CFrameWnd* frame = GetParentFrame();
    if (m_pToolBar != nullptr) {
        m_pToolBar->DestroyWindow();
        m_pToolBar = nullptr;
    }
    if (m_pPrintView != nullptr && m_pPrintView->GetSafeHwnd() != nullptr) {
        m_pPrintView->SetDlgCtrlID(m_pState != nullptr ? m_pState->nIDPrintView : AFX_IDW_PANE_FIRST);
        m_pPrintView->ShowWindow(SW_SHOW);
    }
    SetDlgCtrlID(0);
    ShowWindow(SW_HIDE);
    if (frame != nullptr) {
        CView* active = m_pState != nullptr && m_pState->pViewActiveOld != nullptr ? m_pState->pViewActiveOld
                                                                                  : m_pPrintView;
        frame->SetActiveView(active);
        frame->RecalcLayout();
    }
    if (m_pPrintView != nullptr && m_pPrintView->GetSafeHwnd() != nullptr)
        m_pPrintView->SetFocus();
    DestroyWindow();  // deletes this
}

// ---- CView's side of the preview ------------------------------------------------

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    CFrameWnd* frame = pPrintView != nullptr ? pPrintView->GetParentFrame() : nullptr;
    if (frame == nullptr || pPreviewViewClass == nullptr || pState == nullptr)
        return FALSE;
    CObject* object = pPreviewViewClass->CreateObject();
    auto* preview = dynamic_cast<CPreviewView*>(object);
    if (preview == nullptr) {
        delete object;
        return FALSE;
    }
    if (!preview->PreparePrinting(pPrintView)) {
        delete preview;
        return FALSE;
    }

    auto* bar = new CDialogBar;
    if (!bar->Create(frame, nIDResource, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
        delete bar;
        pPrintView->OnEndPrinting(preview->GetPrinterDC(), preview->GetPrintInfo());
        delete preview;
        return FALSE;
    }
    bar->m_bAutoDelete = TRUE;

    pState->pViewActiveOld = frame->GetActiveView();
    pState->nIDPrintView = pPrintView->GetDlgCtrlID();
    pPrintView->SetDlgCtrlID(AFX_IDW_PANE_LAST);
    pPrintView->ShowWindow(SW_HIDE);

    CRect client;
    frame->GetClientRect(&client);
    if (!preview->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, client, frame,
                         AFX_IDW_PANE_FIRST, nullptr)) {
        bar->DestroyWindow();
        pPrintView->SetDlgCtrlID(pState->nIDPrintView);
        pPrintView->ShowWindow(SW_SHOW);
        return FALSE;
    }
    // From here on the preview owns the state and frees it when it closes.
    preview->m_pState.reset(pState);
    preview->m_pToolBar = bar;
    preview->m_nCurrentPage = preview->GetPrintInfo()->GetMinPage();
    frame->SetActiveView(preview);
    frame->RecalcLayout();
    preview->Relayout();
    preview->SetFocus();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    if (pView != nullptr)
        pView->RestoreFrame();
}

void CView::OnFilePrintPreview()
{
    auto* state = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), state)) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE, MB_ICONEXCLAMATION);
        delete state;
    }
}
