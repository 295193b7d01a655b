#pragma once
// Files: CFile over a Win32 file handle, CStdioFile for text lines and
// CMemFile over a growable block of memory. Failures throw CFileException*
// (Open reports them through its optional CFileException instead).

#include <windows.h>
#include <vector>
#include "framework/Exception.h"
#include "framework/Object.h"
#include "framework/String.h"

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile();
    // Takes over an open handle; it is not closed by the destructor.
    explicit CFile(HANDLE hFile);
    // Opens or throws CFileException*.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeCreate truncates an existing file unless modeNoTruncate is given.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Closing flushes; a failure throws. Abort closes and ignores failures.
    virtual void Close();
    virtual void Abort();

    // The number of bytes read, fewer only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    // The new position from the start.
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);
    virtual void Flush();

    // The full path given to Open, and its last component.
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual CString GetFileName() const;
    virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

    static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void Remove(LPCSTR lpszFileName);

    static inline const HANDLE hFileNull = INVALID_HANDLE_VALUE;
    HANDLE m_hFile;

protected:
    [[noreturn]] void ThrowLastError() const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// A text or binary file read and written through a buffer. In text mode (the
// default) WriteString and Write turn "\n" into "\r\n"; ReadString takes lines
// ended by "\r\n" or by "\n" alike. No byte (not even Ctrl+Z) ends a file early.
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;

    // The next line without its ending; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    virtual void WriteString(LPCSTR lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetPosition() const override;
    DWORD GetLength() const override;
    void SetLength(DWORD dwNewLen) override;
    void Flush() override;

private:
    bool FillReadBuffer();
    void DropReadBuffer();
    void WriteRaw(const char* p, size_t n);

    bool m_bText = true;
    std::vector<char> m_readBuf;  // bytes read ahead of the caller
    size_t m_readPos = 0;
    std::vector<char> m_writeBuf;  // bytes not yet handed to the file
};

// A file in memory. It grows in steps of nGrowBytes; an attached buffer with a
// growth step of 0 has a fixed size, and writing past it throws
// CMemoryException*. The memory belongs to the file (malloc/realloc/free)
// unless it was attached and not detached.
class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the data to the caller (free() it) and leaves the file empty.
    BYTE* Detach();

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;
    void Abort() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetPosition() const override { return m_nPosition; }
    DWORD GetLength() const override { return m_nFileSize; }
    void SetLength(DWORD dwNewLen) override;
    void Flush() override {}

private:
    void GrowFile(DWORD dwNewLen);
    void FreeMemory();

    UINT m_nGrowBytes;
    DWORD m_nPosition = 0;
    DWORD m_nBufferSize = 0;
    DWORD m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE;
};
