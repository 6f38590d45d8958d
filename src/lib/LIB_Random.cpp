#include "lib/LIB_Random.h"

namespace torvane {

std::uint32_t RandSeed = 0;

std::uint32_t Random(std::uint32_t n) {
    RandSeed = RandSeed * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(RandSeed) * n) >> 32);
}

}  // namespace torvane
