// Linked lists kept in one flat integer array, as the contact search uses them:
// list k's head node sits at position nodeSize * k, further nodes are taken
// after the heads or from a stack of released nodes. Nothing is allocated
// once the arrays are sized, and running out of nodes is reported, not hidden.
#pragma once

#include <vector>

namespace disc {

// A stack of released slots over a pool handed out in steps of the node size.
class FreeSlotStack {
public:
    void Reset(int firstFree, int nodeSize, int limit);
    // slot > 0 releases it; slot < 0 asks for one and returns it (0 when the
    // pool is used up); slot 0 does nothing.
    int Take(int slot);
    int NextUnused() const { return m_next; }
    int InStack() const { return static_cast<int>(m_stack.size()); }
    bool IsFree(int slot) const;

private:
    std::vector<int> m_stack;
    int m_next = 0;
    int m_nodeSize = 1;
    int m_limit = 0;
};

// Lists of (other body, contact number) pairs (node size 3) or of bodies
// (node size 2). Node layout: [link, body, number].
class SlotLists {
public:
    // heads: lists 1 .. heads; nodes: further nodes the pool can hand out.
    void Reset(int nodeSize, int heads, int nodes);
    bool Insert(int list, int body, int number = 0);
    // Removes the node of that body; returns its contact number (or 1 for a
    // list without numbers), 0 when the body is not in the list.
    int Remove(int list, int body);
    bool Contains(int list, int body) const;
    bool Exhausted() const { return m_exhausted; }

    // Walks a list: for (int n = First(k); n; n = Next(n)) Body(n), Number(n).
    int First(int list) const { const int h = list * m_size; return m_a[h + 1] ? h : 0; }
    int Next(int node) const { return m_a[node]; }
    int Body(int node) const { return m_a[node + 1]; }
    int Number(int node) const { return m_a[node + 2]; }
    int& NumberRef(int node) { return m_a[node + 2]; }
    const FreeSlotStack& Free() const { return m_free; }

private:
    void Clear(int node);
    std::vector<int> m_a;
    FreeSlotStack m_free;
    int m_size = 3;
    bool m_exhausted = false;
};

} // namespace disc
