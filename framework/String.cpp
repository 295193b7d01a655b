#include "framework/String.h"
#include "framework/ResourceHandle.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* Safe(LPCSTR s)
{
    return s ? s : "";
}

bool IsResourceId(LPCSTR s)
{
    return s && IS_INTRESOURCE(s);
}

} // namespace

CString::CString(LPCSTR lpsz)
{
    if (IsResourceId(lpsz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    else if (lpsz)
        m_str = lpsz;
}

CString::CString(LPCSTR lpch, int nLength)
{
    if (lpch && nLength > 0)
        m_str.assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCSTR lpsz)
{
    m_str = Safe(lpsz);
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    m_str += Safe(lpsz);
    return *this;
}

char CString::GetAt(int nIndex) const
{
    return (nIndex >= 0 && nIndex < GetLength()) ? m_str[static_cast<size_t>(nIndex)] : '\0';
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_str[static_cast<size_t>(nIndex)] = ch;
}

int CString::Compare(LPCSTR lpsz) const
{
    return std::strcmp(m_str.c_str(), Safe(lpsz));
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(Safe(lpsz));
    for (;; ++a, ++b) {
        const int ca = static_cast<unsigned char>(AsciiLower(static_cast<char>(*a)));
        const int cb = static_cast<unsigned char>(AsciiLower(static_cast<char>(*b)));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

int CString::Collate(LPCSTR lpsz) const
{
    return std::strcoll(m_str.c_str(), Safe(lpsz));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int len = GetLength();
    nFirst = std::clamp(nFirst, 0, len);
    nCount = std::clamp(nCount, 0, len - nFirst);
    return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    return Left(static_cast<int>(std::strspn(m_str.c_str(), Safe(lpszCharSet))));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    return Left(static_cast<int>(std::strcspn(m_str.c_str(), Safe(lpszCharSet))));
}

void CString::MakeUpper()
{
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiUpper);
}

void CString::MakeLower()
{
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiLower);
}

void CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
}

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (char& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    const std::string from = Safe(lpszOld);
    const std::string to = Safe(lpszNew);
    if (from.empty())
        return 0;
    int n = 0;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = m_str.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(m_str, pos, hit - pos);
        out += to;
        ++n;
    }
    if (n) {
        out.append(m_str, pos, std::string::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, char ch)
{
    m_str.insert(static_cast<size_t>(std::clamp(nIndex, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCSTR lpsz)
{
    m_str.insert(static_cast<size_t>(std::clamp(nIndex, 0, GetLength())), Safe(lpsz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    nIndex = std::clamp(nIndex, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nIndex);
    m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    return GetLength();
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

CString& CString::TrimLeft()
{
    m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), IsCSpace));
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    m_str.erase(0, std::min(m_str.find_first_not_of(chTarget), m_str.size()));
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    m_str.erase(0, std::min(m_str.find_first_not_of(Safe(lpszTargets)), m_str.size()));
    return *this;
}

CString& CString::TrimRight()
{
    m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), IsCSpace).base(), m_str.end());
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    const size_t last = m_str.find_last_not_of(chTarget);
    m_str.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    const size_t last = m_str.find_last_not_of(Safe(lpszTargets));
    m_str.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    const size_t hit = m_str.find(ch, static_cast<size_t>(nStart));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    const size_t hit = m_str.find(Safe(lpszSub), static_cast<size_t>(nStart));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::ReverseFind(char ch) const
{
    const size_t hit = m_str.rfind(ch);
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    const size_t hit = m_str.find_first_of(Safe(lpszCharSet));
    return hit == std::string::npos ? -1 : static_cast<int>(hit);
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    va_list probe;
    va_copy(probe, argList);
    const int needed = std::vsnprintf(nullptr, 0, Safe(lpszFormat), probe);
    va_end(probe);
    if (needed <= 0) {
        m_str.clear();
        return;
    }
    std::string out(static_cast<size_t>(needed), '\0');
    std::vsnprintf(out.data(), out.size() + 1, Safe(lpszFormat), argList);
    m_str.swap(out);
}

BOOL CString::LoadString(UINT nID)
{
    // LoadStringA truncates silently: grow until the text fits with room to spare.
    std::vector<char> buf(256);
    for (;;) {
        const int n = ::LoadStringA(AfxGetResourceHandle(), nID, buf.data(), static_cast<int>(buf.size()));
        if (n < static_cast<int>(buf.size()) - 1) {
            m_str.assign(buf.data(), n > 0 ? static_cast<size_t>(n) : 0);
            return n > 0;
        }
        buf.resize(buf.size() * 2);
    }
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return m_str.data();
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
    m_str.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
}

namespace {

// A copy of a with b appended.
template <class A, class B> CString Joined(const A& a, const B& b)
{
    CString r(a);
    r += b;
    return r;
}

}  // namespace

CString operator+(const CString& a, const CString& b)
{
    return Joined(a, b);
}

CString operator+(const CString& a, LPCSTR b)
{
    return Joined(a, b);
}

CString operator+(LPCSTR a, const CString& b)
{
    return Joined(a, b);
}

CString operator+(const CString& a, char b)
{
    return Joined(a, b);
}

CString operator+(char a, const CString& b)
{
    return Joined(a, b);
}
