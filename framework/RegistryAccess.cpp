#include "framework/RegistryAccess.h"

#include "framework/Gdi.h"

CRegistryAccess::CRegistryAccess()
    : m_lLastError(0), m_bStoring(false), m_hRootKey(HKEY_CURRENT_USER), m_bLazyWrite(1)
{
}

CRegistryAccess::~CRegistryAccess()
{
    Reset();
}

BOOL CRegistryAccess::Reset()
{
    m_strKeyPath.Empty();
    m_hRootKey = HKEY_CURRENT_USER;
    m_bLazyWrite = 1;
    return 1;
}

BOOL CRegistryAccess::SetRootKey(HKEY hRootKey)
{
    if (hRootKey != HKEY_CLASSES_ROOT && hRootKey != HKEY_CURRENT_USER &&
        hRootKey != HKEY_LOCAL_MACHINE && hRootKey != HKEY_USERS)
        return 0;
    m_hRootKey = hRootKey;
    return 1;
}

BOOL CRegistryAccess::SetKey(const CString& path, BOOL bCreate, REGSAM access)
{
    if (path.IsEmpty()) {
        m_strKeyPath.Empty();
        return 1;
    }
    HKEY hKey = nullptr;
    if (bCreate) {
        DWORD disposition = 0;
        if (::RegCreateKeyExA(m_hRootKey, path, 0, nullptr, 0, access, nullptr, &hKey,
                              &disposition) != ERROR_SUCCESS)
            return 0;
    } else {
        m_lLastError = ::RegOpenKeyExA(m_hRootKey, path, 0, access, &hKey);
        if (m_lLastError != ERROR_SUCCESS)
            return 0;
    }
    m_strKeyPath = path;
    CloseKey(hKey, true);
    return 1;
}

BOOL CRegistryAccess::CreateKey(const CString& path)
{
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(m_hRootKey, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                          &disposition) != ERROR_SUCCESS)
        return 0;
    CloseKey(hKey, true);
    m_strKeyPath = path;
    return 1;
}

BOOL CRegistryAccess::KeyExists(const CString& path, HKEY hRoot)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot ? hRoot : m_hRootKey, path, 0, KEY_ALL_ACCESS, &hKey) !=
        ERROR_SUCCESS)
        return 0;
    ::RegCloseKey(hKey);
    return 1;
}

BOOL CRegistryAccess::DeleteKey(const CString& path)
{
    if (!KeyExists(path))
        return 1;
    return ::RegDeleteKeyA(m_hRootKey, path) == ERROR_SUCCESS ? 1 : 0;
}

HKEY CRegistryAccess::OpenCurrentKey(REGSAM access)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(m_hRootKey, m_strKeyPath.IsEmpty() ? nullptr : (LPCSTR)m_strKeyPath, 0,
                        access, &hKey) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

void CRegistryAccess::CloseKey(HKEY hKey, bool bWritten)
{
    if (bWritten && !m_bLazyWrite)
        ::RegFlushKey(hKey);
    ::RegCloseKey(hKey);
}

BOOL CRegistryAccess::DeleteValue(LPCSTR name)
{
    HKEY hKey = OpenCurrentKey(KEY_SET_VALUE);
    if (!hKey)
        return 0;
    const LONG result = ::RegDeleteValueA(hKey, name);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS ? 1 : 0;
}

BOOL CRegistryAccess::ValueExists(LPCSTR name)
{
    HKEY hKey = OpenCurrentKey(KEY_ALL_ACCESS);
    if (!hKey)
        return 0;
    const LONG result = ::RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS ? 1 : 0;
}

DWORD CRegistryAccess::GetValueType(LPCSTR name)
{
    HKEY hKey = nullptr;
    m_lLastError = ::RegOpenKeyExA(m_hRootKey,
                                   m_strKeyPath.IsEmpty() ? nullptr : (LPCSTR)m_strKeyPath, 0,
                                   KEY_QUERY_VALUE, &hKey);
    if (m_lLastError != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    m_lLastError = ::RegQueryValueExA(hKey, name, nullptr, &type, nullptr, nullptr);
    ::RegCloseKey(hKey);
    return m_lLastError == ERROR_SUCCESS ? type : 0;
}

int CRegistryAccess::GetValueSize(LPCSTR name)
{
    HKEY hKey = OpenCurrentKey(KEY_QUERY_VALUE);
    if (!hKey)
        return -1;
    DWORD size = 0;
    const LONG result = ::RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, &size);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS ? (int)size : -1;
}

int CRegistryAccess::GetSubKeyCount()
{
    HKEY hKey = OpenCurrentKey(KEY_ALL_ACCESS);
    if (!hKey)
        return -1;
    DWORD subKeys = 0;
    const LONG result = ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &subKeys, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS ? (int)subKeys : -1;
}

int CRegistryAccess::GetValueCount()
{
    HKEY hKey = OpenCurrentKey(KEY_ALL_ACCESS);
    if (!hKey)
        return -1;
    DWORD values = 0;
    const LONG result = ::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS ? (int)values : -1;
}

// Reads exactly size bytes; a value of any other length is refused, so a
// record never receives a part of something else.
bool CRegistryAccess::ReadBinary(LPCSTR name, void* pData, DWORD size)
{
    HKEY hKey = OpenCurrentKey(KEY_READ);
    if (!hKey)
        return false;
    BYTE buffer[64];
    DWORD got = size;
    const LONG result = ::RegQueryValueExA(hKey, name, nullptr, nullptr, buffer, &got);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || got != size)
        return false;
    memcpy(pData, buffer, size);
    return true;
}

double CRegistryAccess::ReadDouble(LPCSTR name, double dDefault)
{
    double value;
    return ReadBinary(name, &value, sizeof value) ? value : dDefault;
}

CString CRegistryAccess::ReadString(LPCSTR name, const CString& strDefault)
{
    const DWORD type = GetValueType(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return strDefault;
    HKEY hKey = nullptr;
    m_lLastError = ::RegOpenKeyExA(m_hRootKey,
                                   m_strKeyPath.IsEmpty() ? nullptr : (LPCSTR)m_strKeyPath, 0,
                                   KEY_READ, &hKey);
    if (m_lLastError != ERROR_SUCCESS)
        return strDefault;
    char buffer[256] = {};
    DWORD size = 255;
    m_lLastError = ::RegQueryValueExA(hKey, name, nullptr, nullptr, (BYTE*)buffer, &size);
    ::RegCloseKey(hKey);
    if (m_lLastError != ERROR_SUCCESS)
        return strDefault;
    buffer[size < 255 ? size : 255] = '\0';
    return CString(buffer);
}

DWORD CRegistryAccess::ReadDword(LPCSTR name, DWORD dwDefault)
{
    DWORD value;
    return ReadBinary(name, &value, sizeof value) ? value : dwDefault;
}

int CRegistryAccess::ReadInt(LPCSTR name, int nDefault)
{
    int value;
    return ReadBinary(name, &value, sizeof value) ? value : nDefault;
}

BOOL CRegistryAccess::ReadBool(LPCSTR name, BOOL bDefault)
{
    BOOL value;
    return ReadBinary(name, &value, sizeof value) ? value : bDefault;
}

COLORREF CRegistryAccess::ReadColour(LPCSTR name, COLORREF crDefault)
{
    COLORREF value;
    return ReadBinary(name, &value, sizeof value) ? value : crDefault;
}

BOOL CRegistryAccess::ReadFont(LPCSTR name, CFont* pFont)
{
    LOGFONTA lf;
    if (pFont == nullptr || !ReadBinary(name, &lf, sizeof lf))
        return 0;
    // The font object owns its handle; the old one is freed rather than leaked.
    HGDIOBJ hOld = pFont->Detach();
    if (hOld)
        ::DeleteObject(hOld);
    pFont->CreateFontIndirect(&lf);
    return 1;
}

BOOL CRegistryAccess::ReadRecord8(LPCSTR name, void* pRecord)
{
    return ReadBinary(name, pRecord, 8) ? 1 : 0;
}

BOOL CRegistryAccess::ReadRecord16(LPCSTR name, void* pRecord)
{
    return ReadBinary(name, pRecord, 16) ? 1 : 0;
}

BOOL CRegistryAccess::WriteValue(LPCSTR name, DWORD type, const void* pData, DWORD size)
{
    HKEY hKey = OpenCurrentKey(KEY_WRITE);
    if (!hKey)
        return 0;
    const LONG result = ::RegSetValueExA(hKey, name, 0, type, (const BYTE*)pData, size);
    CloseKey(hKey, result == ERROR_SUCCESS);
    return result == ERROR_SUCCESS ? 1 : 0;
}

BOOL CRegistryAccess::WriteBool(LPCSTR name, BOOL bValue)
{
    return WriteValue(name, REG_BINARY, &bValue, sizeof bValue);
}

BOOL CRegistryAccess::WriteInt(LPCSTR name, int nValue)
{
    return WriteValue(name, REG_BINARY, &nValue, sizeof nValue);
}

BOOL CRegistryAccess::WriteDword(LPCSTR name, DWORD dwValue)
{
    return WriteValue(name, REG_BINARY, &dwValue, sizeof dwValue);
}

BOOL CRegistryAccess::WriteColour(LPCSTR name, COLORREF crValue)
{
    return WriteValue(name, REG_BINARY, &crValue, sizeof crValue);
}

BOOL CRegistryAccess::WriteDouble(LPCSTR name, double dValue)
{
    return WriteValue(name, REG_BINARY, &dValue, sizeof dValue);
}

BOOL CRegistryAccess::WriteString(LPCSTR name, const CString& strValue)
{
    // The reader's buffer holds 255 bytes with the terminator.
    if (strValue.GetLength() > 254)
        return 0;
    return WriteValue(name, REG_SZ, (LPCSTR)strValue, strValue.GetLength() + 1);
}

BOOL CRegistryAccess::WriteFont(LPCSTR name, CFont* pFont)
{
    LOGFONTA lf;
    if (pFont == nullptr || pFont->GetLogFont(&lf) != (int)sizeof lf)
        return 0;
    return WriteValue(name, REG_BINARY, &lf, sizeof lf);
}

BOOL CRegistryAccess::WriteRecord8(LPCSTR name, const void* pRecord)
{
    return WriteValue(name, REG_BINARY, pRecord, 8);
}

BOOL CRegistryAccess::WriteRecord16(LPCSTR name, const void* pRecord)
{
    return WriteValue(name, REG_BINARY, pRecord, 16);
}

BOOL CRegistryAccess::ExchangeFlag(LPCSTR name, bool* pValue)
{
    if (m_bStoring)
        return WriteBool(name, *pValue ? 1 : 0);
    const BOOL value = ReadBool(name, *pValue ? 1 : 0);
    *pValue = value > 0;
    return value > 0 ? 1 : 0;
}

BOOL CRegistryAccess::ExchangeBool(LPCSTR name, BOOL* pValue)
{
    if (m_bStoring)
        return WriteBool(name, *pValue);
    const BOOL value = ReadBool(name, *pValue);
    *pValue = value > 0 ? 1 : 0;
    return value > 0 ? 1 : 0;
}

void CRegistryAccess::ExchangeString(LPCSTR name, CString* pValue)
{
    if (m_bStoring)
        WriteString(name, *pValue);
    else
        *pValue = ReadString(name, *pValue);
}

void CRegistryAccess::ExchangeDouble(LPCSTR name, double* pValue)
{
    if (m_bStoring)
        WriteDouble(name, *pValue);
    else
        *pValue = ReadDouble(name, *pValue);
}

void CRegistryAccess::ExchangeInt(LPCSTR name, int* pValue)
{
    if (m_bStoring)
        WriteInt(name, *pValue);
    else
        *pValue = ReadInt(name, *pValue);
}

void CRegistryAccess::ExchangeColour(LPCSTR name, COLORREF* pValue)
{
    if (m_bStoring)
        WriteColour(name, *pValue);
    else
        *pValue = ReadColour(name, *pValue);
}

// A date-time is its 12 raw bytes: the DATE double, then the 32-bit status.
static_assert(sizeof(DATE) + sizeof(LONG) == 12);

COleDateTime CRegistryAccess::ReadDateTime(LPCSTR name, const COleDateTime& dtDefault)
{
    BYTE raw[12];
    if (!ReadBinary(name, raw, sizeof raw))
        return dtDefault;
    COleDateTime value;
    memcpy(&value.m_dt, raw, sizeof value.m_dt);
    memcpy(&value.m_status, raw + sizeof value.m_dt, sizeof value.m_status);
    return value;
}

BOOL CRegistryAccess::WriteDateTime(LPCSTR name, const COleDateTime& dtValue)
{
    BYTE raw[12];
    memcpy(raw, &dtValue.m_dt, sizeof dtValue.m_dt);
    memcpy(raw + sizeof dtValue.m_dt, &dtValue.m_status, sizeof dtValue.m_status);
    return WriteValue(name, REG_BINARY, raw, sizeof raw);
}
