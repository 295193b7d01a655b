// The pieces of many rock paths, in blocks of memory the store keeps. A
// computation appends the pieces of one rock after the other, so each path's
// pieces lie next to each other in one block. Blocks never move: filling the
// store copies nothing, and emptying it keeps the blocks for the next
// computation, which then neither asks the heap for memory per rock nor
// touches fresh pages.
//
// Every emptying starts a new generation: a path that still holds a place
// from an earlier generation finds its pieces gone instead of reading
// another path's.
#pragma once

#include <cstddef>
#include <span>
#include <vector>
#include "model/TalusimPathSegment.h"

// Where one path's pieces lie in a store.
struct CPathSegmentPlace
{
    size_t block = 0;
    size_t first = 0;
    size_t count = 0;
    unsigned generation = 0;
};

class CPathSegmentStore
{
public:
    CPathSegmentStore() = default;
    CPathSegmentStore(const CPathSegmentStore&) = delete;
    CPathSegmentStore& operator=(const CPathSegmentStore&) = delete;

    // A place for a path that has no pieces yet.
    CPathSegmentPlace NewPlace() const;
    // The pieces at the place; none once the store was emptied.
    std::span<CTalusimPathSegment> Pieces(const CPathSegmentPlace& place);
    // A default piece after the place's last one. Pieces that no longer end
    // their block, or that fill it, move to a block with room first.
    CTalusimPathSegment& Append(CPathSegmentPlace& place);

    // No pieces, blocks kept.
    void Empty();
    // No pieces and no blocks.
    void Release();

    // Pieces a new block holds at least: 2.6 MB, reserved untouched.
    static constexpr size_t kBlockPieces = 32768;

private:
    // Makes the block after the current one current, with room for at least
    // the given number of pieces.
    void OpenBlock(size_t room);

    std::vector<std::vector<CTalusimPathSegment>> m_blocks;
    size_t m_current = 0;
    unsigned m_generation = 0;
};
