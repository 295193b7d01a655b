#include "app/SplashWnd.h"

#include "framework/DC.h"
#include "framework/WinApp.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CSplashWnd, CWnd)

BOOL CSplashWnd::s_bSplashEnabled = FALSE;
CSplashWnd* CSplashWnd::s_pSplashWnd = nullptr;

CSplashWnd::~CSplashWnd() {
    if (s_pSplashWnd == this) s_pSplashWnd = nullptr;
}

void CSplashWnd::ShowSplash(CWnd* pParentWnd) {
    if (!s_bSplashEnabled || s_pSplashWnd != nullptr) return;
    s_pSplashWnd = new CSplashWnd;
    if (!s_pSplashWnd->Create(pParentWnd)) {
        delete s_pSplashWnd;
        s_pSplashWnd = nullptr;
        return;
    }
    s_pSplashWnd->UpdateWindow();
}

BOOL CSplashWnd::FilterAppMessage(MSG* pMsg) {
    if (s_pSplashWnd == nullptr) return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        HideSplash();
        return TRUE;
    default: return FALSE;
    }
}

void CSplashWnd::HideSplash() {
    if (s_pSplashWnd != nullptr) s_pSplashWnd->DestroyWindow();
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->GetSafeHwnd() != nullptr) main->UpdateWindow();
}

BOOL CSplashWnd::Create(CWnd* pParentWnd) {
    if (!m_bitmap.LoadBitmap(IDB_SPLASH)) return FALSE;
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    return CreateEx(0, cls, nullptr, WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight,
                    pParentWnd->GetSafeHwnd(), nullptr);
}

void CSplashWnd::PostNcDestroy() { delete this; }

int CSplashWnd::OnCreate(LPCREATESTRUCTA) {
    if (Default() == -1) return -1;
    CenterWindow();
    SetTimer(1, 2500);
    return 0;
}

void CSplashWnd::OnPaint() {
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc)) return;
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    CGdiObject* old = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CSplashWnd::OnTimer(UINT_PTR) { HideSplash(); }

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()
