#include "app/TechSupportDlg.h"

#include "app/MakerContact.h"
#include "app/PercentEncoding.h"
#include "framework/DC.h"
#include "res/dialogs-help.h"

IMPLEMENT_DYNAMIC(CTechSupportDlg, CDialog)

CTechSupportDlg::CTechSupportDlg(CWnd* pParent)
    : CDialog(IDD_TECH_SUPPORT, pParent), m_pLinkMail(std::make_unique<CStaticLink>()) {}

CTechSupportDlg::~CTechSupportDlg() = default;

BOOL CTechSupportDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString report;
    {
        CClientDC dc(this);
        report = BuildReport(m_strProgram, m_strVersion, &dc);
    }
    if (m_pLinkMail) {
        SetDlgItemText(IDC_SUPPORT_MAIL, MakerContact::kSupportMail);
        m_pLinkMail->m_strLink = MailLink(report);
        m_pLinkMail->SubclassDlgItem(IDC_SUPPORT_MAIL, this);
    }
    SetDlgItemText(IDC_SUPPORT_REPORT, report);
    return TRUE;
}

void CTechSupportDlg::OnCopy() {
    CWnd* edit = GetDlgItem(IDC_SUPPORT_REPORT);
    if (edit == nullptr) return;
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SendMessage(WM_COPY);
}

// ---- the report ----

CString CTechSupportDlg::FormatProgram(LPCSTR program, LPCSTR version, LPCSTR buildDate) {
    CString text;
    text.Format("Program: %s\r\nVersion: %s Build Date: %s\r\n", program, version, buildDate);
    return text;
}

CString CTechSupportDlg::OsName(DWORD platform, DWORD major, DWORD minor) {
    switch (platform) {
    case VER_PLATFORM_WIN32s: return "Windows 3.1";
    case VER_PLATFORM_WIN32_WINDOWS: return minor != 0 ? "Windows 98" : "Windows 95";
    case VER_PLATFORM_WIN32_NT: {
        static const struct {
            DWORD major, minor;
            const char* name;
        } kNt[] = {
            {5, 0, "Windows 2000"}, {5, 1, "Windows XP"}, {6, 0, "Windows Vista"}, {6, 1, "Windows 7"},
            {6, 2, "Windows 8"},    {6, 3, "Windows 8.1"}, {10, 0, "Windows 10"},
        };
        for (const auto& nt : kNt)
            if (nt.major == major && nt.minor == minor) return nt.name;
        // Any other release of the family: the version line below tells which.
        return "Windows NT";
    }
    default: return "Unable to determine OS";
    }
}

CString CTechSupportDlg::FormatOs(const OSVERSIONINFOA& info) {
    CString text = "OS: " + OsName(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion) + "\r\n";
    const DWORD build =
        info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? LOWORD(info.dwBuildNumber) : info.dwBuildNumber;
    CString line;
    line.Format("OS Version (Major: %d  Minor: %d Build: %d)\r\n", static_cast<int>(info.dwMajorVersion),
                static_cast<int>(info.dwMinorVersion), static_cast<int>(build));
    text += line;
    // The service pack's text may fill its field without an end.
    CString pack(info.szCSDVersion, static_cast<int>(strnlen(info.szCSDVersion, sizeof(info.szCSDVersion))));
    if (!pack.IsEmpty()) text += pack + "\r\n";
    return text;
}

BOOL CTechSupportDlg::QueryOsVersion(OSVERSIONINFOA* info) {
    *info = OSVERSIONINFOA{};
    info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(info)) return FALSE;
#pragma GCC diagnostic pop
    if (info->dwPlatformId != VER_PLATFORM_WIN32_NT) return TRUE;
    // Newer systems tell a program that does not declare them the version of
    // an older one; the kernel's own answer is the true one.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    RtlGetVersionFn rtlGetVersion = nullptr;
    if (FARPROC proc = ntdll != nullptr ? ::GetProcAddress(ntdll, "RtlGetVersion") : nullptr)
        rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(proc));
    OSVERSIONINFOW real{};
    real.dwOSVersionInfoSize = sizeof(real);
    if (rtlGetVersion != nullptr && rtlGetVersion(&real) == 0) {
        info->dwMajorVersion = real.dwMajorVersion;
        info->dwMinorVersion = real.dwMinorVersion;
        info->dwBuildNumber = real.dwBuildNumber;
    }
    return TRUE;
}

CString CTechSupportDlg::FormatProcessor(HKEY root, LPCSTR subKey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return CString();
    CString text;
    DWORD mhz = 0, size = sizeof(mhz), type = 0;
    const bool haveSpeed = ::RegQueryValueExA(key, "~MHz", nullptr, &type, reinterpret_cast<BYTE*>(&mhz), &size) ==
                               ERROR_SUCCESS &&
                           size == sizeof(mhz);
    if (haveSpeed) text.Format("CPU Speed: %d Mhz ", static_cast<int>(mhz));
    char vendor[64] = {};
    size = sizeof(vendor) - 1; // room for the end a stored text may lack
    if (::RegQueryValueExA(key, "VendorIdentifier", nullptr, &type, reinterpret_cast<BYTE*>(vendor), &size) ==
        ERROR_SUCCESS) {
        vendor[sizeof(vendor) - 1] = '\0';
        CString line;
        line.Format("CPU Vendor: %s\r\n", vendor);
        text += line;
    } else if (haveSpeed) {
        text += "\r\n"; // the speed alone still ends its line
    }
    ::RegCloseKey(key);
    return text;
}

CString CTechSupportDlg::FormatMemory(const MEMORYSTATUS& status) {
    CString text;
    text.Format("Total Physical Memory: %9.0f KB\r\nAvailable Physical Memory: %9.0f KB\r\n"
                "Total Virtual Memory: %9.0f KB\r\n",
                static_cast<double>(status.dwTotalPhys) / 1024, static_cast<double>(status.dwAvailPhys) / 1024,
                static_cast<double>(status.dwTotalVirtual) / 1024);
    return text;
}

CString CTechSupportDlg::FormatScreen(int width, int height, int bitsPerPixel) {
    CString text;
    text.Format("Screen resolution: %d by %d, at %d bits per pixel\r\n", width, height, bitsPerPixel);
    return text;
}

CString CTechSupportDlg::BuildReport(LPCSTR program, LPCSTR version, CDC* dc) {
    CString report = FormatProgram(program, version, MakerContact::BuildDate());
    OSVERSIONINFOA os;
    if (QueryOsVersion(&os)) report += FormatOs(os);
    report += FormatProcessor(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System\\CentralProcessor\\0");
    MEMORYSTATUS memory{};
    memory.dwLength = sizeof(memory);
    ::GlobalMemoryStatus(&memory);
    report += FormatMemory(memory);
    report += FormatScreen(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES), dc->GetDeviceCaps(BITSPIXEL));
    return report;
}

CString CTechSupportDlg::PercentEncode(LPCSTR text) { return ::PercentEncode(text, "-._~"); }

CString CTechSupportDlg::MailLink(LPCSTR report) {
    return CString("mailto:") + MakerContact::kSupportMail + "?subject=Technical_Support&body=" + PercentEncode(report);
}

BEGIN_MESSAGE_MAP(CTechSupportDlg, CDialog)
    ON_COMMAND(IDC_SUPPORT_COPY, OnCopy)
END_MESSAGE_MAP()
