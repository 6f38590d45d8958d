#pragma once
#include <cstdint>

namespace torvane {

// numerator / denominator to the nearest integer, halves going to the even
// neighbour (as the run-time's Round does), computed exactly in integers.
// The denominator must be positive and the numerator non-negative.
inline std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

}  // namespace torvane
