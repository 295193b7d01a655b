// Room at one address that never moves, charged to the system only as it
// fills. The whole range is reserved from the system at once (address space,
// which costs no memory), and its pages are committed, which Windows counts
// against its commit limit, in steps that double: a block that holds little
// costs little, one that fills is committed whole, and growing copies nothing.
#pragma once

#include <cstddef>

class CGrowingBlock
{
public:
    // No room; Commit fails until a range is reserved.
    CGrowingBlock() = default;
    // Reserves the range; throws std::bad_alloc when the system refuses it.
    explicit CGrowingBlock(size_t reserveBytes);
    ~CGrowingBlock();
    CGrowingBlock(CGrowingBlock&& other) noexcept;
    CGrowingBlock& operator=(CGrowingBlock&& other) noexcept;
    CGrowingBlock(const CGrowingBlock&) = delete;
    CGrowingBlock& operator=(const CGrowingBlock&) = delete;

    void* Data() const { return m_base; }
    size_t Reserved() const { return m_reserved; }
    size_t Committed() const { return m_committed; }

    // Makes at least the first bytes of the range usable: what is committed
    // grows to the larger of those bytes and twice what it was (a page at
    // least), whole pages, never past the range. Throws std::bad_alloc when
    // the system refuses the pages or the bytes exceed the range. Committed
    // pages stay until the block is destroyed.
    void Commit(size_t bytes);

    // What the first commit takes at least.
    static constexpr size_t kPage = 4096;

private:
    char* m_base = nullptr;
    size_t m_reserved = 0;
    size_t m_committed = 0;
};
