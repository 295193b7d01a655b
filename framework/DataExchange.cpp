#include "framework/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "framework/Exception.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CException* e) {
        // A user exception means the user was told already; anything else is reported here.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND h = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (h == nullptr) AfxThrowNotSupportedException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail() {
    if (!m_bSaveAndValidate) AfxThrowUserException();
    HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), m_idLastControl);
    if (control != nullptr) {
        // Back into the control that failed, its text selected for typing over.
        ::SendMessageA(m_pDlgWnd->GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        ::SetFocus(control);
        if (m_bEditLastControl) ::SendMessageA(control, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

CString ControlText(HWND h) {
    CString s;
    int n = ::GetWindowTextLengthA(h);
    ::GetWindowTextA(h, s.GetBuffer(n + 1), n + 1);
    s.ReleaseBuffer();
    return s;
}

void SetControlText(HWND h, LPCSTR text) {
    // Setting the same text again would move the caret and flicker.
    if (ControlText(h) != text) ::SetWindowTextA(h, text);
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT id, LPCSTR arg1 = nullptr, LPCSTR arg2 = nullptr) {
    CString text = AfxLoadLibraryString(id);
    if (arg1) text.Replace("%1", arg1);
    if (arg2) text.Replace("%2", arg2);
    AfxMessageBox(text, MB_ICONEXCLAMATION, id);
    pDX->Fail();
}

bool OnlySpaces(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    return *p == 0;
}

// Reads a whole signed number; false when the text holds anything else.
bool ParseSigned(const CString& text, long long& value) {
    const char* s = text;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(s, &end, 10);
    return end != s && errno == 0 && OnlySpaces(end);
}

bool ParseUnsigned(const CString& text, unsigned long long& value) {
    const char* s = text;
    while (*s == ' ' || *s == '\t') ++s;
    if (*s == '-') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(s, &end, 10);
    return end != s && errno == 0 && OnlySpaces(end);
}

template <class T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value, T minVal, T maxVal) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseSigned(ControlText(h), v) || v < minVal || v > maxVal) FailWith(pDX, AFX_IDP_PARSE_INT);
        value = static_cast<T>(v);
    } else {
        char text[32];
        std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(value));
        SetControlText(h, text);
    }
}

template <class T>
void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, T maxVal, UINT failId) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseUnsigned(ControlText(h), v) || v > maxVal) FailWith(pDX, failId);
        value = static_cast<T>(v);
    } else {
        char text[32];
        std::snprintf(text, sizeof(text), "%llu", static_cast<unsigned long long>(value));
        SetControlText(h, text);
    }
}

template <class T>
void TextFloating(CDataExchange* pDX, int nIDC, T& value, int digits) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0.0;
        // "nan", "inf", hexadecimal and numbers beyond the type's range are
        // not numbers a dialog can mean: refused like any other text that is
        // not a number.
        if (!AfxParseDecimal(ControlText(h), v) || std::fabs(v) > static_cast<double>(std::numeric_limits<T>::max()))
            FailWith(pDX, AFX_IDP_PARSE_REAL);
        value = static_cast<T>(v);
    } else {
        char text[64];
        std::snprintf(text, sizeof(text), "%.*g", digits, static_cast<double>(value));
        SetControlText(h, text);
    }
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = ControlText(h);
    else SetControlText(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextSigned<int>(pDX, nIDC, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextSigned<long>(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { TextSigned<short>(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    TextUnsigned<UINT>(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
    TextUnsigned<DWORD>(pDX, nIDC, value, 0xFFFFFFFFu, AFX_IDP_PARSE_UINT);
}
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
    TextUnsigned<BYTE>(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE);
}
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { TextFloating(pDX, nIDC, value, DBL_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { TextFloating(pDX, nIDC, value, FLT_DIG); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
    } else {
        // Only 0, 1 and (for three-state boxes) 2 are checks.
        ::SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value >= 0 && value <= 2 ? value : 0), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;
    // The group runs from nIDC to the next control with WS_GROUP; only radio buttons count.
    int index = 0;
    do {
        if (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        h = ::GetWindow(h, GW_HWNDNEXT);
    } while (h != nullptr && !(::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
    else ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

bool ComboHasEdit(HWND h) { return (::GetWindowLongPtrA(h, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST; }

CString ComboSelectedText(HWND h) {
    CString s;
    int sel = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
    if (sel == CB_ERR) return s;
    int n = static_cast<int>(::SendMessageA(h, CB_GETLBTEXTLEN, sel, 0));
    ::SendMessageA(h, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(s.GetBuffer(n + 1)));
    s.ReleaseBuffer();
    return s;
}

void ComboString(CDataExchange* pDX, int nIDC, CString& value, UINT findMessage) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboHasEdit(h) ? ControlText(h) : ComboSelectedText(h);
        return;
    }
    int found = static_cast<int>(::SendMessageA(h, findMessage, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value))));
    if (found != CB_ERR) ::SendMessageA(h, CB_SETCURSEL, found, 0);
    else if (ComboHasEdit(h)) ::SetWindowTextA(h, value);
    else ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

CString ListSelectedText(HWND h) {
    CString s;
    int sel = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    if (sel == LB_ERR) return s;
    int n = static_cast<int>(::SendMessageA(h, LB_GETTEXTLEN, sel, 0));
    ::SendMessageA(h, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(s.GetBuffer(n + 1)));
    s.ReleaseBuffer();
    return s;
}

void ListString(CDataExchange* pDX, int nIDC, CString& value, UINT findMessage) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ListSelectedText(h);
        return;
    }
    int found = static_cast<int>(::SendMessageA(h, findMessage, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value))));
    ::SendMessageA(h, LB_SETCURSEL, found == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
}

} // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { ComboString(pDX, nIDC, value, CB_SELECTSTRING); }
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    ComboString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) index = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    else ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { ListString(pDX, nIDC, value, LB_FINDSTRING); }
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    ListString(pDX, nIDC, value, LB_FINDSTRINGEXACT);
}

void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = ::GetScrollPos(h, SB_CTL);
    else ::SetScrollPos(h, SB_CTL, value, TRUE);
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = static_cast<int>(::SendMessageA(h, TBM_GETPOS, 0, 0));
    else ::SendMessageA(h, TBM_SETPOS, TRUE, value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.GetSafeHwnd() != nullptr) return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h)) AfxThrowNotSupportedException();
}

namespace {

template <class T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, const char* format, UINT id) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    char low[64], high[64];
    std::snprintf(low, sizeof(low), format, minVal);
    std::snprintf(high, sizeof(high), format, maxVal);
    FailWith(pDX, id, low, high);
}

} // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    CheckRange(pDX, value, minVal, maxVal, "%d", AFX_IDP_PARSE_INT_RANGE);
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    CheckRange(pDX, value, minVal, maxVal, "%u", AFX_IDP_PARSE_INT_RANGE);
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    CheckRange(pDX, value, minVal, maxVal, "%ld", AFX_IDP_PARSE_INT_RANGE);
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
    CheckRange(pDX, static_cast<unsigned long>(value), static_cast<unsigned long>(minVal),
               static_cast<unsigned long>(maxVal), "%lu", AFX_IDP_PARSE_INT_RANGE);
}
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
    CheckRange(pDX, static_cast<int>(value), static_cast<int>(minVal), static_cast<int>(maxVal), "%d",
               AFX_IDP_PARSE_INT_RANGE);
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
    CheckRange(pDX, static_cast<unsigned>(value), static_cast<unsigned>(minVal), static_cast<unsigned>(maxVal), "%u",
               AFX_IDP_PARSE_INT_RANGE);
}
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    char low[64], high[64];
    std::snprintf(low, sizeof(low), "%.*g", DBL_DIG, minVal);
    std::snprintf(high, sizeof(high), "%.*g", DBL_DIG, maxVal);
    FailWith(pDX, AFX_IDP_PARSE_REAL_RANGE, low, high);
}

CString AfxRealRangeMessage(double minVal, double maxVal) {
    char low[64], high[64];
    std::snprintf(low, sizeof(low), "%.*g", DBL_DIG, minVal);
    std::snprintf(high, sizeof(high), "%.*g", DBL_DIG, maxVal);
    CString text = AfxLoadLibraryString(AFX_IDP_PARSE_REAL_RANGE);
    text.Replace("%1", low);
    text.Replace("%2", high);
    return text;
}

bool AfxParseDecimal(const char* text, double& value) {
    if (text == nullptr) return false;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    int digits = 0;
    while (*p >= '0' && *p <= '9') ++p, ++digits;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9') ++p, ++digits;
    }
    if (digits == 0) return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-') ++p;
        int exponent = 0;
        while (*p >= '0' && *p <= '9') ++p, ++exponent;
        if (exponent == 0) return false;
    }
    if (!OnlySpaces(p)) return false;
    errno = 0;
    const double v = std::strtod(start, nullptr);
    if (errno == ERANGE || !std::isfinite(v)) return false;
    value = v;
    return true;
}
void DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    char low[64], high[64];
    std::snprintf(low, sizeof(low), "%.*g", FLT_DIG, static_cast<double>(minVal));
    std::snprintf(high, sizeof(high), "%.*g", FLT_DIG, static_cast<double>(maxVal));
    FailWith(pDX, AFX_IDP_PARSE_REAL_RANGE, low, high);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            char count[16];
            std::snprintf(count, sizeof(count), "%d", nChars);
            FailWith(pDX, AFX_IDP_PARSE_STRING_SIZE, count);
        }
    } else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        HWND h = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), pDX->m_idLastControl);
        ::SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}
