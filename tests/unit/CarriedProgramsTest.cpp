// The portable halves of the demonstration client (where it looks for its
// data file, what it shows) and of the toolbar stand-in (when it is silent,
// what it records).
#include <gtest/gtest.h>

#include "app/Appl_Globals.h"
#include "base/SplitCommandLine.h"
#include "base/Text.h"
#include "client/ClientReport.h"
#include "fakes/FakeClock.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/WizardFixture.h"
#include "payload/SeedDataFile.h"
#include "toolbar/ToolbarStandIn.h"

namespace torvane {
namespace {

TEST(ClientReport, LooksInLocalApplicationDataFirstThenBesideItself) {
    EXPECT_EQ(client::DataFileCandidates("C:\\Users\\me\\AppData\\Local",
                                         "C:\\Program Files\\Torvane P2P"),
              (std::vector<std::string>{"C:\\Users\\me\\AppData\\Local\\Torvane P2P\\Torvane.Dat",
                                        "C:\\Program Files\\Torvane P2P\\QVInst.Dat"}));
    EXPECT_EQ(client::DataFileCandidates("C:\\Users\\me\\AppData\\Local\\", "D:\\"),
              (std::vector<std::string>{"C:\\Users\\me\\AppData\\Local\\Torvane P2P\\Torvane.Dat",
                                        "D:\\QVInst.Dat"}));
    EXPECT_EQ(client::DataFileCandidates("", "C:\\T"),
              std::vector<std::string>{"C:\\T\\QVInst.Dat"});
    EXPECT_EQ(client::Caption(), "Torvane P2P 4.43");
}

TEST(ClientReport, ShowsWhatAFileWrittenByTheSetupHolds) {
    const DataFileInputs inputs{"C:\\Users\\me\\AppData\\Local\\Torvane P2P\\",
                                "D:\\My Downloads\\", kBuildSourceCode, 3};
    testing::MemoryFileSystem files;
    testing::CountingGuidSource guids;
    testing::FakeClock clock;
    WriteDataFile("C:\\x.Dat", inputs, DataFileServices{files, guids, clock, [](int) {}});
    const DataFileContents contents = DecodeDataFile(files.Bytes("C:\\x.Dat"));

    const std::vector<std::string> lines = client::DescribeDataFile("C:\\x.Dat", contents);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Data file: C:\\x.Dat",
                         "Work folder: C:\\Users\\me\\AppData\\Local\\Torvane P2P\\",
                         "Download folder: D:\\My Downloads",
                         "Connection: 80",
                         "GUID: {00000001-0000-0000-C001-000000000001}",
                         "Nodes: 500 + 500",
                         "Settings: 2118",
                         "Hashes: 1168",
                         "Version: 4.43 (demonstration client)",
                     }));
}

TEST(ClientReport, SaysWhyThereIsNothingToShow) {
    EXPECT_EQ(client::DescribeNoDataFile({"C:\\a\\Torvane.Dat", "C:\\b\\QVInst.Dat"}),
              (std::vector<std::string>{"No data file found.", "Looked for: C:\\a\\Torvane.Dat",
                                        "Looked for: C:\\b\\QVInst.Dat",
                                        "Version: 4.43 (demonstration client)"}));
    const std::vector<std::string> bad =
        client::DescribeUnreadable("C:\\a\\Torvane.Dat", "Bad tag at byte 7");
    ASSERT_EQ(bad.size(), 3u);
    EXPECT_EQ(bad[0], "Data file: C:\\a\\Torvane.Dat");
    EXPECT_EQ(bad[1], "The data file could not be read: Bad tag at byte 7");
}

TEST(ToolbarStandIn, IsSilentOnlyWithSlashSThenDashSilent) {
    EXPECT_TRUE(toolbar::IsSilentRun({"/s", "-silent"}));
    EXPECT_TRUE(toolbar::IsSilentRun({"/S", "-SILENT"}));
    EXPECT_FALSE(toolbar::IsSilentRun({"-silent", "/s"}));
    EXPECT_FALSE(toolbar::IsSilentRun({"/s"}));
    EXPECT_FALSE(toolbar::IsSilentRun({"-silent"}));
    EXPECT_FALSE(toolbar::IsSilentRun({}));
    EXPECT_FALSE(toolbar::IsSilentRun({"/s", "-silent", "/x"}));
    EXPECT_FALSE(toolbar::IsSilentRun({"/s", "-silently"}));
    EXPECT_TRUE(
        toolbar::IsSilentRun(SplitCommandLine("\"C:\\T dir\\Torvane_toolbar.exe\" /s -silent")));
}

TEST(ToolbarStandIn, RecordsTheCommandLineAndTheTimeAndSaysWhatItIs) {
    EXPECT_EQ(
        toolbar::MarkerText("\"C:\\x\\Torvane_toolbar.exe\" /s -silent", {2026, 3, 9, 7, 5, 4}),
        "Torvane toolbar stand-in ran silently; it installed nothing.\r\n"
        "Command line: \"C:\\x\\Torvane_toolbar.exe\" /s -silent\r\n"
        "Local time: 2026-03-09 07:05:04\r\n");
    EXPECT_NE(toolbar::NoticeText().find("stand-in"), std::string::npos);
    EXPECT_NE(toolbar::NoticeText().find("installs nothing"), std::string::npos);
    EXPECT_NE(toolbar::NoticeTitle().find("stand-in"), std::string::npos);
}

}  // namespace
}  // namespace torvane
