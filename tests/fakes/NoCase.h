#pragma once
// Windows compares file names without regard to the case of A-Z; the fakes
// do the same, so that a test cannot pass on a spelling Windows would treat
// as the same file (or fail on one it would find).
#include <algorithm>
#include <string>

namespace torvane::testing {

inline char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

// True when `text` begins with `head`, without regard to case.
inline bool StartsNoCase(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && SameNoCase(text.substr(0, head.size()), head);
}

// Ordering for std::map and std::set keyed by paths.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return FoldCase(x) < FoldCase(y); });
    }
};

}  // namespace torvane::testing
