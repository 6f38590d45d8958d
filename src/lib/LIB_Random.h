#pragma once
#include <cstdint>

namespace torvane {

// The program's one pseudo-random generator, a 32-bit linear congruential
// generator: seed := seed * 134775813 + 1 (mod 2^32). It starts at 0 and is
// never set from the clock, so every run draws the same sequence: the welcome
// panel's animation draws first, the data-file writer after it.
extern std::uint32_t RandSeed;

// A number from 0 to n - 1: the high 32 bits of the 64-bit product seed * n,
// taken after the seed has moved on. Random(0) is 0.
std::uint32_t Random(std::uint32_t n);

}  // namespace torvane
