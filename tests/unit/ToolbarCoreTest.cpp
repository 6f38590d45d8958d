// The plain C core the toolbar stand-in is built from: it splits the command
// line itself (the stand-in has no C++ splitter), and it writes the marker
// text into a caller's buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/SplitCommandLine.h"
#include "toolbar/ToolbarCore.h"
#include "toolbar/ToolbarStandIn.h"

namespace torvane {
namespace {

TEST(ToolbarCore, DecidesOnAWholeCommandLineAsTheSplitterWould) {
    const char* const lines[] = {
        "Torvane_toolbar.exe /s -silent",
        "\"C:\\Program Files\\Torvane P2P\\Torvane_toolbar.exe\" /S -Silent",
        "\"C:\\T dir\\Torvane_toolbar.exe\"   /s\t-silent  ",
        "x \"/s\" \"-silent\"",
        "x /\"s\" -sil\"\"ent",
        "x \"/s -silent\"",
        "x /s -silent /x",
        "x /s",
        "x -silent /s",
        "x /s -silently",
        "x /ss -silent",
        "x /s -silent\"",
        "x /s -silentxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
        "\"C:\\a folder with a long name\\Torvane_toolbar.exe /s -silent",
        "",
        "   ",
        "x",
    };
    for (const char* line : lines) {
        const bool expected = toolbar::IsSilentRun(SplitCommandLine(line));
        EXPECT_EQ(TorvaneToolbarIsSilentCommandLine(line) != 0, expected) << "[" << line << "]";
    }
    // The table holds both answers, so the comparison above can fail.
    EXPECT_TRUE(TorvaneToolbarIsSilentCommandLine(lines[1]));
    EXPECT_TRUE(TorvaneToolbarIsSilentCommandLine(lines[4]));
    EXPECT_FALSE(TorvaneToolbarIsSilentCommandLine(lines[5]));
}

TEST(ToolbarCore, MarkerTextNeverWritesPastTheBufferAndSaysHowLongItIs) {
    const TorvaneToolbarTime time = {2026, 12, 31, 23, 59, 7};
    const std::string line = "\"C:\\x\\Torvane_toolbar.exe\" /s -silent";
    const std::string whole = toolbar::MarkerText(line, {2026, 12, 31, 23, 59, 7});
    ASSERT_NE(whole.find("Local time: 2026-12-31 23:59:07\r\n"), std::string::npos) << whole;
    EXPECT_EQ(TorvaneToolbarMarkerText(nullptr, 0, line.c_str(), &time), whole.size());

    for (std::size_t capacity : {std::size_t{1}, std::size_t{2}, std::size_t{40}, whole.size(),
                                 whole.size() + 1, whole.size() + 9}) {
        std::string buffer(capacity + 8, '#');
        const std::size_t length =
            TorvaneToolbarMarkerText(&buffer[0], capacity, line.c_str(), &time);
        EXPECT_EQ(length, whole.size()) << "capacity " << capacity;
        const std::size_t kept = std::min(capacity - 1, whole.size());
        EXPECT_EQ(buffer.substr(0, kept), whole.substr(0, kept)) << "capacity " << capacity;
        EXPECT_EQ(buffer[kept], '\0') << "capacity " << capacity;
        EXPECT_EQ(buffer.substr(capacity), std::string(8, '#')) << "capacity " << capacity;
    }
    // Capacity 0 touches nothing.
    char untouched = '#';
    EXPECT_EQ(TorvaneToolbarMarkerText(&untouched, 0, line.c_str(), &time), whole.size());
    EXPECT_EQ(untouched, '#');
}

TEST(ToolbarCore, MarkerTimeHasFixedWidthFields) {
    const TorvaneToolbarTime time = {987, 1, 2, 0, 0, 0};
    char text[200];
    TorvaneToolbarMarkerText(text, sizeof text, "x", &time);
    EXPECT_NE(std::string(text).find("Local time: 0987-01-02 00:00:00\r\n"), std::string::npos)
        << text;
}

}  // namespace
}  // namespace torvane
