#include "app/OvPreviewView.h"

#include <algorithm>

#include "model/MainFrameServices.h"

#include "framework/AfxRes.h"
#include "framework/DC.h"
#include "framework/Frame.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(COvPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(COvPreviewView, CPreviewView)
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void COvPreviewView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CWinApp* app = AfxGetApp();
    CDC current;
    bool measure = false;
    if (app != nullptr && m_dcPrint.m_hDC != nullptr && app->CreatePrinterDC(current)) {
        // Another paper size: the orientation or the paper changed (Page
        // Setup with auto apply, for instance). The preview's printer takes
        // the new set-up and the pages are laid out again.
        PRINTDLGA defaults{};
        defaults.lStructSize = sizeof(defaults);
        if ((current.GetDeviceCaps(PHYSICALWIDTH) != m_dcPrint.GetDeviceCaps(PHYSICALWIDTH) ||
             current.GetDeviceCaps(PHYSICALHEIGHT) != m_dcPrint.GetDeviceCaps(PHYSICALHEIGHT)) &&
            app->GetPrinterDeviceDefaults(&defaults) && defaults.hDevMode != nullptr) {
            if (auto* mode = static_cast<DEVMODEA*>(::GlobalLock(defaults.hDevMode))) {
                ::ResetDCA(m_dcPrint.m_hDC, mode);
                ::GlobalUnlock(defaults.hDevMode);
            }
            if (m_pPreviewDC != nullptr) {
                m_pPreviewDC->ReleaseAttribDC();
                m_pPreviewDC->SetAttribDC(m_dcPrint.m_hDC);
            }
            for (PAGE_INFO& page : m_pageInfo)
                page.sizeScaleRatio.cx = 0;
            measure = true;
        }
        current.DeleteDC();
    }
    if (MarginsChanged() || measure)
        MeasurePagesAgain();
    CPreviewView::OnPrepareDC(pDC, pInfo);
}

bool COvPreviewView::MarginsChanged()
{
    std::array<double, 4> margins{};
    bool onPaper = false;
    if (!MainFrameServices().GetPrintMargins(margins[0], margins[1], margins[2], margins[3], onPaper))
        return false;
    const bool changed = m_bMarginsKnown && margins != m_margins;
    m_margins = margins;
    m_bMarginsKnown = true;
    return changed;
}

void COvPreviewView::MeasurePagesAgain()
{
    // Where the pages of a printout of several (the report) break depends on
    // the paper and the margins: the previewed window finds its page breaks
    // again, and the preview stays within its pages.
    if (m_pPrintView == nullptr || m_pPreviewDC == nullptr || m_pPreviewInfo == nullptr)
        return;
    m_pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);
    GoToPage(m_nCurrentPage);
}

void COvPreviewView::OnDraw(CDC* pDC)
{
    if (m_dcPrint.m_hDC == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height())) {
        // Without the room for an off-screen copy the pages are drawn directly.
        CPreviewView::OnEraseBkgnd(pDC);
        CPreviewView::OnDraw(pDC);
        return;
    }
    CBitmap* old = memory.SelectObject(&bitmap);
    // The copy is scrolled as the window is, then laid over it pixel for pixel.
    const CPoint origin = pDC->GetViewportOrg();
    memory.SetViewportOrg(origin);
    CPreviewView::OnEraseBkgnd(&memory);
    CPreviewView::OnDraw(&memory);
    memory.SetViewportOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    pDC->SetViewportOrg(origin);
    memory.SelectObject(old);
}

BOOL COvPreviewView::OnEraseBkgnd(CDC*)
{
    // OnDraw erases in its off-screen copy.
    return FALSE;
}

void COvPreviewView::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, ID_FILE_PAGE_SETUP, "Page Set&up...");
    menu.AppendMenu(MF_STRING, AFX_ID_PREVIEW_PRINT, "&Print...");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, AFX_ID_PREVIEW_CLOSE, "&Close");
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, GetParentFrame());
    menu.DestroyMenu();
}
