// The uninstaller's switches, and the cleanup copy's command line.
#include <gtest/gtest.h>

#include "base/SplitCommandLine.h"
#include "fakes/CodePages.h"
#include "fakes/UninstallLists.h"
#include "uninstall/CommandLine.h"

namespace torvane::uninstall {
namespace {

// --- command line ---------------------------------------------------------------------

TEST(UninstallCommandLine, TellsTheModesApart) {
    EXPECT_EQ(ParseInvocation({}).mode, Mode::Interactive);
    EXPECT_EQ(ParseInvocation({"/s"}).mode, Mode::Silent);
    EXPECT_EQ(ParseInvocation({"/S"}).mode, Mode::Silent);
    EXPECT_EQ(ParseInvocation({"/x", "/s"}).mode, Mode::Silent);
    EXPECT_EQ(ParseInvocation({"/silent"}).mode, Mode::Interactive);
    EXPECT_EQ(ParseInvocation({"s"}).mode, Mode::Interactive);
    EXPECT_EQ(ParseInvocation({"/s", "/cleanup"}).mode, Mode::Silent);  // only first
}

TEST(UninstallCommandLine, TheCleanupLineSurvivesTheRoundTrip) {
    const CleanupRequest request{kSelf, 4242, {kInstall, "C:\\Data Folder"}};
    const std::string line =
        CleanupCommandLine("C:\\Temp Dir\\Torvane-Uninstall-4242.exe", request);
    EXPECT_EQ(line, "\"C:\\Temp Dir\\Torvane-Uninstall-4242.exe\" /cleanup \"" + kSelf +
                        "\" 4242 \"" + kInstall + "\" \"C:\\Data Folder\"");
    const Invocation back = ParseInvocation(SplitCommandLine(line));
    ASSERT_EQ(back.mode, Mode::Cleanup);
    EXPECT_EQ(back.cleanup.original, kSelf);
    EXPECT_EQ(back.cleanup.processId, 4242u);
    EXPECT_EQ(back.cleanup.folders, request.folders);
    EXPECT_EQ(ParseInvocation({"/CLEANUP", kSelf, "7"}).cleanup.folders.size(), 0u);
    // A folder whose last character ends in the byte of "\\" keeps it.
    const std::string kanjiFolder = "C:\\\x95\x5C";
    EXPECT_EQ(ParseInvocation({"/cleanup", kSelf, "7", kanjiFolder}, testing::ShiftJisLead)
                  .cleanup.folders,
              std::vector<std::string>{kanjiFolder});
}

TEST(UninstallCommandLine, RefusesAMalformedCleanup) {
    const std::vector<std::vector<std::string>> bad{
        {"/cleanup"},
        {"/cleanup", kSelf},
        {"/cleanup", "Uninstall.Exe", "12"},
        {"/cleanup", kSelf, "12x"},
        {"/cleanup", kSelf, "0"},
        {"/cleanup", kSelf, "99999999999"},
        {"/cleanup", kSelf, "12", "relative\\folder"},
        {"/cleanup", kSelf, "12", "C:\\"},
        {"/cleanup", "C:\\*.exe", "12"},
    };
    for (const auto& params : bad)
        EXPECT_THROW(ParseInvocation(params), ListError) << params.size();
}

}  // namespace
}  // namespace torvane::uninstall
