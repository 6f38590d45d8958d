#include <gtest/gtest.h>

#include "app/Appl_Globals.h"
#include "app/CommandLine.h"
#include "base/SplitCommandLine.h"
#include "fakes/CodePages.h"
#include "fakes/WizardFixture.h"

namespace torvane {
namespace {

TEST(SplitCommandLine, DropsTheProgramAndUnquotesParameters) {
    struct Case {
        const char* line;
        std::vector<std::string> params;
    };
    const Case cases[] = {
        {"setup.exe", {}},
        {"\"C:\\Down loads\\Install_Torvane.exe\" /autoupdate C:\\x", {"/autoupdate", "C:\\x"}},
        {"setup.exe   a \t b  ", {"a", "b"}},
        {"setup.exe /autoupdate \"C:\\Two  Spaces\\F\"", {"/autoupdate", "C:\\Two  Spaces\\F"}},
        {"setup.exe a\"b c\"d", {"ab cd"}},
        {"setup.exe \"\"", {""}},
        // No escapes: a backslash before a quote is a backslash (the C
        // run-time's rules would read \" as a quote and run on).
        {"setup.exe /autoupdate \"C:\\a  b\\\" x", {"/autoupdate", "C:\\a  b\\", "x"}},
        {"setup.exe /autoupdate \"C:\\a  b\\\\\"", {"/autoupdate", "C:\\a  b\\\\"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.params) << c.line;
}

TEST(AutoUpdateFolder, RecognisesTheSwitchOnlyAsFirstParameterWithAFolder) {
    struct Case {
        std::vector<std::string> params;
        std::optional<std::string> folder;
        LeadByte isLead = NoLeadBytes;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{"/autoupdate"}, std::nullopt},         // nothing after it: not the switch
        {{"/autoupdate", "   "}, std::nullopt},  // trimmed away, no space follows
        {{"/autoupdateC:\\x"}, std::nullopt},
        {{"/s", "/autoupdate", "C:\\x"}, std::nullopt},  // not the first parameter
        {{"/autoupdate", "C:\\x"}, "C:\\x\\"},
        {{"/autoupdate", "C:\\x\\"}, "C:\\x\\"},  // no second backslash
        {{"/AUTOUPDATE", "C:\\Program", "Files\\Torvane", "P2P"},
         "C:\\Program Files\\Torvane P2P\\"},
        {{"/AutoUpdate", "C:\\Two  Spaces"}, "C:\\Two  Spaces\\"},  // quoted: inner spaces kept
        // written by the C run-time's rules: the backslash doubled before the quote
        {{"/autoupdate", "C:\\Two  Spaces\\\\"}, "C:\\Two  Spaces\\"},
        {{"/autoupdate", "C:\\\\"}, "C:\\"},
        {{"  /autoupdate", "d:\\MiXeD"}, "d:\\MiXeD\\"},
        // The folder's last character ends in the byte of "\\": it still gets one.
        {{"/autoupdate", "C:\\\x95\x5C"}, "C:\\\x95\x5C\\", testing::ShiftJisLead},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& p : c.params) shown += "[" + p + "]";
        EXPECT_EQ(AutoUpdateFolder(c.params, c.isLead), c.folder) << shown;
    }
}

TEST(StartUp, AutoUpdateSwitchSetsTheStateBeforeTheFirstPanel) {
    testing::Wizard wizard({"/AUTOUPDATE", "C:\\Some", "Folder"});
    EXPECT_EQ(InstallDir, "C:\\Some Folder\\");
    EXPECT_TRUE(AutoUpdate);
    // The skipped panels' values keep their start values.
    EXPECT_FALSE(DesktopShortcut);
    EXPECT_EQ(ConnectionType, 8);
    EXPECT_TRUE(InstallToolbar);
    EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
}

TEST(StartUp, WithoutTheSwitchTheStateKeepsItsStartValues) {
    testing::Wizard wizard({"/autoupdate"});
    EXPECT_FALSE(AutoUpdate);
    EXPECT_EQ(InstallDir, "");
    EXPECT_EQ(SourceCode, "01");
}

}  // namespace
}  // namespace torvane
