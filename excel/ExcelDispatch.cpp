#include "excel/ExcelDispatch.h"

#include <cstdio>
#include <vector>

namespace {

BSTR ToBstr(const char* text)
{
    const int n = ::MultiByteToWideChar(1252, 0, text, -1, nullptr, 0);
    BSTR b = ::SysAllocStringLen(nullptr, n > 0 ? n - 1 : 0);
    if (b && n > 1)
        ::MultiByteToWideChar(1252, 0, text, -1, b, n);
    return b;
}

std::string FromWide(const wchar_t* text)
{
    if (!text)
        return std::string();
    const int n = ::WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        ::WideCharToMultiByte(1252, 0, text, -1, s.data(), n, nullptr, nullptr);
    return s;
}

[[noreturn]] void Fail(const wchar_t* member, HRESULT hr, EXCEPINFO* info)
{
    std::string text = "The spreadsheet refused \"" + FromWide(member) + "\"";
    if (info && info->bstrDescription && *info->bstrDescription) {
        text += ":\n" + FromWide(info->bstrDescription);
    } else {
        char code[32];
        std::snprintf(code, sizeof code, " (error 0x%08lX)", static_cast<unsigned long>(hr));
        text += code;
    }
    if (info) {
        ::SysFreeString(info->bstrSource);
        ::SysFreeString(info->bstrDescription);
        ::SysFreeString(info->bstrHelpFile);
    }
    throw CExcelError(text);
}

} // namespace

CExcelVariant::CExcelVariant(const char* text) : CExcelVariant()
{
    m_v.vt = VT_BSTR;
    m_v.bstrVal = ToBstr(text ? text : "");
}

CExcelVariant::CExcelVariant(IDispatch* dispatch) : CExcelVariant()
{
    m_v.vt = VT_DISPATCH;
    m_v.pdispVal = dispatch;
    if (dispatch)
        dispatch->AddRef();
}

CExcelVariant::CExcelVariant(const CExcelVariant& other) : CExcelVariant()
{
    m_borrowed = other.m_borrowed;
    if (m_borrowed)
        m_v = other.m_v;
    else
        ::VariantCopy(&m_v, const_cast<VARIANT*>(&other.m_v));
}

CExcelVariant& CExcelVariant::operator=(const CExcelVariant& other)
{
    if (this != &other) {
        if (!m_borrowed)
            ::VariantClear(&m_v);
        ::VariantInit(&m_v);
        m_borrowed = other.m_borrowed;
        if (m_borrowed)
            m_v = other.m_v;
        else
            ::VariantCopy(&m_v, const_cast<VARIANT*>(&other.m_v));
    }
    return *this;
}

CExcelVariant CExcelVariant::Missing()
{
    CExcelVariant v;
    v.m_v.vt = VT_ERROR;
    v.m_v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

CExcelVariant CExcelVariant::ArrayRef(SAFEARRAY* array, VARTYPE elementType)
{
    CExcelVariant v;
    v.m_v.vt = VT_ARRAY | elementType;
    v.m_v.parray = array;
    v.m_borrowed = true;
    return v;
}

CExcelDispatch& CExcelDispatch::operator=(CExcelDispatch&& other) noexcept
{
    if (this != &other) {
        Release();
        m_p = other.m_p;
        other.m_p = nullptr;
    }
    return *this;
}

void CExcelDispatch::Release()
{
    if (m_p) {
        IDispatch* p = m_p;
        m_p = nullptr;
        p->Release();
    }
}

void CExcelDispatch::Invoke(const wchar_t* member, WORD flags, const CExcelVariant* args, size_t count,
                            VARIANT* result)
{
    if (!m_p)
        throw CExcelError("The spreadsheet is not running.");
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    HRESULT hr = m_p->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        Fail(member, hr, nullptr);

    // Automation takes the arguments last first.
    std::vector<VARIANT> reversed(count);
    for (size_t i = 0; i < count; ++i)
        reversed[count - 1 - i] = args[i].Value();
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(count), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info = {};
    UINT badArg = 0;
    if (result)
        ::VariantInit(result);
    hr = m_p->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info, &badArg);
    if (FAILED(hr))
        Fail(member, hr, hr == DISP_E_EXCEPTION ? &info : nullptr);
}

CExcelDispatch CExcelDispatch::GetObject(const wchar_t* member, std::initializer_list<CExcelVariant> args)
{
    VARIANT result;
    Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args.begin(), args.size(), &result);
    if (result.vt != VT_DISPATCH || !result.pdispVal) {
        ::VariantClear(&result);
        Fail(member, E_NOINTERFACE, nullptr);
    }
    return CExcelDispatch(result.pdispVal);    // the result's reference becomes the driver's
}

void CExcelDispatch::Put(const wchar_t* member, const CExcelVariant& value)
{
    Invoke(member, DISPATCH_PROPERTYPUT, &value, 1, nullptr);
}

void CExcelDispatch::Call(const wchar_t* member, std::initializer_list<CExcelVariant> args)
{
    VARIANT result;
    Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args.begin(), args.size(), &result);
    ::VariantClear(&result);
}
