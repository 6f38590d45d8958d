#pragma once
#include <array>

namespace torvane {

inline constexpr int kLicenceLineCount = 47;

// The licence agreement shown on the licence panel, one entry per line of
// its text box (the box wraps long lines itself): the title, a rule, then
// paragraphs and section headings separated by empty lines, ending with the
// closing sentence. The text is edited in assets/licence.txt and copied here.
extern const std::array<const char*, kLicenceLineCount> kLicenceLines;

}  // namespace torvane
