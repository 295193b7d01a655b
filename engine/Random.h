// The program's one pseudo-random sequence: the classic 15-bit linear
// congruential generator (state * 214013 + 2531011, bits 16..30 returned).
// Every uniform and normal draw of a computation comes from here, so a fixed
// seed gives the same rocks on every machine and with every C library.
#pragma once

inline constexpr int RANDOM_MAX = 32767;

// Restarts the sequence; the compute driver is the only caller in the program.
void SeedRandom(unsigned int seed);

// Next value of the sequence, 0 .. RANDOM_MAX.
int NextRandom();
