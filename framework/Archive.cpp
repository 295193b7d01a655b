#include "framework/Archive.h"
#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr WORD kNullTag = 0;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFE;
// Class names longer than this were never readable by the format's readers.
constexpr WORD kMaxClassNameLength = 63;
// Objects nested deeper than this are a damaged file, not a document.
constexpr int kMaxDepth = 256;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode)
{
    m_buffer.resize(static_cast<size_t>(std::max(nBufSize, 512)));
    if (m_pFile) {
        m_strFileName = m_pFile->GetFilePath();
        if (IsLoading()) {
            const DWORD length = m_pFile->GetLength();
            const DWORD position = m_pFile->GetPosition();
            m_nTotalLeft = length > position ? length - position : 0;
        }
    }
    if (IsLoading())
        m_loadArray.push_back({nullptr, nullptr, 0});
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

void CArchive::Fail(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

ULONGLONG CArchive::GetBytesLeft() const
{
    return IsLoading() ? (m_nBufUsed - m_nBufPos) + m_nTotalLeft : 0;
}

void CArchive::CheckCount(ULONGLONG nCount, ULONGLONG nElementSize) const
{
    const ULONGLONG left = GetBytesLeft();
    if (nElementSize && nCount > left / nElementSize)
        Fail(CArchiveException::endOfFile);
}

bool CArchive::FillBuffer()
{
    if (!m_pFile || m_nTotalLeft == 0)
        return false;
    const UINT want = static_cast<UINT>(std::min<ULONGLONG>(m_buffer.size(), m_nTotalLeft));
    const UINT got = m_pFile->Read(m_buffer.data(), want);
    m_nBufPos = 0;
    m_nBufUsed = got;
    // A file that ends before its reported length simply has nothing more.
    m_nTotalLeft = got == 0 ? 0 : m_nTotalLeft - got;
    return got != 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nBufPos == m_nBufUsed && !FillBuffer())
            break;
        const size_t n = std::min<size_t>(nMax - done, m_nBufUsed - m_nBufPos);
        std::memcpy(out + done, m_buffer.data() + m_nBufPos, n);
        m_nBufPos += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount)
{
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    if (GetBytesLeft() < nCount || Read(lpBuf, nCount) != nCount)
        Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_nBufUsed == m_buffer.size())
            FlushWrites();
        const size_t n = std::min<size_t>(nMax, m_buffer.size() - m_nBufUsed);
        std::memcpy(m_buffer.data() + m_nBufUsed, in, n);
        m_nBufUsed += n;
        in += n;
        nMax -= static_cast<UINT>(n);
    }
}

void CArchive::FlushWrites()
{
    if (m_nBufUsed && m_pFile) {
        const UINT n = static_cast<UINT>(m_nBufUsed);
        m_nBufUsed = 0;
        m_pFile->Write(m_buffer.data(), n);
    }
    m_nBufUsed = 0;
}

void CArchive::Flush()
{
    if (IsStoring()) {
        FlushWrites();
        return;
    }
    const size_t unread = m_nBufUsed - m_nBufPos;
    m_nBufPos = m_nBufUsed = 0;
    if (unread && m_pFile) {
        m_pFile->Seek(-static_cast<LONG>(unread), CFile::current);
        m_nTotalLeft += unread;
    }
}

void CArchive::Close()
{
    if (m_pFile)
        Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_nBufPos = m_nBufUsed = 0;
    m_pFile = nullptr;
}

DWORD CArchive::NextIndex()
{
    if (m_nMapCount >= kMaxMapCount)
        Fail(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::WriteStringLength(DWORD nLength)
{
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
    } else if (nLength < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << nLength;
    }
}

DWORD CArchive::ReadStringLength()
{
    BYTE b;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    *this >> w;
    if (w == 0xFFFE)  // a wide-character string, which this program never wrote
        Fail(CArchiveException::generic);
    if (w < 0xFFFE)
        return w;
    DWORD dw;
    *this >> dw;
    return dw;
}

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
    } else {
        *this << static_cast<WORD>(0xFFFF) << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    DWORD n = w;
    if (w == 0xFFFF)
        *this >> n;
    CheckCount(n, 1);
    return n;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    if (!pClassRef || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();  // not a serialisable class: a program error

    const auto known = m_storeMap.find(pClassRef);
    if (known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag)
            *this << static_cast<WORD>(kClassTag | index);
        else
            *this << kBigObjectTag << (kBigClassTag | index);
        return;
    }
    const size_t nameLength = std::strlen(pClassRef->m_lpszClassName);
    *this << kNewClassTag << static_cast<WORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA)
          << static_cast<WORD>(nameLength);
    Write(pClassRef->m_lpszClassName, static_cast<UINT>(nameLength));
    m_storeMap[pClassRef] = NextIndex();
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    if (!pOb) {
        *this << kNullTag;
        return;
    }
    const auto known = m_storeMap.find(pOb);
    if (known != m_storeMap.end()) {
        const DWORD index = known->second;
        if (index < kBigObjectTag)
            *this << static_cast<WORD>(index);
        else
            *this << kBigObjectTag << index;
        return;
    }
    CRuntimeClass* cls = pOb->GetRuntimeClass();
    WriteClass(cls);
    m_storeMap[pOb] = NextIndex();

    const UINT saved = m_nObjectSchema;
    m_nObjectSchema = cls->m_wSchema & ~VERSIONABLE_SCHEMA;
    try {
        const_cast<CObject*>(pOb)->Serialize(*this);
    } catch (...) {
        m_nObjectSchema = saved;
        throw;
    }
    m_nObjectSchema = saved;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == kBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & kClassTag) << 16) | (wTag & 0x7FFF);

    CRuntimeClass* cls = nullptr;
    UINT schema = 0;
    if (wTag == kNewClassTag) {
        WORD wSchema, nLength;
        *this >> wSchema >> nLength;
        if (nLength == 0 || nLength > kMaxClassNameLength)
            Fail(CArchiveException::badClass);
        char name[kMaxClassNameLength + 1];
        ReadExactly(name, nLength);
        name[nLength] = '\0';
        cls = CRuntimeClass::FromName(name);
        if (!cls || std::strlen(name) != nLength)
            Fail(CArchiveException::badClass);
        if (!(cls->m_wSchema & VERSIONABLE_SCHEMA) && cls->m_wSchema != wSchema)
            Fail(CArchiveException::badSchema);
        schema = wSchema;
        NextIndex();
        m_loadArray.push_back({nullptr, cls, schema});
    } else if (obTag & kBigClassTag) {
        const DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].cls)
            Fail(CArchiveException::badIndex);
        cls = m_loadArray[index].cls;
        schema = m_loadArray[index].schema;
    } else {
        // An object's tag where a class was expected.
        if (!pObTag)
            Fail(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }
    if (pClassRefRequested && !cls->IsDerivedFrom(pClassRefRequested))
        Fail(CArchiveException::badClass);
    if (pSchema)
        *pSchema = schema;
    if (pObTag)
        *pObTag = obTag;
    return cls;
}

void CArchive::ForgetObject(const CObject* pOb)
{
    // An object has one entry, most often the newest: search from the end.
    for (auto it = m_loadArray.rbegin(); it != m_loadArray.rend(); ++it) {
        if (it->object == pOb) {
            it->object = nullptr;
            return;
        }
    }
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT schema = 0;
    DWORD obTag = 0;
    CRuntimeClass* cls = ReadClass(pClassRefRequested, &schema, &obTag);
    if (!cls) {
        if (obTag == 0)
            return nullptr;
        if (obTag >= m_loadArray.size() || !m_loadArray[obTag].object)
            Fail(CArchiveException::badIndex);
        CObject* pOb = m_loadArray[obTag].object;
        if (pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
            Fail(CArchiveException::badClass);
        return pOb;
    }
    if (!cls->m_pfnCreateObject)
        Fail(CArchiveException::badClass);
    if (m_nDepth >= kMaxDepth)
        Fail(CArchiveException::generic);

    CObject* pOb = nullptr;
    try {
        pOb = cls->CreateObject();
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    if (!pOb)
        AfxThrowMemoryException();

    // Registered before its Serialize, so that objects inside it can refer to it.
    const size_t slot = m_loadArray.size();
    try {
        NextIndex();
        m_loadArray.push_back({pOb, nullptr, 0});
    } catch (...) {
        delete pOb;
        throw;
    }
    const UINT saved = m_nObjectSchema;
    m_nObjectSchema = schema;
    ++m_nDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // Nobody else holds the half-read object yet: free it and make sure no
        // later reference can reach it.
        --m_nDepth;
        m_nObjectSchema = saved;
        m_loadArray[slot].object = nullptr;
        delete pOb;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = saved;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

CObject* AfxReadObject(CArchive& ar, const CRuntimeClass* pClassRefRequested)
{
    return ar.ReadObject(pClassRefRequested);
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    ar.WriteStringLength(static_cast<DWORD>(string.GetLength()));
    ar.Write(static_cast<LPCSTR>(string), static_cast<UINT>(string.GetLength()));
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    const DWORD n = ar.ReadStringLength();
    ar.CheckCount(n, 1);
    CString text;
    char* p = text.GetBufferSetLength(static_cast<int>(n));
    if (ar.Read(p, n) != n)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    string = text;
    return ar;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
