// The key of a data file as it follows from the seed at the file's start. It
// stands apart from the writer in LIB_Data1_ReadWrite.cpp so that a program
// that only reads data files (the client) does not carry the writer and the
// number formatting it brings along.
#include <algorithm>
#include <vector>

#include "payload/LIB_Data1_ReadWrite.h"

namespace torvane {

DataKeyTable DeriveDataKey(const std::string& seed) {
    std::string s = seed;
    while (s.size() < 300) s += ' ';
    // Positions below are 1-based, as in the format's description.
    auto at = [&s](std::size_t position) { return static_cast<std::uint8_t>(s[position - 1]); };
    std::vector<std::uint8_t> key;
    key.reserve(256);
    for (std::size_t i = s.size(); i >= 250; --i)
        if (i % 5 == 0 && key.size() < 150) key.push_back(at(i));
    for (std::size_t i = 1; i <= s.size(); ++i)
        if (i % 2 == 0 && key.size() < 256) key.push_back(at(i));
    while (key.size() < 256) key.push_back(at(key.size()));
    DataKeyTable table;
    std::copy(key.begin(), key.end(), table.begin());
    return table;
}

}  // namespace torvane
