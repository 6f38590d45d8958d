#pragma once
// The initializer of a byte array in a generated C++ source: the bytes as
// hexadecimal literals, twenty to an indented line.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace torvane::tools {

// "\n    0x12,0x34,...\n", to stand between the array's braces.
inline std::string ByteArrayText(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 5 + bytes.size() / 4 + 2);
    char hex[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "0x%02x,", bytes[i]);
        if (i % 20 == 0) text += "\n    ";
        text += hex;
    }
    return text + "\n";
}

}  // namespace torvane::tools
