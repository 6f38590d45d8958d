// Any bytes must unscramble without a crash, and whatever they give must
// scramble and unscramble back to itself: no fragment begins with a code
// character of itself or an earlier fragment, so no text is exempt.
#include <cstdint>
#include <cstdlib>

#include "payload/LIB_qvURL.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const torvane::ByteString bytes(data, data + size);
    const std::string text = torvane::UnscrambleUrl(bytes);
    if (torvane::UnscrambleUrl(torvane::ScrambleUrl(text)) != text) std::abort();
    // The input as text, too.
    const std::string raw(data, data + size);
    if (torvane::UnscrambleUrl(torvane::ScrambleUrl(raw)) != raw) std::abort();
    return 0;
}
