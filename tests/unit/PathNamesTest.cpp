#include <gtest/gtest.h>

#include "base/PathNames.h"

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
}

}  // namespace
}  // namespace torvane
