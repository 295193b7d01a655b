#pragma once
// CArchive: the class library's binary archive, byte for byte, so that
// documents written by the original program can be read.
//
// Layout (all little-endian, no padding):
//   integers as 1, 2 or 4 bytes, float 4 and double 8 bytes (IEEE);
//   strings: length byte < 0xFF; else 0xFF + 16-bit length < 0xFFFE; else
//     0xFF, 0xFFFF + 32-bit length; then the characters without terminator;
//   counts: 16-bit below 0xFFFF, else 0xFFFF + 32-bit;
//   objects, by a 16-bit tag:
//     0x0000            null
//     0x0001..0x7FFE    an object seen before, by index
//     0x7FFF            a 32-bit tag follows (bit 31 set: a class index)
//     0x8000 | index    a class seen before; a new object of it follows
//     0xFFFF            a new class: 16-bit schema, 16-bit name length, name;
//                       a new object of it follows
//   Classes and objects share one index counter that starts at 1. A new
//   object takes its index before its own Serialize runs, so objects it
//   contains can refer back to it.
//
// Reading never trusts the file: every count, length and tag is checked
// against the bytes left and against what has been read so far, and a bad one
// throws CArchiveException* (endOfFile, badIndex, badClass, badSchema or
// generic) before anything is allocated for it.

#include <windows.h>
#include <unordered_map>
#include <vector>
#include "framework/Exception.h"
#include "framework/File.h"
#include "framework/Object.h"
#include "framework/String.h"

class CDocument;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive when Close or Abort was not called; a failure to
    // write the last buffer is lost here, so writers call Close themselves.
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // The schema stored with the class of the object being read (the class's
    // own schema while storing). It stays valid for the whole Serialize of
    // that object, across the base classes' parts and nested objects.
    UINT GetObjectSchema() const { return m_nObjectSchema; }
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // The bytes read, fewer only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes the buffer to the file (storing) or puts the file position back
    // to what has been read (loading).
    void Flush();
    void Close();
    void Abort();

    // The number of bytes that can still be read.
    ULONGLONG GetBytesLeft() const;
    // Throws endOfFile unless nCount elements of at least nElementSize bytes
    // each can still be read.
    void CheckCount(ULONGLONG nCount, ULONGLONG nElementSize) const;

    // The string length prefix alone (the characters follow).
    void WriteStringLength(DWORD nLength);
    DWORD ReadStringLength();

    void WriteCount(DWORD dwCount);
    // A count read is never larger than the bytes left (every element takes
    // at least one byte); callers that know more use CheckCount.
    DWORD ReadCount();

    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // A reader that keeps a copy of an object it read and frees the object
    // tells the archive, so that a later reference to it in the file is a bad
    // index instead of a pointer to freed memory.
    void ForgetObject(const CObject* pOb);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr,
                             UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(short n) { return WriteValue(n); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
    CArchive& operator<<(UINT u) { return WriteValue(static_cast<DWORD>(u)); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    // Flags travel as BYTE; a bool would silently widen to a 4-byte int.
    CArchive& operator<<(bool) = delete;
    CArchive& operator>>(bool&) = delete;

    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(short& n) { return ReadValue(n); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(int& i) { return ReadConverted<LONG>(i); }
    CArchive& operator>>(UINT& u) { return ReadConverted<DWORD>(u); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }

    // The document being loaded or stored, for objects that need it.
    CDocument* m_pDocument = nullptr;

private:
    template <class T> CArchive& WriteValue(const T& v)
    {
        Write(&v, sizeof v);
        return *this;
    }
    template <class T> CArchive& ReadValue(T& v)
    {
        ReadExactly(&v, sizeof v);
        return *this;
    }
    template <class Stored, class T> CArchive& ReadConverted(T& v)
    {
        Stored s;
        ReadExactly(&s, sizeof s);
        v = static_cast<T>(s);
        return *this;
    }

    void ReadExactly(void* lpBuf, UINT nCount);
    bool FillBuffer();
    void FlushWrites();
    [[noreturn]] void Fail(int cause) const;
    DWORD NextIndex();

    // One entry per index read so far: a class (with the schema stored for it)
    // or an object. Index 0 is the null object.
    struct LoadEntry {
        CObject* object;
        CRuntimeClass* cls;
        UINT schema;
    };

    CFile* m_pFile;
    UINT m_nMode;
    CString m_strFileName;
    std::vector<BYTE> m_buffer;
    size_t m_nBufPos = 0;    // next byte of the buffer to read
    size_t m_nBufUsed = 0;   // bytes in the buffer (loading) or waiting (storing)
    ULONGLONG m_nTotalLeft = 0;  // loading: bytes not yet pulled from the file
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    DWORD m_nMapCount = 1;
    int m_nDepth = 0;  // objects being read inside objects
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);
CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
