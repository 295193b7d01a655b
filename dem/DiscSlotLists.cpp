#include "dem/DiscSlotLists.h"

#include <algorithm>

namespace disc {

void FreeSlotStack::Reset(int firstFree, int nodeSize, int limit)
{
    m_stack.clear();
    m_stack.reserve(static_cast<size_t>(std::max(0, (limit - firstFree) / nodeSize + 1)));
    m_next = firstFree;
    m_nodeSize = nodeSize;
    m_limit = limit;
}

int FreeSlotStack::Take(int slot)
{
    if (slot > 0) {
        m_stack.push_back(slot);   // capacity reserved for every slot of the pool
        return slot;
    }
    if (slot == 0)
        return 0;
    if (!m_stack.empty()) {
        const int top = m_stack.back();
        m_stack.pop_back();
        return top;
    }
    if (m_next + m_nodeSize > m_limit)
        return 0;
    const int taken = m_next;
    m_next += m_nodeSize;
    return taken;
}

bool FreeSlotStack::IsFree(int slot) const
{
    return slot >= m_next || std::find(m_stack.begin(), m_stack.end(), slot) != m_stack.end();
}

void SlotLists::Reset(int nodeSize, int heads, int nodes)
{
    m_size = nodeSize;
    const int first = nodeSize * (heads + 1);
    const int limit = first + nodeSize * nodes;
    m_a.assign(static_cast<size_t>(limit) + 3, 0);
    m_free.Reset(first, nodeSize, limit);
    m_exhausted = false;
}

void SlotLists::Clear(int node)
{
    for (int k = 0; k < m_size; ++k)
        m_a[node + k] = 0;
}

bool SlotLists::Insert(int list, int body, int number)
{
    const int head = list * m_size;
    if (m_a[head + 1] == 0) {
        m_a[head + 1] = body;
        if (m_size == 3)
            m_a[head + 2] = number;
        return true;
    }
    const int node = m_free.Take(-1);
    if (node == 0) {
        m_exhausted = true;
        return false;
    }
    m_a[node] = m_a[head];
    m_a[node + 1] = body;
    if (m_size == 3)
        m_a[node + 2] = number;
    m_a[head] = node;
    return true;
}

int SlotLists::Remove(int list, int body)
{
    const int head = list * m_size;
    int prev = 0;
    for (int node = m_a[head + 1] ? head : 0; node; prev = node, node = m_a[node]) {
        if (m_a[node + 1] != body)
            continue;
        const int number = m_size == 3 ? m_a[node + 2] : 1;
        if (node == head) {
            const int second = m_a[head];
            if (second) {
                // The second node moves into the head, so the list stays reachable.
                for (int k = 0; k < m_size; ++k)
                    m_a[head + k] = m_a[second + k];
                Clear(second);
                m_free.Take(second);
            } else {
                Clear(head);
            }
        } else {
            m_a[prev] = m_a[node];
            Clear(node);
            m_free.Take(node);
        }
        return number;
    }
    return 0;
}

bool SlotLists::Contains(int list, int body) const
{
    for (int node = First(list); node; node = Next(node))
        if (Body(node) == body)
            return true;
    return false;
}

} // namespace disc
