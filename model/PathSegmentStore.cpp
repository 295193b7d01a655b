#include "model/PathSegmentStore.h"

#include <algorithm>

CPathSegmentPlace CPathSegmentStore::NewPlace() const
{
    CPathSegmentPlace place;
    place.generation = m_generation;
    return place;
}

std::span<CTalusimPathSegment> CPathSegmentStore::Pieces(const CPathSegmentPlace& place)
{
    if (place.generation != m_generation || place.count == 0 || place.block >= m_blocks.size())
        return {};
    std::vector<CTalusimPathSegment>& block = m_blocks[place.block];
    if (place.first + place.count > block.size())
        return {};
    return {block.data() + place.first, place.count};
}

CTalusimPathSegment& CPathSegmentStore::Append(CPathSegmentPlace& place)
{
    if (place.generation != m_generation)
        place = NewPlace();
    if (m_blocks.empty())
        OpenBlock(kBlockPieces);

    std::vector<CTalusimPathSegment>* block = &m_blocks[m_current];
    const bool endsBlock = place.count > 0 && place.block == m_current && place.first + place.count == block->size();
    if (!endsBlock || block->size() == block->capacity())
    {
        // The pieces so far and the new one go together at the end of a
        // block with room for them; the old copies stay unused until the
        // store is emptied.
        const size_t needed = place.count + 1;
        if (block->capacity() - block->size() < needed)
        {
            OpenBlock(std::max(kBlockPieces, 2 * needed));
            block = &m_blocks[m_current];
        }
        const size_t first = block->size();
        // One by one: the pieces may come from this very block, which has
        // the room for them, so nothing moves while they are copied.
        for (size_t i = 0; i < place.count; ++i)
            block->push_back(m_blocks[place.block][place.first + i]);
        place.block = m_current;
        place.first = first;
    }
    ++place.count;
    return block->emplace_back();
}

void CPathSegmentStore::OpenBlock(size_t room)
{
    if (!m_blocks.empty())
        ++m_current;
    if (m_current == m_blocks.size())
        m_blocks.emplace_back();
    // A kept block of the last computation serves when it is large enough.
    std::vector<CTalusimPathSegment>& block = m_blocks[m_current];
    block.clear();
    if (block.capacity() < room)
    {
        std::vector<CTalusimPathSegment> larger;
        larger.reserve(room);
        block.swap(larger);
    }
}

void CPathSegmentStore::Empty()
{
    for (std::vector<CTalusimPathSegment>& block : m_blocks)
        block.clear();
    m_current = 0;
    ++m_generation;
}

void CPathSegmentStore::Release()
{
    m_blocks.clear();
    m_current = 0;
    ++m_generation;
}
