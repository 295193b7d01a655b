// A thin driver of an automation object (IDispatch): members are called by
// name, arguments travel as variants, and every failure becomes a
// CExcelError that carries the text to show the user.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>

#include <windows.h>
#include <oaidl.h>

// An automation call that failed (or a request the sheet cannot take).
class CExcelError : public std::runtime_error
{
public:
    explicit CExcelError(const std::string& what) : std::runtime_error(what) {}
};

// A VARIANT that clears itself. Texts are Windows-1252 and become BSTRs.
class CExcelVariant
{
public:
    CExcelVariant() { ::VariantInit(&m_v); }
    CExcelVariant(short value) : CExcelVariant() { m_v.vt = VT_I2; m_v.iVal = value; }
    CExcelVariant(long value) : CExcelVariant() { m_v.vt = VT_I4; m_v.lVal = value; }
    CExcelVariant(double value) : CExcelVariant() { m_v.vt = VT_R8; m_v.dblVal = value; }
    CExcelVariant(bool value) : CExcelVariant() { m_v.vt = VT_BOOL; m_v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
    CExcelVariant(const char* text);
    // Holds a reference of its own.
    CExcelVariant(IDispatch* dispatch);
    CExcelVariant(const CExcelVariant& other);
    CExcelVariant& operator=(const CExcelVariant& other);
    ~CExcelVariant() { if (!m_borrowed) ::VariantClear(&m_v); }

    // An optional argument left out.
    static CExcelVariant Missing();
    // Refers to an array the caller keeps; it is never freed through this variant.
    static CExcelVariant ArrayRef(SAFEARRAY* array, VARTYPE elementType);

    VARIANT* Get() { return &m_v; }
    const VARIANT& Value() const { return m_v; }

private:
    VARIANT m_v;
    bool m_borrowed = false;
};

class CExcelDispatch
{
public:
    CExcelDispatch() = default;
    // Takes over the reference of `dispatch` (null gives an empty driver).
    explicit CExcelDispatch(IDispatch* dispatch) : m_p(dispatch) {}
    CExcelDispatch(CExcelDispatch&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    CExcelDispatch& operator=(CExcelDispatch&& other) noexcept;
    CExcelDispatch(const CExcelDispatch&) = delete;
    CExcelDispatch& operator=(const CExcelDispatch&) = delete;
    ~CExcelDispatch() { Release(); }

    void Release();
    IDispatch* GetInterface() const { return m_p; }
    bool IsEmpty() const { return m_p == nullptr; }

    // A property or the result of a method that is an object.
    CExcelDispatch GetObject(const wchar_t* member, std::initializer_list<CExcelVariant> args = {});
    // Sets a property.
    void Put(const wchar_t* member, const CExcelVariant& value);
    // Calls a method and drops its result.
    void Call(const wchar_t* member, std::initializer_list<CExcelVariant> args = {});

private:
    // Arguments in their natural order; the result, if asked for, is cleared first.
    void Invoke(const wchar_t* member, WORD flags, const CExcelVariant* args, size_t count, VARIANT* result);

    IDispatch* m_p = nullptr;
};
