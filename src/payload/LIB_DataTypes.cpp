#include "payload/LIB_DataTypes.h"

namespace torvane {

std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return fallback;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return fallback;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return fallback;
    return static_cast<std::int32_t>(value);
}

namespace {
// Takes the part before the first "." and leaves at most 200 characters
// after it; without a "." the part is empty (0) and the text stays.
std::uint8_t TakeOctet(std::string& rest) {
    std::size_t dot = rest.find('.');
    if (dot == std::string::npos) return 0;
    std::uint8_t octet = static_cast<std::uint8_t>(StrToIntDef(rest.substr(0, dot), 0));
    rest = rest.substr(dot + 1, 200);
    return octet;
}
}  // namespace

TNodeAddress StrToNodeAddress(const std::string& text, std::uint16_t port) {
    TNodeAddress address;
    address.port = port;
    std::string rest = text;
    address.w = TakeOctet(rest);
    address.x = TakeOctet(rest);
    address.y = TakeOctet(rest);
    address.z = static_cast<std::uint8_t>(StrToIntDef(rest, 0));
    return address;
}

}  // namespace torvane
