#pragma once
#include <cstdint>
#include <string>

namespace torvane {

// A node of the network: IPv4 address w.x.y.z and a port. The field order is
// the record's memory layout; on disk the bytes go z, x, port high, port low,
// w, y (see WriteNodeAddress).
struct TNodeAddress {
    std::uint8_t x = 0;
    std::uint8_t z = 0;
    std::uint16_t port = 0;
    std::uint8_t w = 0;
    std::uint8_t y = 0;
};

// Parses dotted text "w.x.y.z"; missing parts are 0, a part that is not a
// decimal integer gives 0, and each octet keeps the low 8 bits of its number
// ("300" gives 44, "-1" gives 255). Never fails.
TNodeAddress StrToNodeAddress(const std::string& text, std::uint16_t port);

// Decimal integer in the run-time's way: optional sign, digits only, within
// 32 bits; anything else gives `fallback`.
std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback);

}  // namespace torvane
