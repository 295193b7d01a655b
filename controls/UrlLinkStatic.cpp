#include "controls/UrlLinkStatic.h"

#include <shellapi.h>

#include <cstring>

#include "controls/LinkFont.h"
#include "controls/LinkShell.h"
#include "framework/DC.h"
#include "framework/MessageBox.h"

IMPLEMENT_DYNAMIC(CUrlLinkStatic, CStatic)

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriod = 15;
// Room for a registered command line and the url behind it.
constexpr size_t kCommandCapacity = 2 * MAX_PATH;

} // namespace

CUrlLinkStatic::~CUrlLinkStatic() = default;

void CUrlLinkStatic::PreSubclassWindow() {
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY));
    CString text;
    GetWindowText(text);
    if (m_strUrl.IsEmpty()) m_strUrl = text;
    if (text.IsEmpty()) SetWindowText(m_strUrl);
    FitToText();
    m_hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    if (m_wndToolTip.Create(this, 0)) {
        CRect client;
        GetClientRect(&client);
        m_wndToolTip.AddTool(this, m_strUrl, &client, kToolId);
    }
    CStatic::PreSubclassWindow();
}

void CUrlLinkStatic::SetUrl(CString url) {
    m_strUrl = url;
    FitToText();
    if (m_wndToolTip.GetSafeHwnd() != nullptr) {
        // The window may have changed size with the text: the tip covers it all.
        CRect client;
        GetClientRect(&client);
        m_wndToolTip.SetToolRect(this, kToolId, &client);
        m_wndToolTip.UpdateTipText(m_strUrl, this, kToolId);
    }
}

void CUrlLinkStatic::SetVisited(BOOL visited) {
    m_bVisited = visited;
    Invalidate(TRUE);
}

void CUrlLinkStatic::FitToText() {
    if (!m_bFitToText || m_hWnd == nullptr) return;
    CRect rc;
    GetWindowRect(&rc);
    if (CWnd* parent = GetParent()) parent->ScreenToClient(&rc);

    CString text;
    GetWindowText(text);
    CSize size;
    {
        CClientDC dc(this);
        HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        HGDIOBJ old = font != nullptr ? ::SelectObject(dc.GetSafeHdc(), font) : nullptr;
        size = dc.GetTextExtent(text);
        if (old != nullptr) ::SelectObject(dc.GetSafeHdc(), old);
    }

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        const int shrink = (rc.Height() - size.cy) / 2;
        rc.top += shrink;
        rc.bottom -= shrink;
    } else {
        rc.bottom = rc.top + size.cy;
    }
    // SS_CENTER and SS_RIGHT are values of the style's low bits, not flags.
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: {
        const int shrink = (rc.Width() - size.cx) / 2;
        rc.left += shrink;
        rc.right -= shrink;
        break;
    }
    case SS_RIGHT: rc.left = rc.right - size.cx; break;
    default: rc.right = rc.left + size.cx; break;
    }
    SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER);
}

BOOL CUrlLinkStatic::PreTranslateMessage(MSG* pMsg) {
    if (m_bRelayToolTip && m_wndToolTip.GetSafeHwnd() != nullptr) m_wndToolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CUrlLinkStatic::CtlColor(CDC* pDC, UINT) {
    pDC->SetTextColor(m_bVisited ? m_crVisited : m_crLink);
    if (m_bUnderline)
        SelectUnderlinedFont(*this, m_fontUnderline, pDC);
    pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    pDC->SetBkMode(OPAQUE);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CUrlLinkStatic::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CUrlLinkStatic::OnMouseMove(UINT, CPoint) {
    if (!m_bHover) {
        m_bHover = TRUE;
        m_bUnderline = TRUE;
        SetTimer(kHoverTimer, kHoverPeriod);
        Invalidate(TRUE);
    }
    Default();
}

void CUrlLinkStatic::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kHoverTimer) {
        Default();
        return;
    }
    POINT pt{};
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    // All four edges count as inside.
    if (pt.x >= rc.left && pt.x <= rc.right && pt.y >= rc.top && pt.y <= rc.bottom) return;
    KillTimer(kHoverTimer);
    m_bHover = FALSE;
    m_bUnderline = FALSE;
    Invalidate(TRUE);
}

void CUrlLinkStatic::OnClicked() {
    const INT_PTR result = OpenUrl(m_strUrl, SW_SHOW);
    m_bVisited = result > 32;
    if (m_bVisited) {
        SetVisited(TRUE);
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ReportError(static_cast<int>(result));
    }
}

void CUrlLinkStatic::OnDestroy() {
    KillTimer(kHoverTimer);
    CStatic::OnDestroy();
}

LONG CUrlLinkStatic::ReadRegKey(HKEY root, LPCSTR subKey, LPSTR out) {
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS) {
        char data[MAX_PATH] = {};
        LONG size = sizeof(data);
        if (::RegQueryValueA(key, nullptr, data, &size) == ERROR_SUCCESS) {
            // A value of exactly MAX_PATH bytes comes without its end.
            data[MAX_PATH - 1] = '\0';
            std::strcpy(out, data);
        } else {
            out[0] = '\0';
        }
        ::RegCloseKey(key);
    }
    return result;
}

BOOL CUrlLinkStatic::ComposeCommand(LPCSTR registered, LPCSTR url, LPSTR out, size_t capacity) {
    const char* at = std::strstr(registered, "\"%1\"");
    if (at == nullptr) at = std::strstr(registered, "%1");
    const size_t head = at != nullptr ? static_cast<size_t>(at - registered) : std::strlen(registered);
    const size_t urlLength = std::strlen(url);
    // A truncated command would open some other address: rather none.
    if (head + 1 + urlLength + 1 > capacity) return FALSE;
    std::memcpy(out, registered, head);
    out[head] = ' ';
    std::memcpy(out + head + 1, url, urlLength + 1);
    return TRUE;
}

INT_PTR CUrlLinkStatic::OpenUrl(LPCSTR url, int showCmd) {
    const INT_PTR shell = LinkShell::Open(url, showCmd);
    if (static_cast<UINT_PTR>(shell) > 32) return shell;

    char key[kCommandCapacity] = {};
    if (ReadRegKey(HKEY_CLASSES_ROOT, ".htm", key) != ERROR_SUCCESS || key[0] == '\0') return shell;
    std::strcat(key, "\\shell\\open\\command");
    char registered[kCommandCapacity] = {};
    if (ReadRegKey(HKEY_CLASSES_ROOT, key, registered) != ERROR_SUCCESS || registered[0] == '\0') return shell;

    char command[kCommandCapacity] = {};
    if (!ComposeCommand(registered, url, command, sizeof(command))) return shell;
    return static_cast<INT_PTR>(LinkShell::Run(command, showCmd));
}

CString CUrlLinkStatic::ErrorText(int code) {
    switch (code) {
    case 0: return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return "The specified file was not found.";
    case SE_ERR_PNF: return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT: return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC: return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return "The specified dynamic-link library was not found.";
    default: {
        CString text;
        text.Format("Unknown Error (%d) occurred.", code);
        return text;
    }
    }
}

void CUrlLinkStatic::ReportError(int code) {
    AfxMessageBox(CString("Unable to open hyperlink:\n\n") + ErrorText(code), MB_ICONEXCLAMATION);
}

BEGIN_MESSAGE_MAP(CUrlLinkStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_WM_DESTROY()
END_MESSAGE_MAP()
