// Any bytes must unscramble without a crash; whatever they give must scramble
// and unscramble back to itself when it holds no Q (no dictionary codes).
#include <cstdint>
#include <cstdlib>

#include "payload/LIB_qvURL.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const torvane::ByteString bytes(data, data + size);
    const std::string text = torvane::UnscrambleUrl(bytes);
    if (text.find('Q') == std::string::npos) {
        bool fromDictionary = false;
        for (const char* fragment : torvane::UrlDictionary)
            if (text.find(fragment) != std::string::npos) fromDictionary = true;
        if (!fromDictionary && torvane::UnscrambleUrl(torvane::ScrambleUrl(text)) != text) std::abort();
    }
    return 0;
}
