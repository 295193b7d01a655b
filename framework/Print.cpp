#include "framework/Print.h"

#include "framework/Afx.h"
#include "framework/AfxRes.h"
#include "framework/Document.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"

namespace {

bool g_bUserAbort = false;
HWND g_hCancelWindow = nullptr;
WNDPROC g_cancelBaseProc = nullptr;

LRESULT CALLBACK CancelWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE) {
        g_bUserAbort = true;
        ::EnableWindow(::GetDlgItem(h, IDCANCEL), FALSE);
        return 0;
    }
    return ::CallWindowProcA(g_cancelBaseProc, h, message, wParam, lParam);
}

// The spooler calls this between bands and pages: it keeps the Cancel window
// answering and tells the spooler whether to go on.
BOOL CALLBACK PrintAbortProc(HDC, int)
{
    MSG msg;
    while (!g_bUserAbort && ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            break;  // left in the queue for the main loop
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        if (g_hCancelWindow == nullptr || !::IsDialogMessageA(g_hCancelWindow, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return !g_bUserAbort;
}

HWND CreateCancelWindow(LPCSTR title)
{
    CWnd* mainWnd = AfxGetMainWnd();
    HWND owner = mainWnd != nullptr ? mainWnd->GetSafeHwnd() : nullptr;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    HWND h = ::CreateWindowExA(WS_EX_DLGMODALFRAME, "STATIC", "Printing", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                               CW_USEDEFAULT, CW_USEDEFAULT, 260, 110, owner, nullptr, inst, nullptr);
    if (h == nullptr)
        return nullptr;
    g_cancelBaseProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CancelWindowProc)));
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HWND text = ::CreateWindowExA(0, "STATIC", title != nullptr ? title : "", WS_CHILD | WS_VISIBLE | SS_CENTER,
                                  10, 10, 234, 20, h, nullptr, inst, nullptr);
    HWND button = ::CreateWindowExA(0, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                    87, 40, 80, 24, h, reinterpret_cast<HMENU>(IDCANCEL), inst, nullptr);
    ::SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (owner != nullptr) {
        RECT o{}, r{};
        ::GetWindowRect(owner, &o);
        ::GetWindowRect(h, &r);
        ::SetWindowPos(h, nullptr, (o.left + o.right - (r.right - r.left)) / 2,
                       (o.top + o.bottom - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ::UpdateWindow(h);
    return h;
}

}  // namespace

void AfxRequestPrintAbort() { g_bUserAbort = true; }
bool AfxIsPrintAborted() { return g_bUserAbort; }

// ---- targets ----------------------------------------------------------------

bool CPrintTarget::StartDoc(LPCSTR title)
{
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title;
    return GetDC().StartDoc(&info) > 0;
}

bool CPrintTarget::StartPage() { return GetDC().StartPage() > 0; }
bool CPrintTarget::EndPage() { return GetDC().EndPage() > 0; }
bool CPrintTarget::EndDoc() { return GetDC().EndDoc() > 0; }
void CPrintTarget::AbortDoc() { GetDC().AbortDoc(); }

CPrinterTarget::CPrinterTarget(HDC printer)
{
    m_dc.Attach(printer);
    m_dc.m_bPrinting = TRUE;
}

CPrinterTarget::~CPrinterTarget()
{
    CloseCancelWindow();
    m_dc.DeleteDC();
}

bool CPrinterTarget::StartDoc(LPCSTR title)
{
    m_hCancel = CreateCancelWindow(title);
    g_hCancelWindow = m_hCancel;
    m_dc.SetAbortProc(&PrintAbortProc);
    if (CPrintTarget::StartDoc(title))
        return true;
    CloseCancelWindow();
    return false;
}

bool CPrinterTarget::EndPage()
{
    // The Cancel button gets a word in even when the driver never calls the abort procedure.
    PrintAbortProc(m_dc.GetSafeHdc(), 0);
    return CPrintTarget::EndPage() && !g_bUserAbort;
}

bool CPrinterTarget::EndDoc()
{
    bool ok = CPrintTarget::EndDoc();
    CloseCancelWindow();
    return ok;
}

void CPrinterTarget::AbortDoc()
{
    CPrintTarget::AbortDoc();
    CloseCancelWindow();
}

void CPrinterTarget::CloseCancelWindow()
{
    if (m_hCancel != nullptr) {
        if (g_hCancelWindow == m_hCancel)
            g_hCancelWindow = nullptr;
        ::DestroyWindow(m_hCancel);
        m_hCancel = nullptr;
    }
}

// ---- the page loop ------------------------------------------------------------

namespace {

// The job pumps messages between pages (the Cancel window, the spooler's abort
// procedure) while it draws the view: the program's main window takes no input
// meanwhile, so nothing closes the view or its document under the job, and a
// close asked for then waits until the window is enabled again.
class CMainWindowHeld
{
public:
    CMainWindowHeld()
    {
        CWnd* mainWnd = AfxGetMainWnd();
        HWND h = mainWnd != nullptr ? mainWnd->GetSafeHwnd() : nullptr;
        if (h != nullptr && ::IsWindowEnabled(h)) {
            m_hWnd = h;
            ::EnableWindow(h, FALSE);
        }
    }
    ~CMainWindowHeld()
    {
        if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
            ::EnableWindow(m_hWnd, TRUE);
    }
    CMainWindowHeld(const CMainWindowHeld&) = delete;
    CMainWindowHeld& operator=(const CMainWindowHeld&) = delete;

private:
    HWND m_hWnd = nullptr;
};

}  // namespace

bool AfxPrintPages(CView& view, CPrintInfo& info, CPrintTarget& target, LPCSTR title)
{
    CMainWindowHeld held;
    g_bUserAbort = false;
    CDC& dc = target.GetDC();
    dc.m_bPrinting = TRUE;
    view.OnBeginPrinting(&dc, &info);

    UINT first = info.GetMinPage();
    UINT last = info.GetMaxPage();
    if ((info.m_pd.Flags & PD_PAGENUMS) != 0) {
        first = info.GetFromPage() > first ? info.GetFromPage() : first;
        last = info.GetToPage() < last ? info.GetToPage() : last;
    }

    bool ok = target.StartDoc(title);
    if (ok) {
        for (UINT page = first; page <= last; ++page) {
            info.m_nCurPage = page;
            info.m_bContinuePrinting = TRUE;
            view.OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting)
                break;
            if (!target.StartPage()) {
                ok = false;
                break;
            }
            // A page that starts resets the DC; the view prepares it again.
            view.OnPrepareDC(&dc, &info);
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            ::DPtoLP(dc.GetSafeHdc(), reinterpret_cast<POINT*>(&info.m_rectDraw), 2);
            view.OnPrint(&dc, &info);
            if (!target.EndPage() || g_bUserAbort) {
                ok = false;
                break;
            }
            if (page == 0xFFFFu)
                break;
        }
        if (ok)
            ok = target.EndDoc();
        else
            target.AbortDoc();
    }
    view.OnEndPrinting(&dc, &info);
    return ok;
}

// ---- the view's print commands -------------------------------------------------

void CView::OnFilePrint()
{
    const MSG* msg = GetCurrentMessage();
    CPrintInfo info;
    info.m_bDirect = msg != nullptr && msg->message == WM_COMMAND && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info) || info.m_pd.hDC == nullptr)
        return;
    CString title;
    if (CDocument* doc = GetDocument())
        title = doc->GetTitle();
    if (title.IsEmpty())
        title = AfxGetAppName();
    CPrinterTarget target(info.m_pd.hDC);
    info.m_pd.hDC = nullptr;
    if (!AfxPrintPages(*this, info, target, title) && !AfxIsPrintAborted()) {
        AfxMessageBox(AfxLoadLibraryString(AFX_IDP_FAILED_TO_START_PRINT));
    }
}
