#pragma once
// CArray<TYPE, ARG_TYPE> and the named arrays.
//
// Growth follows the class library's rule: SetSize(n, nGrowBy) sets the
// growth step (-1 keeps the current one); when the array must grow it takes
// room for at least nGrowBy more elements, and a step of 0 (the default)
// means max(4, min(1024, size / 8)). New elements are zero-filled, then
// default-constructed. Unlike the original library, elements are moved with
// their own constructors, so any C++ type may be stored.
//
// Indexing is not checked (as in the library); RemoveAt and InsertAt clamp
// their counts. Loading an array reads it in slices, so a damaged count costs
// at most one slice of memory before the archive runs out of bytes.

#include <windows.h>
#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>
#include "framework/Archive.h"
#include "framework/Exception.h"
#include "framework/Object.h"
#include "framework/String.h"

// How an array's elements go into an archive: raw bytes unless overloaded.
template <class TYPE> void SerializeElements(CArchive& ar, TYPE* pElements, int nCount)
{
    static_assert(std::is_trivially_copyable_v<TYPE>,
                  "give this element type its own SerializeElements");
    const size_t bytes = sizeof(TYPE) * static_cast<size_t>(nCount);
    if (ar.IsStoring()) {
        ar.Write(pElements, static_cast<UINT>(bytes));
    } else {
        ar.CheckCount(static_cast<ULONGLONG>(nCount), sizeof(TYPE));
        if (ar.Read(pElements, static_cast<UINT>(bytes)) != bytes)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
}
void SerializeElements(CArchive& ar, CString* pElements, int nCount);
void SerializeElements(CArchive& ar, CObject** pElements, int nCount);

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() override { Clear(); }

    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    int GetUpperBound() const { return m_nSize - 1; }

    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    TYPE GetAt(int nIndex) const { return m_pData[nIndex]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
    TYPE& ElementAt(int nIndex) { return m_pData[nIndex]; }
    const TYPE& ElementAt(int nIndex) const { return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    TYPE& operator[](int nIndex) { return m_pData[nIndex]; }
    const TYPE& operator[](int nIndex) const { return m_pData[nIndex]; }

    // Grows the array when nIndex is past its end.
    void SetAtGrow(int nIndex, ARG_TYPE newElement);
    // The index of the new element.
    int Add(ARG_TYPE newElement);
    // The index of the first appended element.
    int Append(const CArray& src);
    void Copy(const CArray& src);

    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
    void InsertAt(int nStartIndex, const CArray* pNewArray);
    void RemoveAt(int nIndex, int nCount = 1);

    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData = nullptr;
    int m_nSize = 0;
    int m_nMaxSize = 0;
    int m_nGrowBy = 0;

private:
    static TYPE* Allocate(int n);
    static void ConstructRange(TYPE* p, int n);
    static void DestroyRange(TYPE* p, int n);
    void Reallocate(int nNewMax);
    void Clear();
    // Copies the element first: it may live in this very array.
    template <class ARG> void InsertCopies(int nIndex, ARG&& value, int nCount);
};

template <class TYPE, class ARG_TYPE> TYPE* CArray<TYPE, ARG_TYPE>::Allocate(int n)
{
    void* p = ::operator new(sizeof(TYPE) * static_cast<size_t>(n), std::nothrow);
    if (!p)
        AfxThrowMemoryException();
    return static_cast<TYPE*>(p);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::ConstructRange(TYPE* p, int n)
{
    void* raw = p;
    std::memset(raw, 0, sizeof(TYPE) * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        ::new (static_cast<void*>(p + i)) TYPE;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::DestroyRange(TYPE* p, int n)
{
    for (int i = 0; i < n; ++i)
        p[i].~TYPE();
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Clear()
{
    DestroyRange(m_pData, m_nSize);
    ::operator delete(m_pData);
    m_pData = nullptr;
    m_nSize = m_nMaxSize = 0;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Reallocate(int nNewMax)
{
    TYPE* p = Allocate(nNewMax);
    for (int i = 0; i < m_nSize; ++i) {
        ::new (static_cast<void*>(p + i)) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = p;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy)
{
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize < 0)
        nNewSize = 0;
    if (nNewSize == 0) {
        Clear();
    } else if (!m_pData) {
        const int nAlloc = std::max(nNewSize, m_nGrowBy);
        m_pData = Allocate(nAlloc);
        ConstructRange(m_pData, nNewSize);
        m_nSize = nNewSize;
        m_nMaxSize = nAlloc;
    } else if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize)
            ConstructRange(m_pData + m_nSize, nNewSize - m_nSize);
        else
            DestroyRange(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
    } else {
        int grow = m_nGrowBy;
        if (grow == 0)
            grow = std::clamp(m_nSize / 8, 4, 1024);
        const long long wanted = std::max<long long>(nNewSize, static_cast<long long>(m_nMaxSize) + grow);
        if (wanted > 0x7FFFFFFF / static_cast<long long>(sizeof(TYPE)))
            AfxThrowMemoryException();
        Reallocate(static_cast<int>(wanted));
        ConstructRange(m_pData + m_nSize, nNewSize - m_nSize);
        m_nSize = nNewSize;
    }
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0)
        Clear();
    else
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        return;
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
    } else {
        m_pData[nIndex] = newElement;
    }
}

template <class TYPE, class ARG_TYPE> int CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    const int nIndex = m_nSize;
    // Arrays that collect results are filled one Add at a time: with room
    // left, the element is copied straight into place instead of being
    // zero-filled and constructed first.
    if (m_pData && nIndex < m_nMaxSize) {
        ::new (static_cast<void*>(m_pData + nIndex)) TYPE(newElement);
        ++m_nSize;
        return nIndex;
    }
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE> int CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    const int nOldSize = m_nSize;
    if (&src == this) {
        SetSize(2 * nOldSize, -1);
        for (int i = 0; i < nOldSize; ++i)
            m_pData[nOldSize + i] = m_pData[i];
        return nOldSize;
    }
    SetSize(nOldSize + src.m_nSize, -1);
    for (int i = 0; i < src.m_nSize; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (&src == this)
        return;
    SetSize(src.m_nSize, -1);
    for (int i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
template <class ARG>
void CArray<TYPE, ARG_TYPE>::InsertCopies(int nIndex, ARG&& value, int nCount)
{
    if (nCount <= 0 || nIndex < 0)
        return;
    TYPE copy(std::forward<ARG>(value));
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        const int nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    for (int i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount)
{
    InsertCopies(nIndex, newElement, nCount);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, const CArray* pNewArray)
{
    if (!pNewArray || pNewArray->m_nSize == 0 || nStartIndex < 0)
        return;
    // Works from a copy, so inserting an array into itself is sound.
    std::vector<TYPE> items(pNewArray->m_pData, pNewArray->m_pData + pNewArray->m_nSize);
    const int n = static_cast<int>(items.size());
    InsertCopies(nStartIndex, items[0], n);
    for (int i = 1; i < n; ++i)
        m_pData[nStartIndex + i] = items[static_cast<size_t>(i)];
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount)
{
    if (nIndex < 0 || nIndex >= m_nSize || nCount <= 0)
        return;
    nCount = std::min(nCount, m_nSize - nIndex);
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    DestroyRange(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_nSize));
        SerializeElements(ar, m_pData, m_nSize);
        return;
    }
    const DWORD nCount = ar.ReadCount();
    RemoveAll();
    // Slices of about a megabyte: a count larger than the data fails in the
    // slice where the bytes run out.
    const DWORD slice = static_cast<DWORD>(std::max<size_t>(1, (1u << 20) / sizeof(TYPE)));
    DWORD done = 0;
    while (done < nCount) {
        const DWORD n = std::min(slice, nCount - done);
        SetSize(static_cast<int>(done + n), -1);
        SerializeElements(ar, m_pData + done, static_cast<int>(n));
        done += n;
    }
}

// The named arrays of the class library.

class CByteArray : public CArray<BYTE, BYTE>
{
};

class CWordArray : public CArray<WORD, WORD>
{
};

class CDWordArray : public CArray<DWORD, DWORD>
{
};

class CUIntArray : public CArray<UINT, UINT>
{
public:
    // Not serialisable: the width of UINT is not fixed.
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

class CPtrArray : public CArray<void*, void*>
{
public:
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

// Holds the pointers only; deleting the objects is the owner's business.
class CObArray : public CArray<CObject*, CObject*>
{
};

class CStringArray : public CArray<CString, LPCSTR>
{
public:
    using CArray::Add;
    int Add(const CString& s) { return CArray::Add(static_cast<LPCSTR>(s)); }
};
