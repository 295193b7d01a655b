// CTechSupportDlg: a report of the program and the computer it runs on, for
// the user to copy or mail to technical support along with the files and the
// steps that show a problem.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/StaticLink.h"
#include "framework/Dialog.h"
#include "framework/String.h"

class CTechSupportDlg : public CDialog {
    DECLARE_DYNAMIC(CTechSupportDlg)
public:
    explicit CTechSupportDlg(CWnd* pParent = nullptr);
    ~CTechSupportDlg() override;

    CString m_strProgram;
    CString m_strVersion;
    std::unique_ptr<CStaticLink> m_pLinkMail;

    BOOL OnInitDialog() override;

    // The parts of the report, each with its line ends.
    static CString FormatProgram(LPCSTR program, LPCSTR version, LPCSTR buildDate);
    static CString OsName(DWORD platform, DWORD major, DWORD minor);
    static CString FormatOs(const OSVERSIONINFOA& info);
    // The system's version, with the true numbers of a system that reports
    // an older one to programs not marked for it. FALSE when unknown.
    static BOOL QueryOsVersion(OSVERSIONINFOA* info);
    // Speed and vendor of the processor described under root\subKey.
    static CString FormatProcessor(HKEY root, LPCSTR subKey);
    static CString FormatMemory(const MEMORYSTATUS& status);
    static CString FormatScreen(int width, int height, int bitsPerPixel);
    // The whole report, with the screen as seen through dc.
    static CString BuildReport(LPCSTR program, LPCSTR version, CDC* dc);
    // The mail link that carries the report: "mailto:" address, subject and body,
    // with the body encoded so that blanks and line ends survive in the address.
    static CString MailLink(LPCSTR report);
    static CString PercentEncode(LPCSTR text);

protected:
    afx_msg void OnCopy();

    DECLARE_MESSAGE_MAP()
};
