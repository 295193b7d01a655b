// A small value class over the registry: one root key and a sub-key path name
// the current key; every operation opens that key afresh, does its work and
// closes it again, so an instance holds no handle between calls.
#pragma once

#include <windows.h>
#include "framework/OleDateTime.h"
#include "framework/String.h"

class CFont;

class CRegistryAccess
{
public:
    CRegistryAccess();
    ~CRegistryAccess();

    LONG m_lLastError;   // result of the last open or query that records it
    bool m_bStoring;     // direction of the Exchange... operations
    HKEY m_hRootKey;
    BOOL m_bLazyWrite;   // 0: flush the key after every successful write
    CString m_strKeyPath;

    // Key selection and keys.
    BOOL Reset();
    BOOL SetRootKey(HKEY hRootKey);
    BOOL SetKey(const CString& path, BOOL bCreate, REGSAM access);
    BOOL CreateKey(const CString& path);
    BOOL KeyExists(const CString& path, HKEY hRoot = nullptr);
    BOOL DeleteKey(const CString& path);
    BOOL DeleteValue(LPCSTR name);
    BOOL ValueExists(LPCSTR name);
    DWORD GetValueType(LPCSTR name);
    int GetValueSize(LPCSTR name);
    int GetSubKeyCount();
    int GetValueCount();

    // Typed reads: the caller's default when the key or value cannot be read.
    double ReadDouble(LPCSTR name, double dDefault);
    CString ReadString(LPCSTR name, const CString& strDefault);
    DWORD ReadDword(LPCSTR name, DWORD dwDefault);
    int ReadInt(LPCSTR name, int nDefault);
    BOOL ReadBool(LPCSTR name, BOOL bDefault);
    COLORREF ReadColour(LPCSTR name, COLORREF crDefault);
    BOOL ReadFont(LPCSTR name, CFont* pFont);
    COleDateTime ReadDateTime(LPCSTR name, const COleDateTime& dtDefault);
    BOOL ReadRecord8(LPCSTR name, void* pRecord);
    BOOL ReadRecord16(LPCSTR name, void* pRecord);

    // Typed writes: 1 on success; a missing key is not created.
    BOOL WriteBool(LPCSTR name, BOOL bValue);
    BOOL WriteInt(LPCSTR name, int nValue);
    BOOL WriteDword(LPCSTR name, DWORD dwValue);
    BOOL WriteColour(LPCSTR name, COLORREF crValue);
    BOOL WriteDouble(LPCSTR name, double dValue);
    BOOL WriteString(LPCSTR name, const CString& strValue);
    BOOL WriteFont(LPCSTR name, CFont* pFont);
    BOOL WriteDateTime(LPCSTR name, const COleDateTime& dtValue);
    BOOL WriteRecord8(LPCSTR name, const void* pRecord);
    BOOL WriteRecord16(LPCSTR name, const void* pRecord);

    // One call serves loading and saving, by the storing direction.
    void SetStoring(bool bStoring) { m_bStoring = bStoring; }
    BOOL ExchangeFlag(LPCSTR name, bool* pValue);
    BOOL ExchangeBool(LPCSTR name, BOOL* pValue);
    void ExchangeString(LPCSTR name, CString* pValue);
    void ExchangeDouble(LPCSTR name, double* pValue);
    void ExchangeInt(LPCSTR name, int* pValue);
    void ExchangeColour(LPCSTR name, COLORREF* pValue);

private:
    HKEY OpenCurrentKey(REGSAM access);
    void CloseKey(HKEY hKey, bool bWritten);
    bool ReadBinary(LPCSTR name, void* pData, DWORD size);
    BOOL WriteValue(LPCSTR name, DWORD type, const void* pData, DWORD size);
};
