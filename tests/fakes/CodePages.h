#pragma once

namespace torvane::testing {

// Lead bytes of a Japanese code page (932), the rule IsDBCSLeadByte gives
// there: the second byte of such a character may be 0x5C, the byte of "\",
// as in "\x95\x5C" (a common kanji).
inline bool ShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace torvane::testing
