// CInternetSession, CInternetFile and CInternetException: reading a web
// address through the system's internet functions (wininet). A session opens
// an address and hands back a file whose lines are read with ReadString;
// failures, an HTTP status other than success among them, throw
// CInternetException*.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "framework/Exception.h"
#include "framework/File.h"

class CInternetException : public CException {
    DECLARE_DYNAMIC(CInternetException)
public:
    explicit CInternetException(DWORD dwError) : m_dwError(dwError) {}
    // The system's text for the error (wininet's own errors included).
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;

    DWORD m_dwError;
    DWORD_PTR m_dwContext = 0;
};

[[noreturn]] void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError = 0);

// An opened address, read as text or bytes. Writing is not offered.
class CInternetFile : public CStdioFile {
    DECLARE_DYNAMIC(CInternetFile)
public:
    explicit CInternetFile(HINTERNET hFile, LPCSTR url);
    ~CInternetFile() override;

    // The next line without its ending (CR LF or LF); FALSE at the end. Lines
    // longer than the limit are cut there (the rest is skipped).
    BOOL ReadString(CString& rString) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Close() override;
    void Abort() override;
    // The HTTP status of the reply (0 for other protocols).
    DWORD GetStatusCode() const;

    static constexpr int kMaxLine = 4096;

private:
    HINTERNET m_hInternet;
};

class CInternetSession {
public:
    explicit CInternetSession(LPCSTR pstrAgent = nullptr, DWORD_PTR dwContext = 1,
                              DWORD dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG, LPCSTR pstrProxyName = nullptr,
                              LPCSTR pstrProxyBypass = nullptr, DWORD dwFlags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;
    // Opens an http or https address (certificates are checked as the system
    // does). Throws CInternetException* when it cannot be opened or the server
    // answers with anything but success. The caller deletes the file.
    CInternetFile* OpenURL(LPCSTR pstrURL, DWORD_PTR dwContext = 1,
                           DWORD dwFlags = INTERNET_FLAG_TRANSFER_ASCII, LPCSTR pstrHeaders = nullptr,
                           DWORD dwHeadersLength = 0);
    void Close();
    operator HINTERNET() const { return m_hSession; }

private:
    HINTERNET m_hSession = nullptr;
    DWORD_PTR m_dwContext;
};
