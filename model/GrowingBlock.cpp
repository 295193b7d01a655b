#include "model/GrowingBlock.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <utility>

CGrowingBlock::CGrowingBlock(size_t reserveBytes)
{
    if (reserveBytes == 0)
        return;
    void* base = ::VirtualAlloc(nullptr, reserveBytes, MEM_RESERVE, PAGE_READWRITE);
    if (base == nullptr)
        throw std::bad_alloc();
    m_base = static_cast<char*>(base);
    m_reserved = reserveBytes;
}

CGrowingBlock::~CGrowingBlock()
{
    if (m_base != nullptr)
        ::VirtualFree(m_base, 0, MEM_RELEASE);
}

CGrowingBlock::CGrowingBlock(CGrowingBlock&& other) noexcept
    : m_base(std::exchange(other.m_base, nullptr)), m_reserved(std::exchange(other.m_reserved, 0)),
      m_committed(std::exchange(other.m_committed, 0))
{
}

CGrowingBlock& CGrowingBlock::operator=(CGrowingBlock&& other) noexcept
{
    if (this != &other) {
        CGrowingBlock gone(std::move(*this));
        m_base = std::exchange(other.m_base, nullptr);
        m_reserved = std::exchange(other.m_reserved, 0);
        m_committed = std::exchange(other.m_committed, 0);
    }
    return *this;
}

void CGrowingBlock::Commit(size_t bytes)
{
    if (bytes <= m_committed)
        return;
    if (bytes > m_reserved)
        throw std::bad_alloc();
    size_t target = std::max({bytes, 2 * m_committed, kPage});
    target = std::min((target + kPage - 1) / kPage * kPage, m_reserved);
    if (::VirtualAlloc(m_base + m_committed, target - m_committed, MEM_COMMIT, PAGE_READWRITE) == nullptr)
        throw std::bad_alloc();
    m_committed = target;
}
