#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace torvane {

// Bytes that are not text (a scrambled URL, say), kept apart from
// std::string so that nobody prints them by mistake.
using ByteString = std::vector<std::uint8_t>;

// The bytes as an 8-bit string (for plain-text records).
inline std::string ToText(const ByteString& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace torvane
