// The upgrading panel: the client replaced with retries while it is locked,
// the uninstaller and the renewed Start-menu links, the rest of the
// installation left alone, and the unattended "/autoupdate" run that starts
// the new client and ends the program.
#include <gtest/gtest.h>

#include <set>

#include "app/Appl_Globals.h"
#include "app/PNL_Error.h"
#include "fakes/WizardFixture.h"
#include "generated/BuildConfig.h"
#include "panels/PNL_UpgradeUpgrading.h"
#include "payload/GB_Payloads.h"

namespace torvane {
namespace {

using testing::Wizard;

std::string NameOfFile(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

const std::string kGroup = std::string(Wizard::kPrograms) + "\\Torvane P2P";

class UpgradeSequence : public ::testing::Test {
protected:
    // An earlier installation in D:\Apps\Torvane P2P\ with its data file,
    // uninstall list and a desktop shortcut, and old Start-menu links.
    explicit UpgradeSequence(std::vector<std::string> params = {}) : wizard(std::move(params)) {
        for (const char* file :
             {"Torvane.Exe", "Uninstall.Exe", "QVInst.Dat", "UnInstall.dat", "Torvane.bak"})
            wizard.files.WriteText(kDir + file, std::string("old ") + file);
        wizard.files.WriteText(std::string(Wizard::kDesktop) + "\\Torvane P2P.Lnk",
                               "old desktop link");
        wizard.files.WriteText(kGroup + "\\Torvane P2P.Lnk", "old link");
        // Every distinct text of the retry label, in order, and what the
        // test wants done while the sequence waits.
        wizard.host.onPump = [this] {
            wizard.clock.Advance(5);
            const std::string& caption = panel().Label1.Caption();
            if (retryTexts.empty() || retryTexts.back() != caption) retryTexts.push_back(caption);
            if (!caption.empty() && caption != ".") progressTexts.insert(panel().Label12.Caption());
            if (duringPump) duringPump();
        };
    }

    TPNLUpgradeUpgrading& panel() {
        for (const auto& p : wizard.form().Panels())
            if (p->Name() == "PNLUpgradeUpgrading") return static_cast<TPNLUpgradeUpgrading&>(*p);
        throw std::logic_error("no upgrading panel");
    }

    // As "&Upgrade" does, through the top-level handler.
    void Upgrade() {
        InstallDir = kDir;
        wizard.app.Dispatch([this] { wizard.form().ShowPanel("PnlUpgradeUpgrading", false); });
    }

    std::string Text(const std::string& path) {
        return wizard.files.ReadText(path).value_or("<missing>");
    }

    const std::string kDir = "D:\\Apps\\Torvane P2P\\";
    Wizard wizard;
    std::vector<std::string> retryTexts;
    std::set<std::string> progressTexts;  // shown while a retry message was
    std::function<void()> duringPump;
};

TEST_F(UpgradeSequence, ReplacesBothProgramsRenewsTheLinksAndLeavesTheRestAlone) {
    Upgrade();
    ASSERT_EQ(wizard.activePanel(), "PNLUpgradeReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(wizard.header(), "Upgrade of Torvane P2P ready");

    EXPECT_EQ(Text(kDir + "Torvane.Exe").size(), GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(Text(kDir + "Uninstall.Exe").size(), GB_Uninstall_exe::kInflatedSize);
    for (const char* file : {"QVInst.Dat", "UnInstall.dat", "Torvane.bak"})
        EXPECT_EQ(Text(kDir + file), std::string("old ") + file);
    EXPECT_EQ(Text(std::string(Wizard::kDesktop) + "\\Torvane P2P.Lnk"), "old desktop link");
    EXPECT_TRUE(wizard.registry.values.empty()) << "the uninstall entry is the installation's";
    EXPECT_TRUE(wizard.processes.started.empty());

    const std::string server = config::kWebServer;
    ASSERT_EQ(wizard.shell.shortcuts.size(), 4u);
    const struct {
        std::string target, link, description;
        int icon;
    } expected[] = {
        {kDir + "Torvane.Exe", kGroup + "\\Torvane P2P.Lnk", "Torvane P2P", 0},
        {server + "/p2p/", kGroup + "\\Torvane P2P On the Web.Lnk", "Torvane P2P On the web", -1},
        {server + "/p2p/help/", kGroup + "\\Torvane P2P Help.Lnk", "Torvane P2P Help", -1},
        {kDir + "Uninstall.Exe", kGroup + "\\Torvane P2P Uninstall.Lnk", "Torvane P2P Uninstall",
         0},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const testing::Shortcut& s = wizard.shell.shortcuts[i];
        EXPECT_EQ(s.target, expected[i].target);
        EXPECT_EQ(s.linkFile, expected[i].link);
        EXPECT_EQ(s.description, expected[i].description);
        EXPECT_EQ(s.iconIndex, expected[i].icon) << s.linkFile;
        EXPECT_EQ(s.arguments, "");
        EXPECT_TRUE(s.saved) << s.linkFile;
    }
    EXPECT_EQ(Text(kGroup + "\\Torvane P2P.Lnk"), "shortcut to " + kDir + "Torvane.Exe")
        << "overwritten";

    // The bar is full at the end; the retry label was never used.
    EXPECT_EQ(panel().ProgressBar1.Position(), panel().ProgressBar1.Max());
    EXPECT_EQ(panel().ProgressBar1.Max(), static_cast<int>(kPayloadProgressMaximum));
    EXPECT_EQ(panel().Label12.Caption(), "100% complete");
    EXPECT_EQ(retryTexts, std::vector<std::string>{"."});
    EXPECT_EQ(wizard.clock.sleptMs, 0u);
}

// A read-only client is nothing to wait for: it is replaced at the first
// attempt, without the message that names a running program.
TEST_F(UpgradeSequence, AReadOnlyClientAndUninstallerAreReplacedAtOnce) {
    for (const char* file : {"Torvane.Exe", "Uninstall.Exe"})
        wizard.files.readOnlyFiles.insert(kDir + file);
    Upgrade();
    ASSERT_EQ(wizard.activePanel(), "PNLUpgradeReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(Text(kDir + "Torvane.Exe").size(), GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(Text(kDir + "Uninstall.Exe").size(), GB_Uninstall_exe::kInflatedSize);
    EXPECT_TRUE(wizard.files.readOnlyFiles.empty());
    EXPECT_EQ(retryTexts, std::vector<std::string>{"."});
    EXPECT_EQ(wizard.clock.sleptMs, 0u);
}

TEST_F(UpgradeSequence, ALockedClientIsRetriedAfterFifteenSecondsAndTheLabelClears) {
    const std::string client = kDir + "Torvane.Exe";
    wizard.files.uncreatable.insert(client);
    // The client ends while the sequence waits after the first attempt.
    duringPump = [&] {
        if (wizard.clock.sleptMs >= 5000) wizard.files.uncreatable.clear();
    };
    Upgrade();
    ASSERT_EQ(wizard.activePanel(), "PNLUpgradeReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(retryTexts,
              (std::vector<std::string>{".", TPNLUpgradeUpgrading::RetryMessage(1), ""}));
    EXPECT_EQ(TPNLUpgradeUpgrading::RetryMessage(1),
              "Torvane P2P is still running or in use by another program. Upgrade will retry in a "
              "few seconds. "
              "(Attempt 1)");
    EXPECT_EQ(wizard.clock.sleptMs, 15000u);
    EXPECT_EQ(Text(client).size(), GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(panel().Label1.Caption(), "");
}

// The earlier client stays, so the upgrade did not succeed: the uninstaller
// and the links are still written, then the last attempt's failure is shown
// and reported like any other.
TEST_F(UpgradeSequence, AClientLockedThroughoutEndsOnTheErrorPanelAfterTheRestIsWritten) {
    const std::string client = kDir + "Torvane.Exe";
    wizard.files.uncreatable.insert(client);
    Upgrade();
    ASSERT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(PnlError->StaticText1.Caption(),
              "Cannot create file \"" + client +
                  "\". The process cannot access the file because it is being used by another "
                  "process");
    EXPECT_EQ(StepNames(panel().QuietFailures), std::vector<std::string>{"client"});

    // 21 attempts, each followed by 15 one-second waits, in no real time.
    EXPECT_EQ(wizard.clock.sleptMs, 21u * 15u * 1000u);
    // Inflated once: the retries only try to move it into place, and the
    // bar keeps its value while they wait. Given up, it is removed.
    std::vector<std::string> expected{"."};
    for (int attempt = 1; attempt <= 21; ++attempt)
        expected.push_back(TPNLUpgradeUpgrading::RetryMessage(attempt));
    expected.push_back("");
    EXPECT_EQ(retryTexts, expected);
    EXPECT_EQ(panel().ClientInflations, 1);
    EXPECT_EQ(progressTexts.size(), 1u) << "the bar moved while the retries waited";
    EXPECT_FALSE(wizard.files.ReadText(client + ".new").has_value());

    EXPECT_EQ(Text(client), "old Torvane.Exe") << "the earlier client stays whole";
    EXPECT_EQ(Text(kDir + "Uninstall.Exe").size(), GB_Uninstall_exe::kInflatedSize);
    EXPECT_EQ(wizard.shell.shortcuts.size(), 4u);
    EXPECT_NE(panel().Label12.Caption(), "100% complete") << "the bar is not filled";
    EXPECT_TRUE(wizard.processes.started.empty());
    EXPECT_FALSE(wizard.processes.exitCode.has_value());
}

// Nothing reports the folder itself: the client cannot be written into it.
TEST_F(UpgradeSequence, AnInstallationFolderThatCannotBeMadeShowsUpAsFailedAttempts) {
    InstallDir = "D:\\Locked\\Torvane P2P\\";
    wizard.files.MakeFolders("D:\\Locked");
    wizard.files.readOnlyFolders.insert("D:\\Locked");
    wizard.app.Dispatch([this] { wizard.form().ShowPanel("PnlUpgradeUpgrading", false); });
    ASSERT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(StepNames(panel().QuietFailures),
              (std::vector<std::string>{"installation folder", "client"}));
    EXPECT_EQ(panel().QuietFailures[0].message, "I/O error 5");
    EXPECT_EQ(wizard.clock.sleptMs, 21u * 15u * 1000u);
    EXPECT_EQ(PnlError->StaticText1.Caption().rfind("Cannot create file \"D:\\Locked\\", 0), 0u)
        << PnlError->StaticText1.Caption();
}

// A Start-menu folder the user may not write to: the links are tried all
// the same, and a link that cannot be saved is simply missing.
TEST_F(UpgradeSequence, LinksThatCannotBeSavedAreMissingQuietly) {
    wizard.files.readOnlyFolders.insert(Wizard::kPrograms);
    Upgrade();
    ASSERT_EQ(wizard.activePanel(), "PNLUpgradeReady") << PnlError->StaticText1.Caption();
    ASSERT_EQ(wizard.shell.shortcuts.size(), 4u);
    for (const testing::Shortcut& s : wizard.shell.shortcuts) EXPECT_FALSE(s.saved) << s.linkFile;
    EXPECT_EQ(Text(kGroup + "\\Torvane P2P.Lnk"), "old link");
    EXPECT_TRUE(panel().QuietFailures.empty());
}

TEST_F(UpgradeSequence, WithoutAStartMenuFolderNoLinksAreMadeAndTheUpgradeCompletes) {
    wizard.shell.folders.erase(platform::SpecialFolder::Programs);
    Upgrade();
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeReady");
    EXPECT_TRUE(wizard.shell.shortcuts.empty());
    EXPECT_EQ(Text(kDir + "Uninstall.Exe").size(), GB_Uninstall_exe::kInflatedSize);
}

TEST_F(UpgradeSequence, AnUninstallerThatCannotBeWrittenEndsOnTheErrorPanel) {
    wizard.files.uncreatable.insert(kDir + "Uninstall.Exe");
    Upgrade();
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_TRUE(wizard.shell.shortcuts.empty()) << "the sequence stops at the failure";
    EXPECT_EQ(wizard.clock.sleptMs, 0u) << "only the client is retried";
}

TEST_F(UpgradeSequence, AShellLinkObjectThatCannotBeMadeEndsOnTheErrorPanelAfterBothPrograms) {
    wizard.shell.refuseShortcuts = true;
    Upgrade();
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(Text(kDir + "Torvane.Exe").size(), GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(Text(kDir + "Uninstall.Exe").size(), GB_Uninstall_exe::kInflatedSize);
}

class AutoUpgrade : public UpgradeSequence {
protected:
    AutoUpgrade() : UpgradeSequence({"/autoupdate", "C:\\New Place\\Torvane"}) {}
    // The start-up timer's tick, as the message loop delivers it.
    void Tick() {
        wizard.app.Dispatch([this] { wizard.form().Timer1Timer(); });
    }
};

TEST_F(AutoUpgrade, MakesTheFolderWritesTheFilesStartsTheClientAndEnds) {
    EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
    Tick();
    const std::string dir = "C:\\New Place\\Torvane\\";
    EXPECT_EQ(InstallDir, dir);
    EXPECT_EQ(Text(dir + "Torvane.Exe").size(), GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(Text(dir + "Uninstall.Exe").size(), GB_Uninstall_exe::kInflatedSize);
    ASSERT_EQ(wizard.shell.shortcuts.size(), 4u);
    EXPECT_EQ(wizard.shell.shortcuts[0].target, dir + "Torvane.Exe");

    ASSERT_EQ(wizard.processes.started.size(), 1u);
    const testing::StartedProgram& started = wizard.processes.started[0];
    EXPECT_EQ(started.application, dir + "Torvane.Exe");
    EXPECT_EQ(started.commandLine, "\"" + dir + "Torvane.Exe\"");
    EXPECT_EQ(started.show, platform::ShowMode::Maximized);
    EXPECT_TRUE(started.asUser);
    EXPECT_EQ(wizard.processes.exitCode, 0);

    // The three one-second pauses before the first attempt, and no panel
    // after the upgrade.
    EXPECT_EQ(wizard.clock.sleptMs, 3000u);
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeUpgrading");
    EXPECT_EQ(panel().Label12.Caption(), "100% complete");
    EXPECT_TRUE(wizard.host.messages.empty());
}

// Unattended, a client that stays locked is no success either: the failure
// is reported, then the earlier client, which ended itself for the upgrade,
// is started again as after a success, and the program stays on the error
// panel and ends with 1 when it is closed.
TEST_F(AutoUpgrade, ALockedClientEndsOnTheErrorPanelAndStartsTheEarlierOne) {
    const std::string client = "C:\\New Place\\Torvane\\Torvane.Exe";
    wizard.files.WriteText(client, "old client");
    wizard.files.uncreatable.insert(client);
    Tick();
    EXPECT_EQ(wizard.clock.sleptMs, 3000u + 21u * 15000u);
    EXPECT_EQ(Text(client), "old client");
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    ASSERT_EQ(wizard.processes.started.size(), 1u);
    EXPECT_EQ(wizard.processes.started[0].commandLine, "\"" + client + "\"");
    EXPECT_TRUE(wizard.processes.started[0].asUser);
    EXPECT_FALSE(wizard.processes.exitCode.has_value());
    EXPECT_EQ(wizard.form().ExitCode(), 1);
    EXPECT_EQ(Text("C:\\New Place\\Torvane\\Uninstall.Exe").size(),
              GB_Uninstall_exe::kInflatedSize);
}

// "/autoupdate" names a folder only in words: one that is not, and cannot
// become, this product's installation ends on the error panel before
// anything is written or started.
TEST(AutoUpgradeFolder, OnlyAFolderThatIsOrCanBecomeTheInstallationIsUpgraded) {
    struct Case {
        std::string given;
        std::vector<std::string> files;  // there before the start
        std::string upgraded;            // empty: refused
    } cases[] = {
        {"Torvane", {}, ""},
        {"\\\\server\\share\\Torvane", {}, ""},
        {"\\\\?\\C:\\Torvane", {}, ""},
        {"\\\\.\\C:\\Torvane", {}, ""},
        {"C:\\", {}, ""},
        {"C:\\Apps\\CON", {}, ""},
        {"C:\\Other App", {"C:\\Other App\\Other.exe", "C:\\Other App\\Uninstall.exe"}, ""},
        {"C:\\Other App", {"C:\\Other App\\UnInstall.dat"}, ""},  // another product's list
        {"C:\\Apps\\Torvane P2P",
         {"C:\\Apps\\Torvane P2P\\Torvane.exe"},
         "C:\\Apps\\Torvane P2P\\"},
        {"C:\\Apps\\Torvane P2P",
         {"C:\\Apps\\Torvane P2P\\UnInstall.dat"},
         "C:\\Apps\\Torvane P2P\\"},
        {"C:\\New\\x\\..\\Torvane  Two", {}, "C:\\New\\Torvane  Two\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        Wizard wizard({"/autoupdate", c.given}, [&](Wizard& w) {
            for (const std::string& file : c.files)
                w.files.WriteText(file, NameOfFile(file) == "UnInstall.dat" &&
                                                c.given.find("Torvane") != std::string::npos
                                            ? "Torvane P2P\r\n<E" + c.given + ">\r\n"
                                            : "Other Program\r\n");
        });
        wizard.app.Dispatch([&] { wizard.form().Timer1Timer(); });
        if (c.upgraded.empty()) {
            EXPECT_EQ(wizard.activePanel(), "PnlError");
            EXPECT_EQ(PnlError->StaticText1.Caption().rfind("Cannot upgrade Torvane P2P in ", 0),
                      0u)
                << PnlError->StaticText1.Caption();
            EXPECT_TRUE(wizard.shell.shortcuts.empty());
            EXPECT_TRUE(wizard.processes.started.empty());
            EXPECT_EQ(wizard.clock.sleptMs, 0u);
            for (const std::string& file : c.files)
                EXPECT_NE(wizard.files.ReadText(file), std::nullopt) << file;
        } else {
            EXPECT_EQ(InstallDir, c.upgraded);
            EXPECT_TRUE(wizard.files.ReadText(c.upgraded + "Uninstall.Exe").has_value());
            EXPECT_EQ(wizard.processes.exitCode, 0);
        }
    }
}

}  // namespace
}  // namespace torvane
