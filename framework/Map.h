#pragma once
// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>, a hash map walked with POSITION
// cursors, and the named maps of the class library.
//
// The order of a walk is unspecified. GetNextAssoc moves the cursor before
// returning, so the entry just returned may be removed while walking; adding
// entries during a walk may reorder the table. HashKey<ARG_KEY> hashes a key:
// integers and pointers have one here, strings too; other key types bring
// their own specialisation.

#include <windows.h>
#include <algorithm>
#include <new>
#include <vector>
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/Position.h"
#include "framework/String.h"

template <class ARG_KEY> inline UINT HashKey(ARG_KEY key)
{
    return static_cast<UINT>(((DWORD_PTR)key) >> 4);
}

template <> inline UINT HashKey<LPCSTR>(LPCSTR key)
{
    UINT hash = 0;
    for (; key && *key; ++key)
        hash = (hash << 5) + hash + static_cast<unsigned char>(*key);
    return hash;
}

template <> inline UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>(key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
    struct Node {
        Node* next;
        UINT hash;
        KEY key;
        VALUE value;
    };

public:
    CMap() = default;
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // The value of the key, added (zero) when the key is new.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount ? BEFORE_START_POSITION : nullptr; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return static_cast<UINT>(m_table.size()); }
    // Only on an empty map.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

private:
    Node* Find(ARG_KEY key, UINT hash) const;
    void Rehash(size_t nBuckets);

    std::vector<Node*> m_table;
    UINT m_nHashTableSize = 17;
    int m_nCount = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Node*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Find(ARG_KEY key, UINT hash) const
{
    if (m_table.empty())
        return nullptr;
    for (Node* p = m_table[hash % m_table.size()]; p; p = p->next)
        if (p->hash == hash && p->key == key)
            return p;
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    const Node* p = Find(key, HashKey<ARG_KEY>(key));
    if (!p)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Rehash(size_t nBuckets)
{
    std::vector<Node*> table(nBuckets, nullptr);
    for (Node* head : m_table) {
        for (Node* p = head; p;) {
            Node* next = p->next;
            Node*& bucket = table[p->hash % nBuckets];
            p->next = bucket;
            bucket = p;
            p = next;
        }
    }
    m_table.swap(table);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    const UINT hash = HashKey<ARG_KEY>(key);
    if (Node* p = Find(key, hash))
        return p->value;
    if (m_table.empty())
        m_table.assign(m_nHashTableSize, nullptr);
    else if (static_cast<size_t>(m_nCount) >= 2 * m_table.size())
        Rehash(2 * m_table.size() + 1);  // keeps the chains short
    Node*& bucket = m_table[hash % m_table.size()];
    Node* node = new (std::nothrow) Node{bucket, hash, KEY(key), VALUE()};
    if (!node)
        AfxThrowMemoryException();
    bucket = node;
    ++m_nCount;
    return node->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_table.empty())
        return FALSE;
    const UINT hash = HashKey<ARG_KEY>(key);
    for (Node** link = &m_table[hash % m_table.size()]; *link; link = &(*link)->next) {
        Node* p = *link;
        if (p->hash == hash && p->key == key) {
            *link = p->next;
            delete p;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    for (Node* head : m_table) {
        for (Node* p = head; p;) {
            Node* next = p->next;
            delete p;
            p = next;
        }
    }
    m_table.clear();
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    Node* node = reinterpret_cast<Node*>(rNextPosition);
    size_t bucket = 0;
    if (rNextPosition == BEFORE_START_POSITION) {
        node = nullptr;
        for (; bucket < m_table.size() && !node; ++bucket)
            node = m_table[bucket];
    }
    if (!node) {
        rNextPosition = nullptr;
        return;
    }
    rKey = node->key;
    rValue = node->value;
    Node* next = node->next;
    for (bucket = node->hash % m_table.size() + 1; !next && bucket < m_table.size(); ++bucket)
        next = m_table[bucket];
    rNextPosition = reinterpret_cast<POSITION>(next);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || hashSize == 0)
        return;
    m_nHashTableSize = hashSize;
    m_table.clear();
    if (bAllocNow)
        m_table.assign(hashSize, nullptr);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_nCount));
        for (Node* head : m_table) {
            for (Node* p = head; p; p = p->next) {
                SerializeElements(ar, &p->key, 1);
                SerializeElements(ar, &p->value, 1);
            }
        }
        return;
    }
    for (DWORD n = ar.ReadCount(); n > 0; --n) {
        KEY key{};
        VALUE value{};
        SerializeElements(ar, &key, 1);
        SerializeElements(ar, &value, 1);
        (*this)[key] = value;
    }
}

// The named maps of the class library. Maps of plain pointers are not
// serialisable; deleting pointed-to objects is the owner's business.

class CMapStringToString : public CMap<CString, LPCSTR, CString, LPCSTR>
{
};

class CMapStringToOb : public CMap<CString, LPCSTR, CObject*, CObject*>
{
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
};

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*>
{
public:
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
public:
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
public:
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
public:
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};
