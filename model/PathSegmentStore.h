// The pieces of many rock paths in one array. A computation appends the
// pieces of one rock after the other, so each path's pieces lie together;
// emptying the store keeps its memory for the next computation, which then
// neither asks the heap for a block per rock nor touches fresh pages.
//
// Every emptying starts a new generation: a path that still points into the
// store from an earlier generation finds its pieces gone instead of reading
// another path's.
#pragma once

#include <cstddef>
#include <vector>
#include "model/TalusimPathSegment.h"

class CPathSegmentStore
{
public:
    CPathSegmentStore() = default;
    CPathSegmentStore(const CPathSegmentStore&) = delete;
    CPathSegmentStore& operator=(const CPathSegmentStore&) = delete;

    size_t GetSize() const { return m_pieces.size(); }
    unsigned GetGeneration() const { return m_generation; }
    CTalusimPathSegment* At(size_t i) { return m_pieces.data() + i; }

    // A default piece at the end.
    CTalusimPathSegment& Append() { return m_pieces.emplace_back(); }
    // Copies count pieces from first to the end; the index of the copy.
    size_t CopyToEnd(size_t first, size_t count);
    void Reserve(size_t n) { m_pieces.reserve(n); }

    // No pieces, room kept.
    void Empty();
    // No pieces and no room.
    void Release();
    // Room for exactly the pieces held.
    void FreeExtra() { m_pieces.shrink_to_fit(); }

private:
    std::vector<CTalusimPathSegment> m_pieces;
    unsigned m_generation = 0;
};
