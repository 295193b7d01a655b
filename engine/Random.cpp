#include "engine/Random.h"

#include <cstdint>

namespace
{
// Seed 1 until the first SeedRandom, like the C library generator it mirrors.
std::uint32_t g_state = 1;
}

void SeedRandom(unsigned int seed)
{
    g_state = seed;
}

int NextRandom()
{
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}
