// Any text must parse without a crash, and a well-formed address must come back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "payload/LIB_DataTypes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const torvane::TNodeAddress a = torvane::StrToNodeAddress(text, 6346);
    if (a.port != 6346) std::abort();
    const std::string dotted = std::to_string(a.w) + "." + std::to_string(a.x) + "." +
                               std::to_string(a.y) + "." + std::to_string(a.z);
    const torvane::TNodeAddress b = torvane::StrToNodeAddress(dotted, 1);
    if (b.w != a.w || b.x != a.x || b.y != a.y || b.z != a.z) std::abort();
    return 0;
}
