#pragma once
#include <array>
#include <cstdint>

namespace torvane::platform {

// A GUID in the system's layout: a 32-bit field, two 16-bit fields, 8 bytes.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
};

// New GUIDs from the system (CoCreateGuid).
// Failures: none; the system always gives a GUID.
class GuidSource {
public:
    virtual ~GuidSource() = default;
    virtual Guid NewGuid() = 0;
};

}  // namespace torvane::platform
