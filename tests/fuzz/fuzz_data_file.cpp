// Any bytes fed to the data-file reader either decode or raise DataFormatError;
// nothing else may happen (no crash, no other exception, no huge allocation).
#include <cstdint>
#include <vector>

#include "payload/DataFileDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        torvane::DecodeDataFile(std::vector<std::uint8_t>(data, data + size));
    } catch (const torvane::DataFormatError&) {
    }
    return 0;
}
