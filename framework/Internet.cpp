#include "framework/Internet.h"

IMPLEMENT_DYNAMIC(CInternetException, CException)
IMPLEMENT_DYNAMIC(CInternetFile, CStdioFile)

BOOL CInternetException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext != nullptr) *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0) return FALSE;
    lpszError[0] = '\0';
    DWORD length = 0;
    if (m_dwError >= INTERNET_ERROR_BASE && m_dwError <= INTERNET_ERROR_LAST)
        length = ::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  ::GetModuleHandleA("wininet.dll"), m_dwError, 0, lpszError, nMaxError, nullptr);
    if (length == 0)
        length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, m_dwError, 0,
                                  lpszError, nMaxError, nullptr);
    if (length == 0) {
        _snprintf(lpszError, nMaxError, "The internet request failed (error %lu).", m_dwError);
        lpszError[nMaxError - 1] = '\0';
    }
    // No trailing line end.
    for (size_t n = strlen(lpszError); n > 0 && (lpszError[n - 1] == '\n' || lpszError[n - 1] == '\r'); --n)
        lpszError[n - 1] = '\0';
    return TRUE;
}

void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError) {
    auto* e = new CInternetException(dwError != 0 ? dwError : ::GetLastError());
    e->m_dwContext = dwContext;
    throw e;
}

// ---- CInternetFile ----

CInternetFile::CInternetFile(HINTERNET hFile, LPCSTR url) : m_hInternet(hFile) { m_strFileName = url; }

CInternetFile::~CInternetFile() {
    if (m_hInternet != nullptr) ::InternetCloseHandle(m_hInternet);
}

UINT CInternetFile::Read(void* lpBuf, UINT nCount) {
    if (m_hInternet == nullptr) return 0;
    DWORD read = 0;
    if (!::InternetReadFile(m_hInternet, lpBuf, nCount, &read)) AfxThrowInternetException(0);
    return read;
}

BOOL CInternetFile::ReadString(CString& rString) {
    rString.Empty();
    std::string line;
    bool any = false;
    char c = 0;
    while (Read(&c, 1) == 1) {
        any = true;
        if (c == '\n') break;
        if (line.size() < static_cast<size_t>(kMaxLine)) line += c;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rString = line.c_str();
    return any ? TRUE : FALSE;
}

void CInternetFile::Close() {
    if (m_hInternet != nullptr) ::InternetCloseHandle(m_hInternet);
    m_hInternet = nullptr;
}

void CInternetFile::Abort() { Close(); }

DWORD CInternetFile::GetStatusCode() const {
    DWORD status = 0, size = sizeof(status);
    if (m_hInternet == nullptr ||
        !::HttpQueryInfoA(m_hInternet, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return status;
}

// ---- CInternetSession ----

CInternetSession::CInternetSession(LPCSTR pstrAgent, DWORD_PTR dwContext, DWORD dwAccessType, LPCSTR pstrProxyName,
                                   LPCSTR pstrProxyBypass, DWORD dwFlags)
    : m_dwContext(dwContext) {
    m_hSession = ::InternetOpenA(pstrAgent != nullptr ? pstrAgent : "Clastor", dwAccessType, pstrProxyName,
                                 pstrProxyBypass, dwFlags);
}

CInternetSession::~CInternetSession() { Close(); }

void CInternetSession::Close() {
    if (m_hSession != nullptr) ::InternetCloseHandle(m_hSession);
    m_hSession = nullptr;
}

BOOL CInternetSession::QueryOption(DWORD dwOption, DWORD& dwValue) const {
    DWORD size = sizeof(dwValue);
    return ::InternetQueryOptionA(m_hSession, dwOption, &dwValue, &size);
}

CInternetFile* CInternetSession::OpenURL(LPCSTR pstrURL, DWORD_PTR dwContext, DWORD dwFlags, LPCSTR pstrHeaders,
                                         DWORD dwHeadersLength) {
    if (m_hSession == nullptr) AfxThrowInternetException(dwContext);
    // Never weaken the certificate checks the system makes for https.
    dwFlags &= ~(INTERNET_FLAG_IGNORE_CERT_CN_INVALID | INTERNET_FLAG_IGNORE_CERT_DATE_INVALID);
    HINTERNET h = ::InternetOpenUrlA(m_hSession, pstrURL, pstrHeaders, pstrHeaders != nullptr ? dwHeadersLength : 0,
                                     dwFlags, dwContext);
    if (h == nullptr) AfxThrowInternetException(dwContext);
    auto* file = new CInternetFile(h, pstrURL);
    const DWORD status = file->GetStatusCode();
    if (status != 0 && (status < 200 || status >= 300)) {
        delete file;
        AfxThrowInternetException(dwContext, ERROR_HTTP_INVALID_SERVER_RESPONSE);
    }
    return file;
}
