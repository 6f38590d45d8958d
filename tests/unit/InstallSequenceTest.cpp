// The installing panel: the whole install sequence on the fake drives, with
// its folder fallbacks, guarded steps, files, registry values, shortcuts,
// uninstall list and progress, and the failure that ends on the error panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>

#include "app/Appl_Globals.h"
#include "app/PNL_Error.h"
#include "base/Exceptions.h"
#include "base/Sha256.h"
#include "base/Text.h"
#include "fakes/FakeUninstallSystem.h"
#include "fakes/WizardFixture.h"
#include "generated/BuildConfig.h"
#include "lib/Rounding.h"
#include "panels/PNL_InstallInstalling.h"
#include "payload/DataFileDecoder.h"
#include "payload/GB_Payloads.h"
#include "payload/SeedDataFile.h"
#include "uninstall/Plan.h"
#include "uninstall/Run.h"
#include "uninstall/UninstallList.h"

namespace torvane {
namespace {

using platform::SpecialFolder;
using testing::Wizard;

const std::string kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Torvane P2P";
const std::string kDataDir = std::string(Wizard::kLocalAppData) + "\\Torvane P2P\\";
const std::string kGroup = std::string(Wizard::kPrograms) + "\\Torvane P2P";

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

class InstallSequence : public ::testing::Test {
protected:
    InstallSequence() {
        InstallDir = "D:\\Apps\\Torvane P2P";  // no backslash yet: the sequence adds it
        DownloadDir = "D:\\Downloads\\";
        ConnectionType = 3;
        InstallToolbar = true;
        DesktopShortcut = true;
        wizard.files.MakeFolders("D:\\Downloads");
        // Every distinct label text the panel shows, in order.
        wizard.host.onPump = [this] {
            wizard.clock.Advance(5);
            const std::string& caption = panel().Label12.Caption();
            if (labels.empty() || labels.back() != caption) labels.push_back(caption);
        };
    }

    TPNLInstallInstalling& panel() {
        for (const auto& p : wizard.form().Panels())
            if (p->Name() == "PNLInstallInstalling") return static_cast<TPNLInstallInstalling&>(*p);
        throw std::logic_error("no installing panel");
    }

    // Shows the panel as the summary's "&Install Now" does, through the
    // top-level handler, so a failure ends on the error panel.
    void Install() {
        wizard.app.Dispatch([this] { wizard.form().ShowPanel("PNLInstallInstalling", false); });
    }

    bool IsFile(const std::string& path) { return wizard.files.ReadText(path).has_value(); }
    std::vector<std::string> UninstallLines() {
        return SplitCrLf(wizard.files.ReadText(InstallDir + "UnInstall.dat").value_or(""));
    }
    DataFileContents DataFile(const std::string& path) {
        const std::string text = wizard.files.ReadText(path).value_or("");
        return DecodeDataFile(std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    Wizard wizard;
    std::vector<std::string> labels;
};

TEST_F(InstallSequence, WritesTheProgramsDataFilesAndRegistryEntryThenShowsTheFinishedPanel) {
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(InstallDir, "D:\\Apps\\Torvane P2P\\");
    EXPECT_EQ(UserDataDir, kDataDir);
    EXPECT_EQ(WorkDir, kDataDir);
    EXPECT_TRUE(panel().QuietFailures.empty());

    EXPECT_EQ(wizard.files.ReadText(InstallDir + "Torvane.Exe").value_or("").size(),
              GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(wizard.files.ReadText(InstallDir + "Uninstall.Exe").value_or("").size(),
              GB_Uninstall_exe::kInflatedSize);
    EXPECT_EQ(wizard.files.ReadText(InstallDir + "Torvane_toolbar.exe").value_or("").size(),
              GB_torvane_toolbar_exe::kInflatedSize);

    // Both data files are whole, name the data folder as the work folder and
    // carry different identities; the first removed the download folder's
    // backslash for both.
    const DataFileContents first = DataFile(kDataDir + "Torvane.Dat");
    const DataFileContents second = DataFile(InstallDir + "QVInst.Dat");
    EXPECT_EQ(first.workDir, kDataDir);
    EXPECT_EQ(second.workDir, kDataDir);
    EXPECT_EQ(first.downloadFolder, "D:\\Downloads");
    EXPECT_EQ(first.connectionFigure, ConnectionFigure(3));
    EXPECT_NE(first.guid, second.guid);
    EXPECT_EQ(DownloadDir, "D:\\Downloads");

    EXPECT_EQ(wizard.registry.Value(kKey, "DisplayName"), "Torvane P2P");
    EXPECT_EQ(wizard.registry.Value(kKey, "UninstallString"),
              "\"D:\\Apps\\Torvane P2P\\Uninstall.Exe\"");
    // Beside them, the digest of the list exactly as written.
    EXPECT_EQ(wizard.registry.Value(kKey, "UninstallListSHA256"),
              Sha256Hex(wizard.files.ReadText(InstallDir + "UnInstall.dat").value_or("none")));
    EXPECT_EQ(wizard.registry.values.size(), 3u);

    ASSERT_EQ(wizard.processes.started.size(), 1u);
    const auto& toolbar = wizard.processes.started[0];
    EXPECT_EQ(toolbar.application, "D:\\Apps\\Torvane P2P\\Torvane_toolbar.exe");
    EXPECT_EQ(toolbar.commandLine, "\"D:\\Apps\\Torvane P2P\\Torvane_toolbar.exe\" /s -silent");
    EXPECT_EQ(toolbar.show, platform::ShowMode::Minimized);
    EXPECT_FALSE(toolbar.asUser);
}

TEST_F(InstallSequence, MakesTheFourStartMenuShortcutsAndTheDesktopOne) {
    Install();
    const std::string client = "D:\\Apps\\Torvane P2P\\Torvane.Exe";
    const std::string home = std::string(config::kWebServer) + "/p2p/";
    const testing::Shortcut expected[] = {
        {client, kGroup + "\\Torvane P2P.Lnk", "Torvane P2P", 0, "", true},
        {home, kGroup + "\\Torvane P2P On the Web.Lnk", "Torvane P2P On the web", -1, "", true},
        {home + "help", kGroup + "\\Torvane P2P Help.Lnk", "Torvane P2P Help", -1, "", true},
        {"D:\\Apps\\Torvane P2P\\Uninstall.Exe", kGroup + "\\Torvane P2P Uninstall.Lnk",
         "Torvane P2P Uninstall", 0, "", true},
        {client, std::string(Wizard::kDesktop) + "\\Torvane P2P.Lnk", "Torvane P2P", 0, "", true},
    };
    ASSERT_EQ(wizard.shell.shortcuts.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].linkFile);
        const testing::Shortcut& got = wizard.shell.shortcuts[i];
        EXPECT_EQ(got.target, expected[i].target);
        EXPECT_EQ(got.linkFile, expected[i].linkFile);
        EXPECT_EQ(got.description, expected[i].description);
        EXPECT_EQ(got.iconIndex, expected[i].iconIndex);
        EXPECT_EQ(got.arguments, "");
        EXPECT_TRUE(got.saved) << "the Start-menu folder was not made";
    }
    EXPECT_EQ(home.rfind("http://", 0), 0u);
}

TEST_F(InstallSequence, UninstallListNamesEverythingTheSetupMadeAndTheUninstallerAcceptsIt) {
    Install();
    const std::string d = kDataDir, i = "D:\\Apps\\Torvane P2P\\";
    const std::vector<std::string> expected = {
        "Torvane P2P",
        "<P" + d + "*.QCF>",
        "<P" + d + "*.QCV>",
        "<P" + d + "*.QTH>",
        "<P" + d + "*.DAT>",
        "<P" + d + "*.GET>",
        "<E" + d + ">",
        "<F" + i + "Torvane.Exe>",
        "<F" + d + "Torvane.dat>",
        "<F" + d + "Torvane.bak>",
        "<F" + i + "QVInst.dat>",
        "<F" + i + "Uninstall.Exe>",
        "<F" + i + "Uninstall.Dat>",
        "<F" + i + "Torvane_toolbar.exe>",  // written by default: it would keep the folder
        "<E" + i + ">",
        "<E" + d + ">",
        "<R" + kKey + ">",
        "<STorvane P2P>",
        "<TTorvane P2P.Lnk>"};
    const std::vector<std::string> lines = UninstallLines();
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t n = 0; n < lines.size(); ++n)
        EXPECT_EQ(lines[n], expected[n]) << "line " << n + 1;

    // The uninstaller beside it takes every line as its installation's own.
    const uninstall::UninstallList list =
        uninstall::ParseUninstallList(*wizard.files.ReadText(i + "UnInstall.dat"));
    EXPECT_EQ(list.productName, "Torvane P2P");
    const std::vector<uninstall::Step> plan = uninstall::MakePlan(list, i + "Uninstall.Exe");
    EXPECT_EQ(plan.size(), list.entries.size());
}

TEST_F(InstallSequence, WithoutDesktopShortcutOrToolbarNeitherIsMadeAndTheListHas17Lines) {
    DesktopShortcut = false;
    InstallToolbar = false;
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady");
    EXPECT_FALSE(IsFile(InstallDir + "Torvane_toolbar.exe"));
    EXPECT_TRUE(wizard.processes.started.empty());
    EXPECT_FALSE(IsFile(std::string(Wizard::kDesktop) + "\\Torvane P2P.Lnk"));
    EXPECT_EQ(wizard.shell.shortcuts.size(), 4u);
    const std::vector<std::string> lines = UninstallLines();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines.back(), "<STorvane P2P>");
}

TEST_F(InstallSequence, AToolbarInstallerThatCouldNotBeWrittenIsNotInTheList) {
    wizard.files.uncreatable = {"D:\\Apps\\Torvane P2P\\Torvane_toolbar.exe"};
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady");
    const std::vector<std::string> lines = UninstallLines();
    ASSERT_EQ(lines.size(), 18u);
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("Torvane_toolbar.exe"), std::string::npos) << line;
    EXPECT_EQ(lines[13], "<ED:\\Apps\\Torvane P2P\\>");
}

TEST_F(InstallSequence,
       LabelClimbsToTheClientsShareThenStepsThroughTheFixedPointsAndNeverShows100) {
    Install();
    const std::int64_t max = kPayloadProgressMaximum + kPayloadProgressMaximum / 10;
    EXPECT_EQ(panel().ProgressBar1.Max(), max);
    const std::int64_t clientEnd =
        GB_TorvaneP2P_exe::kCompressedSize + GB_TorvaneP2P_exe::kInflatedSize;
    const std::int64_t peak = RoundHalfEven(100 * clientEnd, max);

    const std::vector<std::string> tail = {
        "90% complete", "92% complete", "93% complete", "94% complete", "95% complete",
        "96% complete", "98% complete", "99% complete", "94% complete", "95% complete",
        "96% complete", "98% complete", "99% complete"};
    ASSERT_GT(labels.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(labels.end() - tail.size(), labels.end()), tail);
    std::vector<int> climb;
    for (auto it = labels.begin(); it != labels.end() - tail.size(); ++it)
        climb.push_back(std::stoi(*it));
    EXPECT_EQ(climb.front(), 0);
    EXPECT_EQ(climb.back(), peak);
    EXPECT_TRUE(std::is_sorted(climb.begin(), climb.end()));
    EXPECT_GT(climb.size(), 20u) << "the extraction moved the label in too few steps";
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "100% complete"), 0);
}

TEST_F(InstallSequence, OldProgramAndDataFilesAreDeletedAndTheProgramWrittenAnew) {
    // An earlier installation's files in another letter case: Windows (and
    // the fake drives) finds them under the names the setup asks for.
    const std::string folder = "D:\\Apps\\Torvane P2P\\";
    for (const char* name : {"TORVANE.EXE", "Torvane.Dat", "TORVANE.BAK"})
        wizard.files.WriteText(folder + name, "old");
    Install();
    EXPECT_FALSE(IsFile(folder + "torvane.bak"));
    EXPECT_EQ(wizard.files.ReadText(folder + "Torvane.Exe").value_or("").size(),
              GB_TorvaneP2P_exe::kInflatedSize);
    // The old program was deleted, not written over: the new one has the
    // setup's spelling. The old data file in the installation folder went too.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(*wizard.drives.HostPath(folder)))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names.count("Torvane.Exe"), 1u);
    EXPECT_EQ(names.count("TORVANE.EXE"), 0u);
    EXPECT_EQ(names.count("Torvane.Dat"), 0u);
    EXPECT_EQ(names.count("TORVANE.BAK"), 0u);
}

// Read-only files of an earlier installation (copied from a CD) are deleted
// and written anew all the same; the attribute alone kept them before.
TEST_F(InstallSequence, ReadOnlyOldFilesAreDeletedAndTheProgramsWrittenAnew) {
    const std::string folder = "D:\\Apps\\Torvane P2P\\";
    for (const char* name : {"Torvane.Exe", "Uninstall.Exe", "Torvane.Dat", "Torvane.bak"}) {
        wizard.files.WriteText(folder + name, "old");
        wizard.files.readOnlyFiles.insert(folder + name);
    }
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(wizard.files.ReadText(folder + "Torvane.Exe").value_or("").size(),
              GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(wizard.files.ReadText(folder + "Uninstall.Exe").value_or("").size(),
              GB_Uninstall_exe::kInflatedSize);
    EXPECT_FALSE(IsFile(folder + "torvane.bak"));
    EXPECT_TRUE(wizard.files.readOnlyFiles.empty());
    EXPECT_TRUE(panel().QuietFailures.empty()) << StepNames(panel().QuietFailures).front();
}

// --- folders -------------------------------------------------------------------

TEST_F(InstallSequence, WithoutLocalApplicationDataEverythingGoesToTheInstallationFolder) {
    wizard.shell.folders.erase(SpecialFolder::LocalAppData);
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady");
    const std::string i = "D:\\Apps\\Torvane P2P\\";
    EXPECT_EQ(UserDataDir, i);
    EXPECT_EQ(WorkDir, i);
    EXPECT_EQ(DataFile(i + "Torvane.Dat").workDir, i);
    const std::vector<std::string> lines = UninstallLines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[1], "<P" + i + "*.QCF>");
    EXPECT_EQ(lines[6], "<E" + i + ">");
    EXPECT_EQ(lines[8], "<F" + i + "Torvane.dat>");
    EXPECT_EQ(lines[14], "<E" + i + ">");
}

// Each case runs a wizard of its own: refused folders cannot be given back.
// The last case also refuses the data folder, which then falls back to the
// installation folder.
TEST(InstallFolders, AnInstallationFolderThatCannotBeMadeFallsBackInTurn) {
    struct Case {
        std::vector<std::string> readOnly;
        std::string installDir, userDataDir;
    };
    const std::string programFiles = std::string(Wizard::kProgramFiles) + "\\TorvaneP2P\\";
    const Case cases[] = {
        {{"D:\\Apps"}, programFiles, kDataDir},
        {{"D:\\Apps", Wizard::kProgramFiles}, kDataDir, kDataDir},
        {{"D:\\Apps", Wizard::kProgramFiles, Wizard::kLocalAppData},
         "C:\\Torvane\\",
         "C:\\Torvane\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installDir);
        Wizard wizard;
        InstallDir = "D:\\Apps\\Torvane P2P\\";
        for (const std::string& folder : c.readOnly) wizard.files.readOnlyFolders.insert(folder);
        wizard.app.Dispatch([&] { wizard.form().ShowPanel("PNLInstallInstalling", false); });
        ASSERT_EQ(wizard.activePanel(), "PNLInstallReady") << PnlError->StaticText1.Caption();
        EXPECT_EQ(InstallDir, c.installDir);
        EXPECT_EQ(UserDataDir, c.userDataDir);
        EXPECT_TRUE(wizard.files.ReadText(c.installDir + "Torvane.Exe").has_value());
        EXPECT_EQ(wizard.registry.Value(kKey, "UninstallString"),
                  "\"" + c.installDir + "Uninstall.Exe\"");
    }
}

// A folder the sequence makes outside Program Files gets rights of its own,
// and its final path is asked through a handle; an existing one is used only
// while it is the installation's own (it may have changed since the panel).
TEST(InstallFolders, TheInstallationFolderIsTheInstallationsOwn) {
    using Owner = platform::FileSystem::Owner;
    struct Case {
        const char* what;
        std::string chosen;
        std::function<void(Wizard&)> prepare;
        const char* error;  // empty: installed in `chosen`
        bool ownRights;
    } cases[] = {
        {"made outside Program Files", "D:\\Apps\\Torvane P2P\\", [](Wizard&) {}, "", true},
        {"made below Program Files", std::string(Wizard::kProgramFiles) + "\\Torvane P2P\\",
         [](Wizard&) {}, "", false},
        {"existing, the installing account's", "D:\\Apps\\Torvane P2P\\",
         [](Wizard& w) { w.files.MakeFolders("D:\\Apps\\Torvane P2P"); }, "", false},
        {"existing, another account's", "D:\\Apps\\Torvane P2P\\",
         [](Wizard& w) {
             w.files.MakeFolders("D:\\Apps\\Torvane P2P");
             w.files.owners["D:\\Apps\\Torvane P2P"] = Owner::Other;
         },
         "because it belongs to another user account", false},
        {"existing below a junction", "D:\\Apps\\Torvane P2P\\",
         [](Wizard& w) {
             w.files.MakeFolders("D:\\Apps\\Torvane P2P");
             w.files.reparsePoints.insert("D:\\Apps");
         },
         "because it leads to another place through a link", false},
        {"made, but really elsewhere", "D:\\Apps\\Torvane P2P\\",
         [](Wizard& w) { w.files.redirected["D:\\Apps\\Torvane P2P"] = "E:\\Elsewhere"; },
         "because the folder made there is really E:\\Elsewhere", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Wizard wizard;
        InstallDir = c.chosen;
        c.prepare(wizard);
        wizard.app.Dispatch([&] { wizard.form().ShowPanel("PNLInstallInstalling", false); });
        EXPECT_EQ(wizard.files.ownFolders.count(c.chosen.substr(0, c.chosen.size() - 1)),
                  c.ownRights ? 1u : 0u);
        if (*c.error) {
            ASSERT_EQ(wizard.activePanel(), "PnlError");
            EXPECT_NE(PnlError->StaticText1.Caption().find(c.error), std::string::npos)
                << PnlError->StaticText1.Caption();
            EXPECT_FALSE(wizard.files.ReadText(c.chosen + "Torvane.Exe").has_value());
        } else {
            ASSERT_EQ(wizard.activePanel(), "PNLInstallReady") << PnlError->StaticText1.Caption();
            EXPECT_EQ(InstallDir, c.chosen);
        }
    }
}

TEST_F(InstallSequence, AFallbackTheSystemCannotNameIsSkipped) {
    InstallDir = "D:\\Apps\\Torvane P2P\\";
    wizard.files.readOnlyFolders.insert("D:\\Apps");
    wizard.shell.folders.erase(SpecialFolder::ProgramFiles);
    wizard.shell.folders.erase(SpecialFolder::LocalAppData);
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady");
    EXPECT_EQ(InstallDir, "C:\\Torvane\\");
}

TEST_F(InstallSequence, ABareRootOfAMissingDriveFallsThrough) {
    InstallDir = "Q:";
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady");
    EXPECT_EQ(InstallDir, std::string(Wizard::kProgramFiles) + "\\TorvaneP2P\\");
}

TEST_F(InstallSequence, WhenNoCandidateCanBeMadeTheLastRefusalReachesTheErrorPanel) {
    InstallDir = "D:\\Apps\\Torvane P2P\\";
    wizard.files.readOnlyFolders = {"D:\\Apps", "C:\\"};
    Install();
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(PnlError->StaticText1.Caption(), "I/O error 5");
    EXPECT_TRUE(wizard.shell.shortcuts.empty());
    EXPECT_TRUE(wizard.registry.values.empty());
}

// --- guarded steps and failures ---------------------------------------------------

TEST_F(InstallSequence, GuardedStepsFailSilently) {
    wizard.registry.refuse = true;
    wizard.shell.refuseShortcuts = true;
    wizard.files.uncreatable = {
        "D:\\Apps\\Torvane P2P\\Uninstall.Exe", "D:\\Apps\\Torvane P2P\\QVInst.Dat",
        "D:\\Apps\\Torvane P2P\\UnInstall.dat", "D:\\Apps\\Torvane P2P\\Torvane_toolbar.exe"};
    Install();
    ASSERT_EQ(wizard.activePanel(), "PNLInstallReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(wizard.registry.refused, 0) << "an entry was tried without an uninstaller";
    EXPECT_TRUE(wizard.registry.values.empty());
    EXPECT_TRUE(wizard.shell.shortcuts.empty());
    EXPECT_TRUE(wizard.processes.started.empty()) << "a toolbar that was not written was started";
    EXPECT_TRUE(IsFile(kDataDir + "Torvane.Dat"));
    for (const std::string& path : wizard.files.uncreatable) EXPECT_FALSE(IsFile(path)) << path;
    EXPECT_EQ(StepNames(panel().QuietFailures),
              (std::vector<std::string>{"uninstaller", "toolbar", "shortcuts",
                                        "installation data file", "uninstall list"}));
    // The failed shortcut skipped the rest of its block, 92 % with it.
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "92% complete"), 0);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "93% complete"), 1);
}

TEST_F(InstallSequence, WithoutAStartMenuTheDesktopShortcutIsStillMade) {
    wizard.shell.folders.erase(SpecialFolder::Programs);
    Install();
    ASSERT_EQ(wizard.shell.shortcuts.size(), 1u);
    EXPECT_EQ(wizard.shell.shortcuts[0].linkFile,
              std::string(Wizard::kDesktop) + "\\Torvane P2P.Lnk");
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "92% complete"), 1);
}

TEST_F(InstallSequence, AFullDiskAtTheDataFileEndsOnTheErrorPanel) {
    wizard.host.onPump = [this] {
        wizard.clock.Advance(5);
        if (panel().Label12.Caption() == "93% complete") wizard.files.capacity = 10;
    };
    Install();
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    // The panel words the run-time's "I/O error 112" as a full disk.
    EXPECT_EQ(PnlError->StaticText1.Caption(), "Disk Full");
    // Not even the list fits: then no uninstall entry stands without it.
    EXPECT_FALSE(IsFile(InstallDir + "UnInstall.dat"));
    EXPECT_TRUE(wizard.registry.values.empty());
    EXPECT_FALSE(IsFile(InstallDir + "QVInst.Dat"));
    EXPECT_TRUE(IsFile(InstallDir + "Torvane.Exe")) << "work done before the failure stays";
}

TEST_F(InstallSequence, AClientThatCannotBeWrittenEndsOnTheErrorPanel) {
    wizard.files.uncreatable = {"D:\\Apps\\Torvane P2P\\Torvane.Exe"};
    Install();
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(PnlError->StaticText1.Caption().rfind(
                  "Cannot create file \"D:\\Apps\\Torvane P2P\\Torvane.Exe", 0),
              0u)
        << PnlError->StaticText1.Caption();
    EXPECT_TRUE(wizard.registry.values.empty());
}

// A failure at each essential step: nothing done is undone, but the list
// names exactly what is there, the entry stands only beside it, and the
// uninstaller the entry names removes everything but itself (which it
// removes as it ends), so the same folder can be chosen again.
TEST(FailedInstall, LeavesAListOfWhatIsThereThatTheUninstallerRemoves) {
    const std::string dir = "D:\\Apps\\Torvane P2P\\";
    struct Case {
        const char* failing;
        std::vector<std::string> uncreatable;
        std::vector<std::string> readOnly;
        bool listed;  // anything was written, so a list and an entry follow
    } cases[] = {
        {"installation folder", {}, {"D:\\Apps", "C:\\"}, false},
        {"client", {dir + "Torvane.Exe"}, {}, false},
        {"user data file", {kDataDir + "Torvane.Dat"}, {}, true},
        {"user data file, no uninstaller",
         {kDataDir + "Torvane.Dat", dir + "Uninstall.Exe"},
         {},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        Wizard wizard;
        InstallDir = dir;
        DownloadDir = "D:\\Downloads\\";
        InstallToolbar = true;
        DesktopShortcut = true;
        wizard.files.MakeFolders("D:\\Downloads");
        wizard.files.uncreatable.insert(c.uncreatable.begin(), c.uncreatable.end());
        wizard.files.readOnlyFolders.insert(c.readOnly.begin(), c.readOnly.end());
        wizard.app.Dispatch([&] { wizard.form().ShowPanel("PNLInstallInstalling", false); });
        ASSERT_EQ(wizard.activePanel(), "PnlError");

        // What the installation left in its folders.
        testing::FakeUninstallSystem system;
        system.programs = Wizard::kPrograms;
        system.desktop = Wizard::kDesktop;
        std::set<std::string> there;
        for (const std::string& folder :
             {dir, kDataDir, kGroup + "\\", std::string(Wizard::kDesktop) + "\\"}) {
            const auto host = wizard.drives.HostPath(folder);
            if (!host || !std::filesystem::exists(*host)) continue;
            system.AddFolder(folder.substr(0, folder.size() - 1));
            for (const auto& entry : std::filesystem::directory_iterator(*host)) {
                system.AddFile(folder + entry.path().filename().string());
                if (folder == dir || folder == kDataDir)
                    there.insert(LowerCase(folder + entry.path().filename().string()));
            }
        }
        const std::optional<std::string> list = wizard.files.ReadText(dir + "UnInstall.dat");
        ASSERT_EQ(list.has_value(), c.listed);
        if (!c.listed) {
            EXPECT_TRUE(there.empty()) << *there.begin();
            EXPECT_TRUE(wizard.registry.values.empty());
            continue;
        }
        std::set<std::string> named;
        for (const uninstall::Entry& e : uninstall::ParseUninstallList(*list).entries)
            if (e.kind == uninstall::EntryKind::File && wizard.files.ReadText(e.argument))
                named.insert(LowerCase(e.argument));
        EXPECT_EQ(named, there);

        const bool entry = there.count(LowerCase(dir + "uninstall.exe")) != 0;
        EXPECT_EQ(wizard.registry.Value(kKey, "UninstallListSHA256"),
                  entry ? std::optional<std::string>(Sha256Hex(*list)) : std::nullopt);
        if (!entry) continue;
        system.keys.insert(LowerCase(kKey));
        system.recordedDigest = Sha256Hex(*list);
        std::string product;
        const auto result = uninstall::Uninstall(
            *list, testing::kListWritten, dir + "Uninstall.Exe", system,
            [](const std::string&) { return true; }, product);
        ASSERT_TRUE(result.has_value());
        std::vector<std::string> left;
        for (const auto& [key, path] : system.files) left.push_back(path);
        EXPECT_EQ(left, std::vector<std::string>{dir + "Uninstall.Exe"});
        EXPECT_TRUE(system.keys.empty());
        EXPECT_FALSE(system.HasFolder(kDataDir.substr(0, kDataDir.size() - 1)));
        EXPECT_EQ(result->foldersAfterSelf, std::vector<std::string>{"D:\\Apps\\Torvane P2P"});
    }
}

// --- EnsureFolder -----------------------------------------------------------------

TEST_F(InstallSequence, EnsureFolderMakesMissingParentsAndAcceptsWhatExists) {
    TPNLInstallInstalling& p = panel();
    p.EnsureFolder("D:\\a\\b\\c");
    EXPECT_TRUE(wizard.files.Attributes("D:\\a\\b\\c").has_value());
    EXPECT_NO_THROW(p.EnsureFolder("D:\\a\\b\\c\\"));
    EXPECT_NO_THROW(p.EnsureFolder("D:\\"));
    EXPECT_NO_THROW(p.EnsureFolder("Q:")) << "a bare root counts as made";
    EXPECT_FALSE(wizard.files.Attributes("Q:\\").has_value());
}

TEST_F(InstallSequence, EnsureFolderRaisesTheFirstRefusal) {
    TPNLInstallInstalling& p = panel();
    wizard.files.readOnlyFolders.insert("D:\\locked");
    wizard.files.MakeFolders("D:\\locked");
    wizard.files.WriteText("D:\\file", "x");
    const std::pair<const char*, int> cases[] = {
        {"D:\\locked\\a\\b", 5}, {"D:\\file\\sub", 183}, {"D:\\file", 183}, {"Q:\\x", 3}};
    for (const auto& [path, code] : cases) {
        try {
            p.EnsureFolder(path);
            ADD_FAILURE() << path << " reported as made";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.Code(), code) << path;
        }
    }
}

}  // namespace
}  // namespace torvane
