#include "model/PathSegmentStore.h"

size_t CPathSegmentStore::CopyToEnd(size_t first, size_t count)
{
    // Room first: the copies are read from the array they go into.
    const size_t at = m_pieces.size();
    m_pieces.reserve(at + count);
    for (size_t i = 0; i < count; ++i)
        m_pieces.push_back(m_pieces[first + i]);
    return at;
}

void CPathSegmentStore::Empty()
{
    m_pieces.clear();
    ++m_generation;
}

void CPathSegmentStore::Release()
{
    std::vector<CTalusimPathSegment>().swap(m_pieces);
    ++m_generation;
}
