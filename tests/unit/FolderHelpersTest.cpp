#include <gtest/gtest.h>

#include "fakes/DriveFileSearch.h"
#include "fakes/DriveFileSystem.h"
#include "fakes/TempDrives.h"
#include "lib/LIB_FolderHelpers.h"

namespace torvane {
namespace {

TEST(IsValidFolderName, AcceptsDrivePathsAndRejectsTheRest) {
    struct Case {
        std::string text;
        bool valid;
    };
    const Case cases[] = {
        {"C:\\", true},  // a bare root
        {"C:", false},
        {"C:x", false},
        {"", false},
        {"c:\\x", true},
        {"C:\\Program Files\\Torvane P2P", true},
        {"C:\\a\\b\\", true},  // a trailing backslash
        {"\\\\server\\share\\dir", false},
        {"C:\\a\\\\b", false},
        {"C:\\a\\b\\\\", false},
        {"C:\\a?b", false},
        {"C:\\a*b", false},
        {"C:\\a/b", false},
        {"C:\\a:b", false},
        {"C:\\a<b", false},
        {"C:\\a>b", false},
        {"C:\\\"a", false},
        {"C:\\a|b", true},  // not among the refused characters
        {" C:\\a", false},
        {"C:\\a ", false},
        {"C:\\a\n", false},
        {"\tC:\\a", false},
        {"C:\\a\tb", true},  // blanks inside are fine
        {"C:\\a b", true},
        {"1:\\a", true},  // the drive letter is not examined
        {"?:\\a", true},
        {"C;\\a", false},
        {"C:/a", false},
        {"C:\\\xE9t\xE9", true},  // upper half of the code page: not blanks
        {"C:\\a\xA0", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidFolderName(c.text), c.valid) << '"' << c.text << '"';
}

class FolderOnDrives : public ::testing::Test {
protected:
    FolderOnDrives() {
        drives.Add('C', platform::DriveType::Fixed);
        drives.Add('D', platform::DriveType::Fixed);
        files.MakeFolders("C:\\Program Files");
        files.MakeFolders("D:\\Games");
        files.WriteText("C:\\readme.txt", "text");
    }
    testing::TempDrives drives;
    testing::DriveFileSystem files{drives};
};

TEST_F(FolderOnDrives, FolderExistsOnlyForFolders) {
    EXPECT_TRUE(FolderExists(files, "C:\\Program Files"));
    EXPECT_TRUE(FolderExists(files, "C:\\Program Files\\"));
    EXPECT_TRUE(FolderExists(files, "D:\\"));
    EXPECT_FALSE(FolderExists(files, "C:\\readme.txt"));
    EXPECT_FALSE(FolderExists(files, "C:\\readme.txt\\"));
    EXPECT_FALSE(FolderExists(files, "C:\\Program Files\\Torvane P2P"));
    EXPECT_FALSE(FolderExists(files, "F:\\"));
    EXPECT_FALSE(FolderExists(files, ""));
}

TEST_F(FolderOnDrives, FolderOrParentKeepsAnExistingFolderAndElseNamesTheParent) {
    struct Case {
        std::string text, expected;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Torvane P2P", "C:\\Program Files"},
        {"C:\\Program Files\\Torvane P2P\\", "C:\\Program Files"},
        {"C:\\Program Files\\Torvane P2P\\Sub", "C:\\Program Files\\Torvane P2P"},  // not checked
        {"D:\\Games", "D:\\Games"},
        {"D:\\Games\\", "D:\\Games\\"},  // passed on unchanged
        {"D:\\Missing", "D:\\"},
        {"D:\\Missing\\", "D:\\"},
        {"C:\\readme.txt", "C:\\"},  // a file is no folder
        {"F:\\", "F:"},              // no such drive: the root without its backslash
        {"F:x", "F:"},
        {"C:\\a\\\\", "C:\\a"},  // one trailing backslash dropped, the next one ends the parent
        {"\\\\server", "\\\\"},
        {"\\a", "\\"},
        {"relative", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FolderOrParent(files, c.text), c.expected) << '"' << c.text << '"';
}

TEST_F(FolderOnDrives, AFolderHoldsAnythingAtAll) {
    testing::DriveFileSearch search{drives, files};
    files.MakeFolders("D:\\Empty");
    files.MakeFolders("D:\\OnlyAFolder\\Sub");
    files.WriteText("D:\\Saves\\savegame.DAT", "level 3");
    files.WriteText("D:\\Hidden\\desktop.ini", "x");
    files.hidden.insert("D:\\Hidden\\desktop.ini");
    EXPECT_FALSE(FolderHoldsAnything(search, "D:\\Empty"));
    EXPECT_FALSE(FolderHoldsAnything(search, "D:\\Empty\\"));
    EXPECT_FALSE(FolderHoldsAnything(search, "D:\\Missing"));
    EXPECT_TRUE(FolderHoldsAnything(search, "D:\\OnlyAFolder"));
    EXPECT_TRUE(FolderHoldsAnything(search, "D:\\Saves\\"));
    EXPECT_TRUE(FolderHoldsAnything(search, "D:\\Hidden"));
}

}  // namespace
}  // namespace torvane
