#include "JpegLayout.h"

#include <cstddef>

namespace torvane::tools {

namespace {
constexpr unsigned char kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kDac = 0xCC;

bool IsFrameMarker(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != kDac;
}

bool IsRestartMarker(unsigned char marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Skips the entropy-coded data after a scan header: stuffed zero bytes,
// restart markers and fill bytes belong to it. Returns the position of the
// marker that ends the scan, or bytes.size().
std::size_t EndOfScan(const std::vector<unsigned char>& bytes, std::size_t at) {
    while (at + 1 < bytes.size()) {
        if (bytes[at] != 0xFF) {
            ++at;
            continue;
        }
        const unsigned char next = bytes[at + 1];
        if (next == 0x00 || next == 0xFF || IsRestartMarker(next))
            at += next == 0xFF ? 1 : 2;
        else
            return at;
    }
    return bytes.size();
}
}  // namespace

std::string WhyNotSequentialJpeg(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != kSoi) return "not a JPEG file";
    std::size_t at = 2;
    int frameComponents = 0;
    bool scanned = false;
    while (true) {
        if (at + 1 >= bytes.size() || bytes[at] != 0xFF) return "damaged: a marker is missing";
        const unsigned char marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == kEoi) return scanned ? "" : "no picture data";
        if (scanned) return "more than one scan (progressive or non-interleaved)";
        if (at + 3 >= bytes.size()) return "damaged: truncated segment";
        const std::size_t length = bytes[at + 2] << 8 | bytes[at + 3];
        if (length < 2 || at + 2 + length > bytes.size()) return "damaged: truncated segment";
        const std::size_t body = at + 4;
        if (marker == kDac) return "arithmetic coding";
        if (IsFrameMarker(marker)) {
            if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA) return "progressive coding";
            if (marker > 0xC8) return "arithmetic coding";
            if (marker == 0xC3 || marker == 0xC7) return "lossless coding";
            if (marker == 0xC5) return "hierarchical coding";
            if (frameComponents != 0) return "more than one frame";
            if (length < 8) return "damaged: truncated segment";
            frameComponents = bytes[body + 5];
        } else if (marker == kSos) {
            if (frameComponents == 0) return "damaged: a scan before the frame header";
            if (length < 3) return "damaged: truncated segment";
            if (bytes[body] != frameComponents)
                return "more than one scan (progressive or non-interleaved)";
            scanned = true;
            at = EndOfScan(bytes, at + 2 + length);
            continue;
        }
        at += 2 + length;
    }
}

}  // namespace torvane::tools
