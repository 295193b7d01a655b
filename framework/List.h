#pragma once
// CList<TYPE, ARG_TYPE>, a doubly linked list walked with POSITION cursors,
// and the named lists CObList, CPtrList and CStringList.
//
// A POSITION stays valid until its own element is removed; GetNext and
// GetPrev return the element and move the cursor, so the element just
// returned may be removed while walking.

#include <windows.h>
#include <utility>
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/Position.h"
#include "framework/String.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
    struct Node {
        Node* next;
        Node* prev;
        TYPE data;
    };

public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The list must not be empty.
    TYPE& GetHead() { return m_pHead->data; }
    const TYPE& GetHead() const { return m_pHead->data; }
    TYPE& GetTail() { return m_pTail->data; }
    const TYPE& GetTail() const { return m_pTail->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(Pos(m_pHead), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(Pos(m_pTail), newElement); }
    void AddHead(const CList* pNewList);
    void AddTail(const CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return Pos(m_pHead); }
    POSITION GetTailPosition() const { return Pos(m_pTail); }
    TYPE& GetNext(POSITION& rPosition) { return At(Step(rPosition, true))->data; }
    const TYPE& GetNext(POSITION& rPosition) const { return At(Step(rPosition, true))->data; }
    TYPE& GetPrev(POSITION& rPosition) { return At(Step(rPosition, false))->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { return At(Step(rPosition, false))->data; }

    TYPE& GetAt(POSITION position) { return At(position)->data; }
    const TYPE& GetAt(POSITION position) const { return At(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { At(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // A null position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // The first match after startAfter (from the head when null), or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // The nIndex-th element (from 0), or null when out of range.
    POSITION FindIndex(int nIndex) const;

    void Serialize(CArchive& ar) override;

private:
    static POSITION Pos(Node* p) { return reinterpret_cast<POSITION>(p); }
    static Node* At(POSITION p) { return reinterpret_cast<Node*>(p); }
    // Moves the cursor to the next (or previous) element; returns where it was.
    static POSITION Step(POSITION& rPosition, bool forward)
    {
        const POSITION was = rPosition;
        rPosition = Pos(forward ? At(was)->next : At(was)->prev);
        return was;
    }
    Node* NewNode(Node* prev, Node* next, ARG_TYPE value);
    // A new node between two neighbours (null at either end of the list).
    POSITION LinkBetween(Node* prev, Node* next, ARG_TYPE value);

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::Node* CList<TYPE, ARG_TYPE>::NewNode(Node* prev, Node* next, ARG_TYPE value)
{
    Node* node = new (std::nothrow) Node{next, prev, TYPE(value)};
    if (!node)
        AfxThrowMemoryException();
    return node;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::LinkBetween(Node* prev, Node* next, ARG_TYPE value)
{
    Node* node = NewNode(prev, next, value);
    (prev ? prev->next : m_pHead) = node;
    (next ? next->prev : m_pTail) = node;
    ++m_nCount;
    return Pos(node);
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    TYPE value = std::move(m_pHead->data);
    RemoveAt(Pos(m_pHead));
    return value;
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    TYPE value = std::move(m_pTail->data);
    RemoveAt(Pos(m_pTail));
    return value;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddHead(const CList* pNewList)
{
    if (!pNewList)
        return;
    // Walking backwards keeps the order; counting the steps first makes
    // adding a list to itself finite.
    const int n = pNewList->m_nCount;
    Node* p = pNewList->m_pTail;
    for (int i = 0; i < n; ++i, p = p->prev)
        AddHead(p->data);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddTail(const CList* pNewList)
{
    if (!pNewList)
        return;
    const int n = pNewList->m_nCount;
    Node* p = pNewList->m_pHead;
    for (int i = 0; i < n; ++i, p = p->next)
        AddTail(p->data);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (Node* p = m_pHead; p;) {
        Node* next = p->next;
        delete p;
        p = next;
    }
    m_pHead = m_pTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    Node* node = At(position);
    if (!node)
        return;
    (node->prev ? node->prev->next : m_pHead) = node->next;
    (node->next ? node->next->prev : m_pTail) = node->prev;
    delete node;
    --m_nCount;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    Node* next = position ? At(position) : m_pHead;
    Node* prev = next ? next->prev : nullptr;
    return LinkBetween(prev, next, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    Node* prev = position ? At(position) : m_pTail;
    Node* next = prev ? prev->next : nullptr;
    return LinkBetween(prev, next, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    for (Node* p = startAfter ? At(startAfter)->next : m_pHead; p; p = p->next)
        if (p->data == searchValue)
            return Pos(p);
    return nullptr;
}

template <class TYPE, class ARG_TYPE> POSITION CList<TYPE, ARG_TYPE>::FindIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    Node* p = m_pHead;
    while (nIndex--)
        p = p->next;
    return Pos(p);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_nCount));
        for (Node* p = m_pHead; p; p = p->next)
            SerializeElements(ar, &p->data, 1);
        return;
    }
    // Element by element: the archive runs out of bytes before memory runs out.
    for (DWORD n = ar.ReadCount(); n > 0; --n) {
        TYPE value{};
        SerializeElements(ar, &value, 1);
        AddTail(value);
    }
}

// The named lists of the class library.

class CPtrList : public CList<void*, void*>
{
public:
    void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

// Holds the pointers only; deleting the objects is the owner's business.
class CObList : public CList<CObject*, CObject*>
{
};

class CStringList : public CList<CString, LPCSTR>
{
};
