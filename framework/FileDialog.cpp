#include "framework/FileDialog.h"

#include <atomic>

#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

namespace {
std::atomic<AfxCommonDialogHook> commonDialogHook{nullptr};
constexpr size_t fileBufferSize = 64 * 1024; // room for many names with OFN_ALLOWMULTISELECT
} // namespace

AfxCommonDialogHook AfxSetCommonDialogHook(AfxCommonDialogHook hook) { return commonDialogHook.exchange(hook); }

bool CCommonDialog::Hooked(CCommonDialog* dialog, INT_PTR& result) {
    AfxCommonDialogHook hook = commonDialogHook.load();
    if (hook == nullptr) return false;
    result = hook(dialog);
    return true;
}

HWND CCommonDialog::OwnerWindow() const {
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (owner == nullptr) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    return owner;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(fileBufferSize, 0) {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr) lstrcpynA(m_fileBuffer.data(), lpszFileName, static_cast<int>(m_fileBuffer.size()));
    if (lpszFilter != nullptr) {
        // "Name|*.ext|...||": the bars become the zeros the system expects.
        m_strFilter = lpszFilter;
        if (m_strFilter.Right(1) != "|") m_strFilter += "|";
        m_strFilter += "|";
        m_strFilter.Replace('|', '\0');
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal() {
    INT_PTR result;
    if (Hooked(this, result)) return result;
    m_ofn.hwndOwner = OwnerWindow();
    m_ofn.lpstrFile = m_fileBuffer.data();
    BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

void CFileDialog::SetPathName(LPCSTR lpszPathName) {
    lstrcpynA(m_fileBuffer.data(), lpszPathName, static_cast<int>(m_fileBuffer.size()));
    // Where the name begins and the extension, as the real dialog reports them.
    const char* name = lpszPathName;
    for (const char* p = lpszPathName; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    m_ofn.nFileOffset = static_cast<WORD>(name - lpszPathName);
    const char* dot = nullptr;
    for (const char* p = name; *p; ++p)
        if (*p == '.') dot = p;
    m_ofn.nFileExtension = static_cast<WORD>(dot ? dot + 1 - lpszPathName : 0);
}

CString CFileDialog::GetPathName() const {
    if (m_ofn.Flags & OFN_ALLOWMULTISELECT) {
        // Several names: the first is the folder; a single one is the whole path.
        const char* first = m_fileBuffer.data();
        const char* second = first + lstrlenA(first) + 1;
        if (*second != 0) return CString(first) + "\\" + second;
    }
    return m_fileBuffer.data();
}

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

POSITION CFileDialog::GetStartPosition() const {
    return m_fileBuffer[0] ? reinterpret_cast<POSITION>(const_cast<char*>(m_fileBuffer.data())) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    const char* at = reinterpret_cast<const char*>(pos);
    const char* base = m_fileBuffer.data();
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || base[lstrlenA(base) + 1] == 0) {
        pos = nullptr;
        return base;
    }
    // The first string is the folder; each later one a name in it.
    if (at == base) at += lstrlenA(at) + 1;
    CString path = CString(base) + "\\" + at;
    const char* next = at + lstrlenA(at) + 1;
    pos = *next ? reinterpret_cast<POSITION>(const_cast<char*>(next)) : nullptr;
    return path;
}

COLORREF CColorDialog::c_customColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = c_customColors;
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.Flags &= ~CC_ENABLEHOOK; // no hook procedure of ours
    m_cc.rgbResult = clrInit;
    if (clrInit != 0) m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
    INT_PTR result;
    if (Hooked(this, result)) return result;
    m_cc.hwndOwner = OwnerWindow();
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

CFontDialog::CFontDialog(LPLOGFONTA lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags;
    if (lplfInitial != nullptr) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != nullptr) {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal() {
    INT_PTR result;
    if (Hooked(this, result)) return result;
    m_cf.hwndOwner = OwnerWindow();
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}
