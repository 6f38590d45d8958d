#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fakes/DriveFileSearch.h"
#include "fakes/DriveFileSystem.h"
#include "fakes/TempDrives.h"
#include "lib/LIB_FindFiles.h"

namespace torvane {
namespace {

using Paths = std::vector<std::string>;
using platform::DriveType;

// Drives C: and D: fixed, E: removable, F: CD-ROM, G: network, H: RAM disk,
// each holding one "x.txt" in its root.
class FindFilesOnDrives : public ::testing::Test {
protected:
    FindFilesOnDrives() {
        drives.Add('C', DriveType::Fixed);
        drives.Add('D', DriveType::Fixed);
        drives.Add('E', DriveType::Removable);
        drives.Add('F', DriveType::CdRom);
        drives.Add('G', DriveType::Remote);
        drives.Add('H', DriveType::RamDisk);
        for (char letter : std::string("CDEFGH"))
            files.WriteText(std::string(1, letter) + ":\\x.txt", "x");
    }

    // FindFiles with a progress callback recording every percent (and
    // answering from `stopAt`) and a file callback keeping everything but
    // the paths in `refuse`.
    Paths Find(const std::string& masks, std::uint8_t mode, const std::string& extra = "",
               std::int32_t max = 0) {
        return FindFiles(
            services, masks, mode, extra,
            [this](std::uint8_t percent) {
                percents.push_back(percent);
                return stopAt && stopAt(percent);
            },
            [this](const std::string& path) {
                offered.push_back(path);
                return refuse.count(path) == 0;
            },
            max);
    }

    testing::TempDrives drives;
    testing::DriveFileSystem files{drives};
    testing::DriveFileSearch search{drives, files};
    FindFilesServices services{search, drives};
    std::vector<int> percents;
    Paths offered;
    std::set<std::string> refuse;
    std::function<bool(std::uint8_t)> stopAt;
};

TEST_F(FindFilesOnDrives, MasksAreParsedTrimmedAndDefaultToEverything) {
    files.WriteText("D:\\dir\\a.exe", "");
    files.WriteText("D:\\dir\\b.dll", "");
    files.WriteText("D:\\dir\\noext", "");
    struct Case {
        std::string masks;
        Paths expected;
    };
    const Case cases[] = {
        {"", {"D:\\dir\\a.exe", "D:\\dir\\b.dll", "D:\\dir\\noext"}},
        {" ; ; ", {"D:\\dir\\a.exe", "D:\\dir\\b.dll", "D:\\dir\\noext"}},
        {"*", {"D:\\dir\\a.exe", "D:\\dir\\b.dll", "D:\\dir\\noext"}},
        {" *.exe ; b.dll ;", {"D:\\dir\\a.exe", "D:\\dir\\b.dll"}},
        {"*.EXE", {"D:\\dir\\a.exe"}},
    };
    for (const Case& c : cases) {
        search.asked.clear();
        EXPECT_EQ(Find(c.masks, 99, "D:\\dir"), c.expected) << '"' << c.masks << '"';
    }
    // "*" is asked for as "*.*"; a trailing ";" adds no empty mask.
    search.asked.clear();
    Find("*", 99, "D:\\dir");
    EXPECT_EQ(search.asked, (Paths{"D:\\dir\\*.*", "D:\\dir\\*.*"}));
    search.asked.clear();
    Find(" *.exe ; b.dll ;", 99, "D:\\dir");
    EXPECT_EQ(search.asked, (Paths{"D:\\dir\\*.exe", "D:\\dir\\b.dll", "D:\\dir\\*.*"}));
}

TEST_F(FindFilesOnDrives, DriveModesChooseTheDriveTypes) {
    struct Case {
        std::uint8_t mode;
        Paths expected;
    };
    const Case cases[] = {
        {0, {"C:\\x.txt"}},  // the current folder's drive only
        {1, {"C:\\x.txt", "D:\\x.txt"}},
        {2, {"C:\\x.txt", "D:\\x.txt", "E:\\x.txt", "H:\\x.txt"}},
        {3, {"C:\\x.txt", "D:\\x.txt", "E:\\x.txt", "F:\\x.txt", "G:\\x.txt", "H:\\x.txt"}},
        {4, {}},
        {255, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find("x.txt", c.mode), c.expected) << "mode " << int(c.mode);

    search.currentDirectory = "D:\\somewhere\\deep";
    EXPECT_EQ(Find("x.txt", 0), Paths{"D:\\x.txt"});
}

TEST_F(FindFilesOnDrives, ResultIsSortedIgnoringCaseAndKeepsTheFileSystemsSpelling) {
    files.WriteText("C:\\Program Files\\Torvane P2P\\Torvane.Exe", "");
    files.WriteText("D:\\Apps\\torvane.exe", "");
    files.WriteText("C:\\apps\\TORVANE.EXE", "");
    files.WriteText("C:\\Other\\torvane.exe.bak", "");
    EXPECT_EQ(Find("torvane.exe", 1),
              (Paths{"C:\\apps\\TORVANE.EXE", "C:\\Program Files\\Torvane P2P\\Torvane.Exe",
                     "D:\\Apps\\torvane.exe"}));
}

TEST_F(FindFilesOnDrives, AFileReachedTwiceIsListedOnceAsFirstFound) {
    files.WriteText("D:\\Apps\\Torvane.exe", "");
    // The drive root reaches it first; the extra folders reach it again, once
    // spelled in another case.
    EXPECT_EQ(Find("torvane.exe", 1, "d:\\apps;D:\\Apps\\"), Paths{"D:\\Apps\\Torvane.exe"});
    // Only the extra folders: the first one decides the case kept.
    EXPECT_EQ(Find("torvane.exe", 99, "d:\\APPS ; D:\\Apps"), Paths{"d:\\APPS\\Torvane.exe"});
    // The file callback is asked once only.
    offered.clear();
    Find("torvane.exe", 99, "D:\\Apps;D:\\Apps;d:\\apps");
    EXPECT_EQ(offered, Paths{"D:\\Apps\\Torvane.exe"});
}

TEST_F(FindFilesOnDrives, DuplicatesDifferOnlyInTheCaseOfAToZ) {
    // The same folder named in two spellings reaches the same file twice;
    // only A-Z case folding makes them one path. Letters outside A-Z are
    // compared as they are (the fake drives fold only A-Z, so these are two
    // files).
    files.WriteText("D:\\d\\Abc.txt", "");
    files.WriteText("D:\\d\\\xC9t\xE9.txt", "");
    files.WriteText("D:\\d\\\xE9t\xE9.txt", "");
    EXPECT_EQ(Find("*.txt", 99, "D:\\d;d:\\D"),
              (Paths{"D:\\d\\Abc.txt", "D:\\d\\\xC9t\xE9.txt", "D:\\d\\\xE9t\xE9.txt"}));
}

TEST_F(FindFilesOnDrives, AJunctionLoopIsNotFollowedAndNoFolderIsEnteredTwice) {
    files.WriteText("D:\\a\\b\\torvane.exe", "");
    files.WriteText("D:\\elsewhere\\torvane.exe", "");
    // D:\a\b\loop leads back to D:\a; D:\a\far to D:\elsewhere.
    std::filesystem::create_directory_symlink(*drives.HostPath("D:\\a"),
                                              *drives.HostPath("D:\\a\\b\\loop"));
    std::filesystem::create_directory_symlink(*drives.HostPath("D:\\elsewhere"),
                                              *drives.HostPath("D:\\a\\far"));
    EXPECT_EQ(Find("torvane.exe", 99, "D:\\"),
              (Paths{"D:\\a\\b\\torvane.exe", "D:\\elsewhere\\torvane.exe"}));
    EXPECT_EQ(percents.back(), 100);
    std::set<std::string> entered;
    for (const std::string& pattern : search.asked) {
        if (pattern.size() > 3 && pattern.compare(pattern.size() - 3, 3, "*.*") == 0) {
            EXPECT_TRUE(entered.insert(pattern).second) << pattern << " listed twice";
        }
    }
    EXPECT_EQ(entered, (std::set<std::string>{"D:\\*.*", "D:\\a\\*.*", "D:\\a\\b\\*.*",
                                              "D:\\elsewhere\\*.*"}));
}

TEST_F(FindFilesOnDrives, FoldersNamedLikeTheMaskAreCollected) {
    files.MakeFolders("D:\\odd\\torvane.exe");
    files.WriteText("D:\\odd\\torvane.exe\\torvane.exe", "");
    EXPECT_EQ(Find("torvane.exe", 1),
              (Paths{"D:\\odd\\torvane.exe", "D:\\odd\\torvane.exe\\torvane.exe"}));
}

TEST_F(FindFilesOnDrives, HiddenFilesAreFoundButHiddenFoldersAreNotEntered) {
    files.WriteText("C:\\shown\\torvane.exe", "");
    files.WriteText("C:\\shown\\hiddenfile\\torvane.exe", "");
    files.WriteText("C:\\secret\\torvane.exe", "");
    files.WriteText("C:\\secret\\below\\torvane.exe", "");
    files.hidden = {"C:\\shown\\torvane.exe", "C:\\secret"};
    EXPECT_EQ(Find("torvane.exe", 1),
              (Paths{"C:\\shown\\hiddenfile\\torvane.exe", "C:\\shown\\torvane.exe"}));
    // A hidden folder named like the mask is still collected: the mask
    // listing admits every attribute.
    EXPECT_EQ(Find("secret", 1), Paths{"C:\\secret"});
}

// A name the listing could only give in a best-fit spelling ("?" for a
// character the code page lacks) would, as a path, name another file.
TEST_F(FindFilesOnDrives, BestFitNamesAreNeitherFoundNorEntered) {
    for (const char* path : {"D:\\a?b.exe", "D:\\odd?\\c.exe", "D:\\ok\\d.exe"})
        files.WriteText(path, "");
    EXPECT_EQ(Find("*.exe", 1), Paths{"D:\\ok\\d.exe"});
}

TEST_F(FindFilesOnDrives, MissingAndBrokenFoldersArePassedOverSilently) {
    files.WriteText("D:\\a\\1.txt", "");
    files.WriteText("D:\\a\\2.txt", "");
    files.WriteText("D:\\a\\3.txt", "");
    search.failAfter["D:\\a\\"] = 2;  // the listing breaks after two entries
    EXPECT_EQ(Find("*.txt", 99, "Q:\\nowhere;D:\\missing;D:\\a"),
              (Paths{"D:\\a\\1.txt", "D:\\a\\2.txt"}));
    EXPECT_EQ(percents.back(), 100);
}

TEST_F(FindFilesOnDrives, MaxCountLimitsTheListButNotTheWalk) {
    for (const char* path : {"D:\\a\\f1.txt", "D:\\a\\f2.txt", "D:\\b\\f3.txt", "D:\\c\\f4.txt"})
        files.WriteText(path, "");
    EXPECT_EQ(Find("f*.txt", 99, "D:\\", 2), (Paths{"D:\\a\\f1.txt", "D:\\a\\f2.txt"}));
    // Every folder is still visited and the progress still reaches 100.
    EXPECT_EQ(percents.back(), 100);
    EXPECT_NE(std::find(search.asked.begin(), search.asked.end(), "D:\\c\\*.*"),
              search.asked.end());

    EXPECT_EQ(Find("f*.txt", 99, "D:\\", 0).size(), 4u) << "0: no limit";
    offered.clear();
    EXPECT_EQ(Find("f*.txt", 99, "D:\\", -1), Paths{}) << "negative: nothing at all";
    EXPECT_TRUE(offered.empty());
}

TEST_F(FindFilesOnDrives, RefusedFilesAreLeftOutAndAskedAgainWhenReachedAgain) {
    files.WriteText("D:\\a\\keep.txt", "");
    files.WriteText("D:\\a\\drop.txt", "");
    refuse = {"D:\\a\\drop.txt"};
    EXPECT_EQ(Find("*.txt", 99, "D:\\a;D:\\a"), Paths{"D:\\a\\keep.txt"});
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "D:\\a\\drop.txt"), 2);
}

TEST_F(FindFilesOnDrives, NoStartFoldersReportOneNinetyNineAndHundred) {
    EXPECT_EQ(Find("*.*", 4), Paths{});
    EXPECT_EQ(percents, (std::vector<int>{1, 99, 100}));
}

TEST_F(FindFilesOnDrives, ProgressSplitsEachSpanIntoEighths) {
    // One start folder: bounds 1,000..998,000. Its subfolders a, b, c get
    // 1,000..125,625, 125,625..234,671 and 234,671..330,087 (an eighth of
    // what is left each time), reported as 12, 23 and 33 percent; then the
    // root reports 99.
    for (const char* folder : {"D:\\r\\a", "D:\\r\\b", "D:\\r\\c"}) files.MakeFolders(folder);
    Find("none", 99, "D:\\r");
    EXPECT_EQ(percents, (std::vector<int>{1, 12, 23, 33, 99, 99, 100}));
}

TEST_F(FindFilesOnDrives, StartFoldersShareTheSpanEvenly) {
    // Three start folders: 998,000 / 3 = 332,666.67; uppers 332,667,
    // 665,333 and 998,000, so 33, 66, 99 percent.
    for (const char* folder : {"D:\\1", "D:\\2", "D:\\3"}) files.MakeFolders(folder);
    Find("none", 99, "D:\\1;D:\\2;D:\\3");
    EXPECT_EQ(percents, (std::vector<int>{1, 33, 66, 99, 99, 100}));
    // With a single start folder the first folder reports can lie below the
    // set-up's 1 percent: bounds start at 1,000.
    files.MakeFolders("D:\\s\\deep\\deeper\\deepest");
    percents.clear();
    Find("none", 99, "D:\\s");
    EXPECT_EQ(percents, (std::vector<int>{1, 0, 1, 12, 99, 99, 100}));
}

TEST_F(FindFilesOnDrives, StoppingEndsTheWalkAndStillReturnsASortedList) {
    files.WriteText("D:\\a\\z.txt", "");
    files.WriteText("D:\\a\\A.txt", "");
    files.WriteText("D:\\b\\b.txt", "");
    files.WriteText("E:\\e.txt", "");
    // Stop at the first folder report: D:\a is done, D:\b is never entered
    // and the second start folder never begun.
    int calls = 0;
    stopAt = [&calls](std::uint8_t) { return ++calls >= 2; };
    EXPECT_EQ(Find("*.txt", 99, "D:\\;E:\\"), (Paths{"D:\\a\\A.txt", "D:\\a\\z.txt", "D:\\x.txt"}));
    EXPECT_EQ(std::count(search.asked.begin(), search.asked.end(), "D:\\b\\*.txt"), 0);
    EXPECT_EQ(std::count(search.asked.begin(), search.asked.end(), "E:\\*.txt"), 0);
    EXPECT_EQ(percents.back(), 100) << "the finishing reports still run";

    // Stopped by the set-up report: nothing walked at all.
    search.asked.clear();
    stopAt = [](std::uint8_t) { return true; };
    EXPECT_EQ(Find("*.txt", 99, "D:\\;E:\\"), Paths{});
    EXPECT_TRUE(search.asked.empty());
}

TEST_F(FindFilesOnDrives, AStopAnsweredOnlyOnceLetsTheWalkGoOn) {
    files.WriteText("D:\\a\\1.txt", "");
    files.WriteText("D:\\b\\2.txt", "");
    files.WriteText("D:\\c\\3.txt", "");
    // True at the report of folder a, false at the next one (the end of the
    // start folder): the root stops listing after a, and the next start
    // folder is walked because the flag was overwritten.
    int calls = 0;
    stopAt = [&calls](std::uint8_t) { return ++calls == 2; };
    EXPECT_EQ(Find("*.txt", 99, "D:\\;D:\\c"),
              (Paths{"D:\\a\\1.txt", "D:\\c\\3.txt", "D:\\x.txt"}));
}

}  // namespace
}  // namespace torvane
