#include "app/OvPreviewView.h"

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
    if (app != nullptr && m_dcPrint.m_hDC != nullptr && app->CreatePrinterDC(current)) {
        // Another paper width: the orientation or the paper changed (Page
        // Setup with auto apply, for instance). The preview's printer takes
        // the new set-up and the pages are laid out again.
        PRINTDLGA defaults{};
        defaults.lStructSize = sizeof(defaults);
        if (current.GetDeviceCaps(PHYSICALWIDTH) != m_dcPrint.GetDeviceCaps(PHYSICALWIDTH) &&
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
        }
        current.DeleteDC();
    }
    CPreviewView::OnPrepareDC(pDC, pInfo);
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
