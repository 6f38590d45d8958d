#include <gtest/gtest.h>

#include "fakes/CodePages.h"
#include "fakes/DriveFileSearch.h"
#include "fakes/DriveFileSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/TempDrives.h"
#include "lib/EnsureFolder.h"
#include "lib/LIB_FolderHelpers.h"

namespace torvane {
namespace {

TEST(IsValidFolderName, AcceptsDrivePathsAndRejectsTheRest) {
    struct Case {
        std::string text;
        bool valid;
        LeadByte isLead = NoLeadBytes;
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
        // A character whose second byte is that of "\\", then a backslash:
        // no doubled backslash under a double-byte code page.
        {"C:\\\x95\x5C\\x", true, testing::ShiftJisLead},
        {"C:\\\x95\x5C\\x", false},
        {"C:\\\x95\x5C\\\\x", false, testing::ShiftJisLead},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidFolderName(c.text, c.isLead), c.valid) << '"' << c.text << '"';
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

TEST(ResolvePathText, ResolvesDotsAndTheLastPartsTrailingDotsAndBlanks) {
    struct Case {
        const char* path;
        std::optional<std::string> expected;
        LeadByte isLead = NoLeadBytes;
    };
    const Case cases[] = {
        {"D:\\Apps\\..\\Torvane P2P", "D:\\Torvane P2P"},
        {"D:\\Apps\\.\\x\\", "D:\\Apps\\x\\"},
        {"D:\\..\\..\\x", "D:\\x"},  // no higher than the root
        {"D:\\Torvane P2P.", "D:\\Torvane P2P"},
        {"D:\\Torvane P2P . .", "D:\\Torvane P2P"},
        {"D:\\Games \\x", "D:\\Games \\x"},  // only the last part, as the system does
        {"D:\\a\\..", "D:\\"},
        {"D:\\a/b//c", "D:\\a\\b\\c"},
        {"D:\\", "D:\\"},
        {"D:x", std::nullopt},
        {"\\\\server\\share", std::nullopt},
        {"D:\\\x95\x5C.", "D:\\\x95\x5C", testing::ShiftJisLead},  // one name, its dot dropped
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::ResolvePathText(c.path, c.isLead), c.expected) << c.path;
}

TEST_F(FolderOnDrives, TheFakeReachesFilesThroughTheirShortNames) {
    drives.AddShortName("C:\\Program Files", "PROGRA~1");
    EXPECT_TRUE(FolderExists(files, "c:\\progra~1"));
    files.WriteText("C:\\Program Files\\a.txt", "a");
    EXPECT_EQ(files.ReadText("C:\\PROGRA~1\\A.TXT"), "a");
    EXPECT_EQ(files.FullLongPath("c:\\progra~1\\New\\..\\Torvane P2P\\"),
              "c:\\Program Files\\Torvane P2P\\");
    // A real entry of the alias's name comes first; a missing part ends the expansion.
    files.MakeFolders("D:\\GAMES~1");
    drives.AddShortName("D:\\Games", "GAMES~1");
    EXPECT_EQ(files.FullLongPath("D:\\GAMES~1"), "D:\\GAMES~1");
    EXPECT_EQ(files.FullLongPath("D:\\Missing\\PROGRA~1"), "D:\\Missing\\PROGRA~1");
    EXPECT_EQ(files.FullLongPath("Q:\\PROGRA~1"), "Q:\\PROGRA~1");  // no such drive
}

TEST_F(FolderOnDrives, CanonicalFolderNamesAreTheLongFullSpelling) {
    drives.AddShortName("C:\\Program Files", "PROGRA~1");
    files.MakeFolders("D:\\Apps");
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"D:\\Games \\Torvane P2P", "D:\\Games\\Torvane P2P"},
        {"D:\\Apps\\..\\Torvane P2P", "D:\\Torvane P2P"},
        {"D:\\Torvane P2P.", "D:\\Torvane P2P"},
        {"C:\\PROGRA~1\\Torvane P2P", "C:\\Program Files\\Torvane P2P"},
        {"D:\\Apps. \\P2P\\", "D:\\Apps\\P2P\\"},   // a trailing backslash stays
        {"d:\\apps\\.\\P2P", "d:\\apps\\P2P"},      // the typed case stays
        {"D:\\Apps\\..", std::nullopt},             // the root is left
        {"D:\\Apps\\...\\P2P", std::nullopt},       // a part of dots only
        {"D:\\ \\P2P", std::nullopt},               // a part of a blank only
        {"D:\\TORVAN~1", std::nullopt},             // an alias of nothing
        {"D:\\Games\\nul.txt\\P2P", std::nullopt},  // a device
        {"D:\\COM1", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CanonicalFolderName(files, text), expected) << text;
}

// Under a double-byte code page a path is split by character: "\x95\x5C" is
// one character (a kanji) whose second byte is that of "\\".
TEST(FolderHelpers, DoubleByteNamesAreSplitByCharacter) {
    const std::string kanji = "\x95\x5C";
    struct Case {
        std::string text, parent, canonical;
        std::vector<std::string> made;
    };
    const Case cases[] = {
        {"C:\\a\\" + kanji, "C:\\a", "C:\\a\\" + kanji, {"C:\\a", "C:\\a\\" + kanji}},
        {"C:\\a\\" + kanji + "\\", "C:\\a", "C:\\a\\" + kanji + "\\", {"C:\\a", "C:\\a\\" + kanji}},
        {"D:\\" + kanji + "\\" + kanji + "x",
         "D:\\" + kanji,
         "D:\\" + kanji + "\\" + kanji + "x",
         {"D:\\" + kanji, "D:\\" + kanji + "\\" + kanji + "x"}},
    };
    for (const Case& c : cases) {
        testing::MemoryFileSystem files;
        files.leadBytes = testing::ShiftJisLead;
        EXPECT_TRUE(IsValidFolderName(c.text, files.leadBytes)) << c.text;
        EXPECT_EQ(FolderOrParent(files, c.text), c.parent) << c.text;
        EXPECT_EQ(CanonicalFolderName(files, c.text), c.canonical) << c.text;
        EnsureFolder(files, c.text);
        EXPECT_EQ(std::vector<std::string>(files.folders.begin(), files.folders.end()), c.made)
            << c.text;
    }
}

TEST_F(FolderOnDrives, AFolderHoldsAnythingAtAll) {
    testing::DriveFileSearch search{drives, files};
    files.MakeFolders("D:\\Empty");
    files.MakeFolders("D:\\OnlyAFolder\\Sub");
    files.WriteText("D:\\Saves\\savegame.DAT", "level 3");
    files.WriteText("D:\\Hidden\\desktop.ini", "x");
    files.hidden.insert("D:\\Hidden\\desktop.ini");
    EXPECT_FALSE(FolderHoldsAnything(search, "D:\\Empty", NoLeadBytes));
    EXPECT_FALSE(FolderHoldsAnything(search, "D:\\Empty\\", NoLeadBytes));
    EXPECT_FALSE(FolderHoldsAnything(search, "D:\\Missing", NoLeadBytes));
    EXPECT_TRUE(FolderHoldsAnything(search, "D:\\OnlyAFolder", NoLeadBytes));
    EXPECT_TRUE(FolderHoldsAnything(search, "D:\\Saves\\", NoLeadBytes));
    EXPECT_TRUE(FolderHoldsAnything(search, "D:\\Hidden", NoLeadBytes));
}

}  // namespace
}  // namespace torvane
