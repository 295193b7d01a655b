#include "framework/MessageBox.h"

#include <atomic>

#include "framework/Exception.h"
#include "framework/String.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

std::atomic<AfxMessageBoxHook> messageBoxHook{nullptr};

int ReportErrorThroughBox(LPCSTR text, UINT type) { return AfxShowMessageBox(nullptr, text, nullptr, type, 0); }

} // namespace

AfxMessageBoxHook AfxSetMessageBoxHook(AfxMessageBoxHook hook) {
    // Exceptions report through the same box, so the hook answers them too.
    AfxSetReportErrorHandler(ReportErrorThroughBox);
    return messageBoxHook.exchange(hook);
}

int AfxShowMessageBox(HWND owner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType, UINT) {
    if (AfxMessageBoxHook hook = messageBoxHook.load()) return hook(lpszText ? lpszText : "", nType);
    if (lpszCaption == nullptr) {
        CWinApp* app = AfxGetApp();
        lpszCaption = app && app->m_pszAppName ? app->m_pszAppName : "";
    }
    if (owner == nullptr) {
        // The box belongs to the window the user works in, so that it is modal to it.
        owner = ::GetActiveWindow();
        if (owner == nullptr) {
            CWnd* main = AfxGetMainWnd();
            if (main != nullptr && main->GetSafeHwnd() != nullptr) owner = ::GetLastActivePopup(main->GetSafeHwnd());
        }
    }
    return ::MessageBoxA(owner, lpszText, lpszCaption, nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
    // Without an icon, the icon follows the buttons, as users expect.
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
        case MB_ABORTRETRYIGNORE:
        case MB_RETRYCANCEL: break;
        }
    }
    return AfxShowMessageBox(nullptr, lpszText, nullptr, nType, nIDHelp);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}

void AfxFormatStrings(CString& rString, UINT nIDS, LPCSTR const* rglpsz, int nString) {
    CString format;
    format.LoadString(nIDS);
    CString result;
    for (int i = 0; i < format.GetLength(); ++i) {
        char c = format[i];
        if (c == '%' && i + 1 < format.GetLength() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            int n = format[i + 1] - '1';
            if (n < nString && rglpsz[n] != nullptr) result += rglpsz[n];
            ++i;
        } else {
            result += c;
        }
    }
    rString = result;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1) { AfxFormatStrings(rString, nIDS, &lpsz1, 1); }

void AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2) {
    LPCSTR args[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, nIDS, args, 2);
}
