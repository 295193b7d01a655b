#include "framework/File.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

// ---------------------------------------------------------------- CFile

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : CFile()
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    char full[MAX_PATH];
    const DWORD n = lpszFileName ? GetFullPathNameA(lpszFileName, MAX_PATH, full, nullptr) : 0;
    m_strFileName = (n > 0 && n < MAX_PATH) ? CString(full) : CString(lpszFileName);

    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    DWORD creation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    const HANDLE h = lpszFileName
        ? CreateFileA(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, nullptr)
        : INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE) {
        const LONG error = lpszFileName ? static_cast<LONG>(GetLastError()) : ERROR_INVALID_NAME;
        if (pError) {
            pError->m_lOsError = error;
            pError->m_cause = CFileException::OsErrorToException(error);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::ThrowLastError() const
{
    const LONG error = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(error), error, m_strFileName);
}

void CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != INVALID_HANDLE_VALUE)
        ok = CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        ThrowLastError();
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    const DWORD method = nFrom == begin ? FILE_BEGIN : nFrom == end ? FILE_END : FILE_CURRENT;
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, distance, &position, method))
        ThrowLastError();
    return static_cast<LONG>(position.QuadPart);
}

DWORD CFile::GetPosition() const
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<DWORD>(position.QuadPart);
}

DWORD CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<DWORD>(size.QuadPart);
}

void CFile::SetLength(DWORD dwNewLen)
{
    Seek(static_cast<LONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError();
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile))
        ThrowLastError();
}

CString CFile::GetFileName() const
{
    const CString path = GetFilePath();
    const int cut = std::max({path.ReverseFind('\\'), path.ReverseFind('/'), path.ReverseFind(':')});
    return path.Mid(cut + 1);
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!MoveFileA(lpszOldName, lpszNewName)) {
        const LONG error = static_cast<LONG>(GetLastError());
        AfxThrowFileException(CFileException::OsErrorToException(error), error, lpszOldName);
    }
}

void CFile::Remove(LPCSTR lpszFileName)
{
    if (!DeleteFileA(lpszFileName)) {
        const LONG error = static_cast<LONG>(GetLastError());
        AfxThrowFileException(CFileException::OsErrorToException(error), error, lpszFileName);
    }
}

// ---------------------------------------------------------------- CStdioFile

namespace {
constexpr size_t kStdioBufferSize = 64 * 1024;
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    // A destructor cannot report a failed final write; callers that care
    // call Close() themselves.
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_readBuf.clear();
    m_readPos = 0;
    m_writeBuf.clear();
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError);
}

void CStdioFile::Close()
{
    try {
        Flush();
    } catch (CException*) {
        Abort();
        throw;
    }
    m_readBuf.clear();
    m_readPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_readBuf.clear();
    m_readPos = 0;
    m_writeBuf.clear();
    CFile::Abort();
}

bool CStdioFile::FillReadBuffer()
{
    Flush();
    m_readBuf.resize(kStdioBufferSize);
    m_readBuf.resize(CFile::Read(m_readBuf.data(), static_cast<UINT>(kStdioBufferSize)));
    m_readPos = 0;
    return !m_readBuf.empty();
}

// Puts the file's own position back where the caller believes it is.
void CStdioFile::DropReadBuffer()
{
    const size_t unread = m_readBuf.size() - m_readPos;
    m_readBuf.clear();
    m_readPos = 0;
    if (unread)
        CFile::Seek(-static_cast<LONG>(unread), current);
}

BOOL CStdioFile::ReadString(CString& rString)
{
    std::string line;
    bool any = false, ended = false;
    while (!ended) {
        if (m_readPos == m_readBuf.size() && !FillReadBuffer())
            break;
        const char* start = m_readBuf.data() + m_readPos;
        const char* stop = m_readBuf.data() + m_readBuf.size();
        const char* nl = std::find(start, stop, '\n');
        line.append(start, nl);
        any = true;
        if (nl != stop) {
            ended = true;
            m_readPos = static_cast<size_t>(nl - m_readBuf.data()) + 1;
        } else {
            m_readPos = m_readBuf.size();
        }
    }
    if (m_bText && ended && !line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return any;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

void CStdioFile::WriteRaw(const char* p, size_t n)
{
    m_writeBuf.insert(m_writeBuf.end(), p, p + n);
    if (m_writeBuf.size() >= kStdioBufferSize)
        Flush();
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_readBuf.empty())
        DropReadBuffer();
    const char* p = static_cast<const char*>(lpBuf);
    if (!m_bText) {
        WriteRaw(p, nCount);
        return;
    }
    const char* end = p + nCount;
    while (p < end) {
        const char* nl = std::find(p, end, '\n');
        WriteRaw(p, static_cast<size_t>(nl - p));
        if (nl == end)
            break;
        WriteRaw("\r\n", 2);
        p = nl + 1;
    }
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    char* out = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        if (m_readPos == m_readBuf.size() && !FillReadBuffer())
            break;
        const char c = m_readBuf[m_readPos++];
        if (m_bText && c == '\r') {
            // "\r\n" reads as "\n"; a lone "\r" stays.
            if (m_readPos == m_readBuf.size())
                FillReadBuffer();
            if (m_readPos < m_readBuf.size() && m_readBuf[m_readPos] == '\n')
                continue;
        }
        out[done++] = c;
    }
    return done;
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    Flush();
    DropReadBuffer();
    return CFile::Seek(lOff, nFrom);
}

DWORD CStdioFile::GetPosition() const
{
    const DWORD pos = CFile::GetPosition();
    return static_cast<DWORD>(pos + m_writeBuf.size() - (m_readBuf.size() - m_readPos));
}

DWORD CStdioFile::GetLength() const
{
    return std::max<DWORD>(CFile::GetLength(), GetPosition());
}

void CStdioFile::SetLength(DWORD dwNewLen)
{
    Flush();
    DropReadBuffer();
    CFile::SetLength(dwNewLen);
}

void CStdioFile::Flush()
{
    if (m_writeBuf.empty())
        return;
    std::vector<char> pending;
    pending.swap(m_writeBuf);
    CFile::Write(pending.data(), static_cast<UINT>(pending.size()));
}

// ---------------------------------------------------------------- CMemFile

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    FreeMemory();
}

void CMemFile::FreeMemory()
{
    if (m_bAutoDelete)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    FreeMemory();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    // A fixed buffer is the file's content; a growable one starts empty.
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* data = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_bAutoDelete = TRUE;
    FreeMemory();
    return data;
}

BOOL CMemFile::Open(LPCSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}

void CMemFile::Close()
{
    FreeMemory();
}

void CMemFile::Abort()
{
    FreeMemory();
}

void CMemFile::GrowFile(DWORD dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    const ULONGLONG steps = (static_cast<ULONGLONG>(dwNewLen) + m_nGrowBytes - 1) / m_nGrowBytes;
    const ULONGLONG newSize = steps * m_nGrowBytes;
    if (newSize > 0xFFFFFFFFull)
        AfxThrowMemoryException();
    BYTE* p = nullptr;
    if (m_bAutoDelete) {
        p = static_cast<BYTE*>(std::realloc(m_lpBuffer, static_cast<size_t>(newSize)));
    } else {
        // The caller's memory is never reallocated or freed behind its back.
        p = static_cast<BYTE*>(std::malloc(static_cast<size_t>(newSize)));
        if (p && m_nFileSize)
            std::memcpy(p, m_lpBuffer, m_nFileSize);
    }
    if (!p)
        AfxThrowMemoryException();
    m_lpBuffer = p;
    m_nBufferSize = static_cast<DWORD>(newSize);
    m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    const UINT n = std::min<UINT>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const ULONGLONG end = static_cast<ULONGLONG>(m_nPosition) + nCount;
    if (end > 0xFFFFFFFFull)
        AfxThrowMemoryException();
    GrowFile(static_cast<DWORD>(end));
    if (m_nPosition > m_nFileSize)  // written after a seek past the end: no stale bytes
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = static_cast<DWORD>(end);
    m_nFileSize = std::max(m_nFileSize, m_nPosition);
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
    LONGLONG base = nFrom == begin ? 0 : nFrom == end ? m_nFileSize : m_nPosition;
    const LONGLONG pos = base + lOff;
    if (pos < 0 || pos > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<DWORD>(pos);
    return static_cast<LONG>(pos);
}

void CMemFile::SetLength(DWORD dwNewLen)
{
    GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    m_nFileSize = dwNewLen;
    m_nPosition = std::min(m_nPosition, dwNewLen);
}
