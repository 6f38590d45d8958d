#include <gtest/gtest.h>

#include "base/PathNames.h"
#include "fakes/CodePages.h"

namespace torvane {
namespace {

// The setup refuses to store these names and the uninstaller refuses to carry
// out lines with them, by the same rules.
TEST(PathNames, DeviceNamesAreToldApartFromOrdinaryOnes) {
    for (const char* device :
         {"CON",    "con",     "PRN",  "AUX",    "NUL",     "nul",    "Aux.txt",
          "COM0",   "COM1",    "COM9", "LPT1",   "lpt9",    "CONIN$", "CONOUT$",
          "CLOCK$", "NUL.txt", "CON ", "CON .x", "COM\xB9", "lpt\xB2"})
        EXPECT_TRUE(IsDeviceName(device)) << device;
    for (const char* name : {"CONSOLE", "CON1", "COM", "COM10", "COMA", "LPT", "xNUL", "Null",
                             "NULL.txt", "x.CON", "Torvane.Exe"})
        EXPECT_FALSE(IsDeviceName(name)) << name;
}

TEST(PathNames, ShortNamesAreToldApartFromOrdinaryOnes) {
    for (const char* shortName : {"PROGRA~1", "TORVAN~2.EXE", "TORVAN~12.EXE", "A~1", "a~12"})
        EXPECT_TRUE(IsShortName(shortName)) << shortName;
    for (const char* name : {"Torvane P2P", "notes~.txt", "~1", "a~", "a~b", "a~b.txt", "x~1a"})
        EXPECT_FALSE(IsShortName(name)) << name;
}

TEST(PathNames, PartsBelowTheDriveRoot) {
    EXPECT_EQ(PathParts("C:\\a\\b\\"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(PathParts("D:\\Users\\\\bob"), (std::vector<std::string>{"Users", "bob"}));
    EXPECT_TRUE(PathParts("C:\\").empty());
    EXPECT_TRUE(PathParts("C:").empty());
    // "\x95\x5C" is one character of code page 932 whose second byte is that of "\\".
    EXPECT_EQ(PathParts("C:\\a\\\x95\x5C\\b", testing::ShiftJisLead),
              (std::vector<std::string>{"a", "\x95\x5C", "b"}));
}

// Under a double-byte code page only whole characters count: a name ending
// in a second byte 0x5C neither ends with a backslash nor holds one.
TEST(PathNames, TrailingBackslashesAndUnspellableNamesByCharacter) {
    struct Case {
        std::string text;
        LeadByte isLead;
        bool endsWithBackslash, unspellable;
    };
    const Case cases[] = {
        {"C:\\a\\", NoLeadBytes, true, true},
        {"a", NoLeadBytes, false, false},
        {"", NoLeadBytes, false, false},
        {"\x95\x5C", NoLeadBytes, true, true},  // a single-byte code page: two characters
        {"\x95\x5C", testing::ShiftJisLead, false, false},
        {"\x95\x5C\\", testing::ShiftJisLead, true, true},
        {"a?b", NoLeadBytes, false, true},  // best fit of a character the code page lacks
        {"a/b", testing::ShiftJisLead, false, true},
        {"a\\\x95\x5C", testing::ShiftJisLead, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EndsWithBackslash(c.text, c.isLead), c.endsWithBackslash) << c.text;
        EXPECT_EQ(WithBackslash(c.text, c.isLead), c.endsWithBackslash ? c.text : c.text + "\\")
            << c.text;
        EXPECT_EQ(IsUnspellableName(c.text, c.isLead), c.unspellable) << c.text;
    }
}

}  // namespace
}  // namespace torvane
