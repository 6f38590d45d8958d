#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"

namespace torvane {
namespace {

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
    struct Case {
        std::string text, trimmed;
    };
    const Case cases[] = {
        {"\t\r\n  a b \x01", "a b"}, {"   ", ""}, {"", ""}, {"a", "a"},
        {" \x7f ", "\x7f"},          // DEL is no blank
        {"\xa0x\xa0", "\xa0x\xa0"},  // nor is a byte above 127 (a no-break space in the code page)
    };
    for (const Case& c : cases) EXPECT_EQ(Trim(c.text), c.trimmed) << "[" << c.text << "]";
}

// Letter case is A-Z only: names of files and switches compare the same on
// every code page, and a byte above 127 (negative as a char) is left alone.
TEST(LetterCase, FoldsOnlyAsciiLetters) {
    struct Case {
        std::string text, lower, upper;
    };
    const Case cases[] = {
        {"C:\\Program Files\\", "c:\\program files\\", "C:\\PROGRAM FILES\\"},
        {"@[`{", "@[`{", "@[`{"},  // the neighbours of A-Z and a-z
        {"\xc4\xe4\xff", "\xc4\xe4\xff", "\xc4\xe4\xff"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LowerCase(c.text), c.lower) << c.text;
        EXPECT_EQ(UpperCase(c.text), c.upper) << c.text;
    }
}

TEST(SameText, IgnoresLetterCaseButNothingElse) {
    struct Case {
        const char *a, *b;
        bool same;
    };
    const Case cases[] = {
        {"Uninstall.Exe", "UNINSTALL.exe", true},
        {"", "", true},
        {"abc", "abcd", false},
        {"a b", "a  b", false},
        {"\xc4", "\xe4", false},  // not letters here
        {"[", "{", false},        // 0x5b and 0x7b differ by the case bit but are no letters
    };
    for (const Case& c : cases) EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace torvane
