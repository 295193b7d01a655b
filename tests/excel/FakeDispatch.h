// An automation object that answers every member: it records each call with
// its arguments in a shared log, and every property or method result is a new
// fake named by the path that reached it. A member can be told to fail.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

struct DispatchLog {
    std::vector<std::string> calls;     // "get|put|call <path>.<member>(<args>)[ = <value>]"
    std::vector<std::string> names;     // member names by DISPID - 1
    std::string failing;                // a member that raises an exception
    int live = 0;                       // fake objects not yet released
};

class FakeDispatch : public IDispatch
{
public:
    FakeDispatch(std::string path, std::shared_ptr<DispatchLog> log) : m_path(std::move(path)), m_log(std::move(log))
    {
        ++m_log->live;
    }
    virtual ~FakeDispatch() { --m_log->live; }

    const std::string& Path() const { return m_path; }
    static constexpr unsigned kMagic = 0x46414B45;
    unsigned magic = kMagic;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG n = --m_refs;
        if (n == 0)
            delete this;
        return n;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        for (UINT i = 0; i < count; ++i) {
            std::string name;
            for (const wchar_t* c = names[i]; *c; ++c)
                name += static_cast<char>(*c);
            auto& all = m_log->names;
            size_t k = 0;
            while (k < all.size() && all[k] != name)
                ++k;
            if (k == all.size())
                all.push_back(name);
            ids[i] = static_cast<DISPID>(k + 1);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT*) override
    {
        const std::string member = m_log->names.at(static_cast<size_t>(id - 1));
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        std::string args;
        // Arguments arrive last first; a put's value is the named one, first.
        const UINT positional = params->cArgs - (put ? 1 : 0);
        for (UINT i = 0; i < positional; ++i) {
            if (i)
                args += ",";
            args += Describe(params->rgvarg[params->cArgs - 1 - i]);
        }
        std::string entry = (put ? "put " : "get ") + m_path + "." + member + (positional ? "(" + args + ")" : "");
        if (put)
            entry += " = " + Describe(params->rgvarg[0]);
        m_log->calls.push_back(entry);
        if (member == m_log->failing) {
            if (info) {
                *info = EXCEPINFO();
                info->bstrDescription = ::SysAllocString(L"The sheet is protected.");
            }
            return DISP_E_EXCEPTION;
        }
        if (result && !put) {
            result->vt = VT_DISPATCH;
            result->pdispVal = new FakeDispatch(m_path + "." + member + (positional ? "(" + args + ")" : ""), m_log);
            result->pdispVal->AddRef();
        }
        return S_OK;
    }

    static std::string Describe(const VARIANT& v)
    {
        char text[64];
        switch (v.vt) {
        case VT_I2: std::snprintf(text, sizeof text, "i2:%d", v.iVal); return text;
        case VT_I4: std::snprintf(text, sizeof text, "i4:%ld", static_cast<long>(v.lVal)); return text;
        case VT_R8: std::snprintf(text, sizeof text, "%g", v.dblVal); return text;
        case VT_BOOL: return v.boolVal ? "true" : "false";
        case VT_EMPTY: return "_";
        case VT_ERROR: return v.scode == DISP_E_PARAMNOTFOUND ? "missing" : "error";
        case VT_BSTR: {
            std::string s = "'";
            for (const wchar_t* c = v.bstrVal; c && *c; ++c)
                s += static_cast<char>(*c);
            return s + "'";
        }
        case VT_DISPATCH: {
            auto* fake = static_cast<FakeDispatch*>(v.pdispVal);
            return fake && fake->magic == kMagic ? "@" + fake->m_path : "@?";
        }
        case VT_ARRAY | VT_VARIANT: {
            SAFEARRAY* a = v.parray;
            LONG r0 = 0, r1 = -1, c0 = 0, c1 = -1;
            if (::SafeArrayGetDim(a) != 2)
                return "array?";
            ::SafeArrayGetLBound(a, 1, &r0);
            ::SafeArrayGetUBound(a, 1, &r1);
            ::SafeArrayGetLBound(a, 2, &c0);
            ::SafeArrayGetUBound(a, 2, &c1);
            std::string s = "[";
            for (LONG r = r0; r <= r1; ++r) {
                s += r > r0 ? ";" : "";
                for (LONG c = c0; c <= c1; ++c) {
                    LONG index[2] = {r, c};
                    VARIANT e;
                    ::VariantInit(&e);
                    ::SafeArrayGetElement(a, index, &e);
                    s += (c > c0 ? "," : "") + Describe(e);
                    ::VariantClear(&e);
                }
            }
            return s + "]";
        }
        default: std::snprintf(text, sizeof text, "vt%d", v.vt); return text;
        }
    }

private:
    std::string m_path;
    std::shared_ptr<DispatchLog> m_log;
    ULONG m_refs = 0;
};
