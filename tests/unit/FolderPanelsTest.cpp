#include <gtest/gtest.h>

#include <optional>

#include "app/Appl_Globals.h"
#include "base/InstallLayout.h"
#include "fakes/WizardFixture.h"
#include "panels/PNL_InstallChooseDir.h"
#include "panels/PNL_InstallChooseDownloadDir.h"

namespace torvane {
namespace {

constexpr const char* kInvalid =
    "Invalid folder.\rThe foldername you choose contains invalid characters or is a root folder.";

class FolderPanels : public ::testing::Test {
protected:
    TPnlInstallChooseDir& ShowInstall() {
        wizard.form().ShowPanel("PnlInstallChooseDir", false);
        return static_cast<TPnlInstallChooseDir&>(*wizard.form().ActivePanel());
    }
    TPNLInstallChooseDownloadDir& ShowDownload() {
        wizard.form().ShowPanel("PNLInstallChooseDownloadDir", false);
        return static_cast<TPNLInstallChooseDownloadDir&>(*wizard.form().ActivePanel());
    }
    std::vector<std::string> ListedDrives(ui::FolderTree& tree) {
        std::vector<std::string> paths;
        for (const auto& drive : tree.Root().children) paths.push_back(drive->path);
        return paths;
    }
    testing::Wizard wizard;
};

TEST_F(FolderPanels, InstallPanelProposesTheProgramFilesFolderAndPointsTheTreeAtItsParent) {
    auto& panel = ShowInstall();
    EXPECT_EQ(wizard.header(), "Choose installation folder");
    EXPECT_EQ(panel.Edit1.Text(), "C:\\Program Files\\Torvane P2P");
    EXPECT_EQ(InstallDir, "C:\\Program Files\\Torvane P2P");
    ASSERT_TRUE(panel.ShellTree);
    EXPECT_EQ(panel.ShellTree->SelectedPath(), "C:\\Program Files");
    EXPECT_EQ(panel.ShellTree->GetBounds(), (ui::Bounds{288, 40, 393, 289}));
    EXPECT_EQ(panel.ShellTree->Hint, "Choose installation folder");
    EXPECT_EQ(panel.ShellTree->Parent(), &panel);
    EXPECT_EQ(panel.StaticText1.Caption().substr(0, 38), "The installation folder is the folder\r");
    EXPECT_NE(panel.StaticText1.Caption().find("\r\rIn most common cases"), std::string::npos);

    const ui::FolderTree* first = panel.ShellTree.get();
    ShowInstall();
    EXPECT_EQ(panel.ShellTree.get(), first);  // made once, kept
}

TEST_F(FolderPanels, InstallPanelFallsBackToTheFixedFolderWithoutProgramFiles) {
    testing::Wizard bare({}, [](testing::Wizard& w) {
        w.shell.folders.erase(platform::SpecialFolder::ProgramFiles);
    });
    bare.form().ShowPanel("PnlInstallChooseDir", false);
    auto& panel = static_cast<TPnlInstallChooseDir&>(*bare.form().ActivePanel());
    EXPECT_EQ(panel.Edit1.Text(), "C:\\Torvane P2P");
    EXPECT_EQ(panel.ShellTree->SelectedPath(), "C:\\");
}

TEST_F(FolderPanels, TreeListsOnlyFixedDisks) {
    wizard.drives.Add('F', platform::DriveType::Remote);
    wizard.drives.Add('G', platform::DriveType::CdRom);
    wizard.drives.Add('H', platform::DriveType::RamDisk);
    auto& install = ShowInstall();
    EXPECT_EQ(ListedDrives(*install.ShellTree), (std::vector<std::string>{"C:\\", "D:\\"}));
    auto& download = ShowDownload();
    EXPECT_EQ(ListedDrives(*download.ShellTree), (std::vector<std::string>{"C:\\", "D:\\"}));
    // A folder on an unlisted drive ends with no selection; the text stays.
    wizard.files.MakeFolders("E:\\Stick");
    download.Edit1.UserTyped("E:\\Stick");
    download.Edit1.Exit();
    EXPECT_EQ(download.ShellTree->Selected(), nullptr);
    EXPECT_EQ(download.Edit1.Text(), "E:\\Stick");
}

TEST_F(FolderPanels, PickingInTheTreeAddsTheProductFolderNearTheRoot) {
    wizard.files.MakeFolders("D:\\Games\\Net");
    auto& panel = ShowInstall();
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\", "D:\\Torvane P2P"},
        {"D:\\Games", "D:\\Games\\Torvane P2P"},
        {"D:\\Games\\Net", "D:\\Games\\Net"},
    };
    for (const auto& [picked, shown] : cases) {
        panel.ShellTree->SelectPath(picked);
        EXPECT_EQ(panel.Edit1.Text(), shown) << picked;
    }
    EXPECT_EQ(InstallDir, "C:\\Program Files\\Torvane P2P");  // only "&Next" stores
}

TEST_F(FolderPanels, PickingADriveOnTheDownloadPanelGivesItsDownloadsFolder) {
    wizard.files.MakeFolders("D:\\Media");
    auto& panel = ShowDownload();
    panel.ShellTree->SelectPath("D:\\");
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Downloads");
    panel.ShellTree->SelectPath("D:\\Media");
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Media");
}

TEST_F(FolderPanels, TypingPointsTheTreeAtTheFolderOrItsParent) {
    wizard.files.MakeFolders("D:\\Games");
    auto& panel = ShowInstall();
    panel.Edit1.UserTyped("D:\\Games\\New");
    char key = '\r';
    EXPECT_EQ(panel.Edit1.KeyPress(key), '\r');  // Enter is passed on
    EXPECT_EQ(panel.ShellTree->SelectedPath(), "D:\\Games");
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Games\\New");  // the panel's own move leaves the text

    panel.Edit1.UserTyped("Q:\\Nowhere\\Deeper");  // cannot be shown: the tree stays
    panel.Edit1.Exit();
    EXPECT_EQ(panel.ShellTree->SelectedPath(), "D:\\Games");
    EXPECT_EQ(panel.Edit1.Text(), "Q:\\Nowhere\\Deeper");
    EXPECT_TRUE(wizard.host.messages.empty());
}

TEST_F(FolderPanels, TheHiddenCodeShowsTheSourceCode) {
    auto& panel = ShowInstall();
    panel.Edit1.UserTyped(" #~~+71-64KRw\t");
    panel.Edit1.Exit();
    EXPECT_EQ(panel.Edit1.Text(), "01");
    EXPECT_EQ(panel.ShellTree->SelectedPath(), "C:\\Program Files");

    panel.Edit1.UserTyped("#~~+71-64krw");  // the case counts
    panel.Edit1.Exit();
    EXPECT_EQ(panel.Edit1.Text(), "#~~+71-64krw");

    auto& download = ShowDownload();  // no code there
    download.Edit1.UserTyped("#~~+71-64KRw");
    download.Edit1.Exit();
    EXPECT_EQ(download.Edit1.Text(), "#~~+71-64KRw");
}

TEST_F(FolderPanels, InstallNextRefusesRootsAndInvalidNames) {
    auto& panel = ShowInstall();
    for (const char* typed : {"C:\\", "C:\\a?b", " D: ", ""}) {
        SCOPED_TRACE(typed);
        wizard.host.messages.clear();
        panel.Edit1.UserTyped(typed);
        wizard.click("&Next");
        EXPECT_EQ(wizard.host.messages, (std::vector<std::string>{kInvalid}));
        EXPECT_EQ(wizard.activePanel(), "PnlInstallChooseDir");
        EXPECT_EQ(InstallDir, panel.Edit1.Text());  // the refused text, trimmed, kept
    }
}

TEST_F(FolderPanels, InstallNextRefusesAFolderHoldingTheClient) {
    wizard.files.WriteText("D:\\Old\\Torvane.exe", "client");
    auto& panel = ShowInstall();
    panel.Edit1.UserTyped("D:\\Old");
    wizard.click("&Next");
    ASSERT_EQ(wizard.host.messages.size(), 1u);
    EXPECT_EQ(wizard.host.messages[0],
              "Cannot install Torvane P2P in D:\\Old\\\r"
              "because it already exists in this folder.\r"
              "In case you want to overwrite a previous installation delete or unistall it first,\r"
              "otherwise choose another folder.");
    EXPECT_EQ(wizard.activePanel(), "PnlInstallChooseDir");
    EXPECT_EQ(InstallDir, "D:\\Old\\");

    wizard.files.MakeFolders("D:\\Fresh\\Torvane.exe");  // a folder of that name is no client
    panel.Edit1.UserTyped("D:\\Fresh");
    wizard.host.answers = {true};  // it is not empty, though: asked, and answered Yes
    wizard.click("&Next");
    EXPECT_EQ(wizard.host.messages.size(), 1u);
    EXPECT_EQ(wizard.host.questions.size(), 1u);
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseDownloadDir");
}

std::string UsedFolderQuestion(const std::string& folder) {
    return "The folder " + folder +
           "\r"
           "already contains other files.\r"
           "Do you want to install Torvane P2P in this folder anyway?";
}

TEST_F(FolderPanels, InstallNextAsksBeforeUsingAFolderThatHoldsOtherFiles) {
    struct Case {
        const char* name;
        std::vector<std::string> files;  // made before the folder is typed
        std::vector<std::string> folders;
    };
    const Case cases[] = {
        {"the user's own files", {"D:\\Users\\bob\\savegame.DAT"}, {}},
        {"another program", {"D:\\Users\\bob\\Uninstall.exe", "D:\\Users\\bob\\UnInstall.dat"}, {}},
        {"only a folder", {}, {"D:\\Users\\bob\\Pictures"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Wizard w({}, [&](testing::Wizard& prepared) {
            for (const std::string& file : c.files) prepared.files.WriteText(file, c.name);
            for (const std::string& folder : c.folders) prepared.files.MakeFolders(folder);
        });
        w.form().ShowPanel("PnlInstallChooseDir", false);
        auto& panel = static_cast<TPnlInstallChooseDir&>(*w.form().ActivePanel());
        panel.Edit1.UserTyped("D:\\Users\\bob");
        w.click("&Next");  // no answer given: the default button, No
        EXPECT_EQ(w.host.questions,
                  (std::vector<std::string>{UsedFolderQuestion("D:\\Users\\bob\\")}));
        EXPECT_TRUE(w.host.messages.empty());
        EXPECT_EQ(w.activePanel(), "PnlInstallChooseDir");
        EXPECT_EQ(panel.Edit1.Text(), "D:\\Users\\bob");

        w.host.answers = {true};
        w.click("&Next");
        EXPECT_EQ(w.host.questions.size(), 2u);
        EXPECT_EQ(w.activePanel(), "PNLInstallChooseDownloadDir");
        EXPECT_EQ(InstallDir, "D:\\Users\\bob\\");
        for (const std::string& file : c.files)
            EXPECT_EQ(w.files.ReadText(file), c.name);  // nothing touched
    }
}

// The system's list names an installation whose folder still holds the
// client: a second one elsewhere would share its data folder and entry, so
// the user is asked first, No being the default.
TEST_F(FolderPanels, InstallNextAsksBeforeASecondInstallationElsewhere) {
    const std::string key = layout::kUninstallKey;
    const std::string first = "C:\\Program Files\\Torvane P2P\\";
    struct Case {
        std::optional<std::string> uninstallString;
        bool clientThere;
        bool asked;
    } cases[] = {
        {"\"" + first + "Uninstall.Exe\"", true, true},
        {first + "Uninstall.Exe", true, true},             // unquoted, as older setups wrote it
        {"\"" + first + "Uninstall.Exe\"", false, false},  // removed by hand since
        {"\"D:\\Second\\Uninstall.Exe\"", false, false},   // the folder chosen itself
        {std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uninstallString.value_or("no entry"));
        testing::Wizard w;
        if (c.uninstallString) w.registry.values[{key, "UninstallString"}] = *c.uninstallString;
        if (c.clientThere) w.files.WriteText(first + "Torvane.Exe", "client");
        w.form().ShowPanel("PnlInstallChooseDir", false);
        auto& panel = static_cast<TPnlInstallChooseDir&>(*w.form().ActivePanel());
        panel.Edit1.UserTyped("D:\\Second");
        w.click("&Next");  // no answer given: the default button, No
        if (!c.asked) {
            EXPECT_TRUE(w.host.questions.empty());
            EXPECT_EQ(w.activePanel(), "PNLInstallChooseDownloadDir");
            continue;
        }
        EXPECT_EQ(
            w.host.questions,
            std::vector<std::string>{"Torvane P2P is already installed in " + first +
                                     "\r"
                                     "A new installation in D:\\Second\\\r"
                                     "would share its data and downloads with it,\r"
                                     "and uninstalling either one would remove them for both.\r"
                                     "Do you want to install Torvane P2P in this folder anyway?"});
        EXPECT_EQ(w.activePanel(), "PnlInstallChooseDir");
        w.host.answers = {true};
        w.click("&Next");
        EXPECT_EQ(w.activePanel(), "PNLInstallChooseDownloadDir");
    }
}

// The uninstaller later runs elevated from the installation folder: an
// existing one is taken only when it is no link, lies below none, and its
// owner is an administrator, SYSTEM or the installing account.
TEST_F(FolderPanels, InstallNextTakesAnExistingFolderOnlyWhenItIsTheInstallationsOwn) {
    using Owner = platform::FileSystem::Owner;
    struct Case {
        const char* what;
        Owner owner;
        const char* reparse;  // a path with the reparse point bit, or ""
        const char* refusal;  // empty: taken
    } cases[] = {
        {"the installing account's", Owner::InstallingAccount, "", ""},
        {"the administrators'", Owner::Administrators, "", ""},
        {"SYSTEM's", Owner::System, "", ""},
        {"another account's", Owner::Other, "", "because it belongs to another user account."},
        {"of an owner that cannot be told", Owner::Unknown, "",
         "because its owner cannot be told."},
        {"a junction", Owner::InstallingAccount, "D:\\Games\\Torvane",
         "because it leads to another place through a link."},
        {"below a junction", Owner::Administrators, "D:\\Games",
         "because it leads to another place through a link."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::Wizard w({}, [&](testing::Wizard& prepared) {
            prepared.files.MakeFolders("D:\\Games\\Torvane");
            prepared.files.owners["D:\\Games\\Torvane"] = c.owner;
            if (*c.reparse) prepared.files.reparsePoints.insert(c.reparse);
        });
        w.form().ShowPanel("PnlInstallChooseDir", false);
        static_cast<TPnlInstallChooseDir&>(*w.form().ActivePanel())
            .Edit1.UserTyped("D:\\Games\\Torvane");
        w.click("&Next");
        if (*c.refusal) {
            EXPECT_EQ(w.host.messages,
                      (std::vector<std::string>{
                          "Cannot install Torvane P2P in D:\\Games\\Torvane\\\r" +
                          std::string(c.refusal) + "\rPlease choose another folder."}));
            EXPECT_EQ(w.activePanel(), "PnlInstallChooseDir");
        } else {
            EXPECT_TRUE(w.host.messages.empty());
            EXPECT_EQ(w.activePanel(), "PNLInstallChooseDownloadDir");
        }
    }
}

TEST_F(FolderPanels, AnEmptyOrNewFolderIsTakenWithoutAQuestion) {
    wizard.files.MakeFolders("D:\\Empty");
    wizard.files.WriteText("D:\\Busy\\notes.txt", "mine");
    auto& panel = ShowInstall();
    for (const char* typed : {"D:\\Empty", "D:\\Busy\\New Folder"}) {
        SCOPED_TRACE(typed);
        ShowInstall();
        panel.Edit1.UserTyped(typed);
        wizard.click("&Next");
        EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseDownloadDir");
    }
    // The download folder may be anything, busy or not.
    wizard.files.WriteText("D:\\Downloads\\film.avi", "film");
    auto& download = ShowDownload();
    download.Edit1.UserTyped("D:\\Downloads");
    wizard.click("&Next");
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseConnection");
    EXPECT_TRUE(wizard.host.questions.empty());
    EXPECT_TRUE(wizard.host.messages.empty());
}

TEST_F(FolderPanels, TypedFoldersAreStoredInTheirCanonicalSpelling) {
    wizard.files.MakeFolders("D:\\Apps");
    wizard.drives.AddShortName(testing::FakePlatform::kProgramFiles, "PROGRA~1");
    struct Case {
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {
        {"D:\\Games \\Torvane P2P", "D:\\Games\\Torvane P2P\\"},
        {"D:\\Apps\\..\\Torvane P2P", "D:\\Torvane P2P\\"},
        {"D:\\Torvane P2P.", "D:\\Torvane P2P\\"},
        {"C:\\PROGRA~1\\Torvane P2P", "C:\\Program Files\\Torvane P2P\\"},
    };
    auto& panel = ShowInstall();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ShowInstall();
        panel.Edit1.UserTyped(c.typed);
        wizard.click("&Next");
        EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseDownloadDir");
        EXPECT_EQ(InstallDir, c.stored);
        EXPECT_EQ(WorkDir, c.stored);
        EXPECT_EQ(panel.Edit1.Text(), c.typed);  // the box keeps what was typed

        auto& download = ShowDownload();
        download.Edit1.UserTyped(c.typed);
        wizard.click("&Next");
        EXPECT_EQ(DownloadDir, c.stored);
        EXPECT_EQ(download.Edit1.Text(), c.stored);
    }
    // The same folder in another spelling is still the folder that holds the client.
    wizard.files.WriteText("C:\\Program Files\\Old\\Torvane.exe", "client");
    ShowInstall();
    panel.Edit1.UserTyped("C:\\progra~1\\Old\\.");
    wizard.click("&Next");
    ASSERT_EQ(wizard.host.messages.size(), 1u);
    EXPECT_EQ(wizard.host.messages[0].rfind(
                  "Cannot install Torvane P2P in C:\\Program Files\\Old\\\r", 0),
              0u);
    // Names without a canonical spelling are refused as invalid.
    for (const char* typed : {"D:\\Apps\\..", "D:\\...\\P2P", "D:\\TORVAN~1", "D:\\Apps\\con"}) {
        SCOPED_TRACE(typed);
        wizard.host.messages.clear();
        panel.Edit1.UserTyped(typed);
        wizard.click("&Next");
        EXPECT_EQ(wizard.host.messages, (std::vector<std::string>{kInvalid}));
        EXPECT_EQ(wizard.activePanel(), "PnlInstallChooseDir");
        EXPECT_EQ(InstallDir, typed);
    }
}

TEST_F(FolderPanels, BothPanelsShareTheLayoutButKeepTheirTabOrder) {
    auto& install = ShowInstall();
    auto& download = ShowDownload();
    for (TFolderPanel* panel :
         {static_cast<TFolderPanel*>(&install), static_cast<TFolderPanel*>(&download)}) {
        SCOPED_TRACE(panel->Name());
        EXPECT_EQ(panel->Image5.GetBounds(), (ui::Bounds{8, 8, 105, 105}));
        EXPECT_EQ(panel->Edit1.GetBounds(), (ui::Bounds{286, 7, 393, 21}));
        EXPECT_EQ(panel->StaticText1.GetBounds(), (ui::Bounds{8, 128, 233, 209}));
        EXPECT_EQ(panel->ShellTree->GetBounds(), (ui::Bounds{288, 40, 393, 289}));
    }
    auto names = [](const ui::Container& panel) {
        std::vector<std::string> names;
        for (const ui::Control* child : panel.Children()) names.push_back(child->Name());
        return names;
    };
    EXPECT_EQ(names(install),
              (std::vector<std::string>{"Image5", "Edit1", "StaticText1", "ShellTree"}));
    EXPECT_EQ(names(download),
              (std::vector<std::string>{"Image5", "StaticText1", "Edit1", "ShellTree"}));
}

TEST_F(FolderPanels, InstallNextTrimsAndStoresWithABackslash) {
    wizard.files.MakeFolders("D:\\Apps");
    auto& panel = ShowInstall();
    panel.Edit1.UserTyped("  D:\\Apps\\P2P \t");
    wizard.click("&Next");
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Apps\\P2P");
    EXPECT_EQ(InstallDir, "D:\\Apps\\P2P\\");
    EXPECT_EQ(WorkDir, "D:\\Apps\\P2P\\");
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseDownloadDir");
    EXPECT_TRUE(wizard.host.messages.empty());

    wizard.click("&Previous");  // back: the stored folder, the tree at its parent
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Apps\\P2P\\");
    EXPECT_EQ(panel.ShellTree->SelectedPath(), "D:\\Apps");
}

TEST_F(FolderPanels, InstallPreviousForgetsTheFolder) {
    auto& panel = ShowInstall();
    panel.Edit1.UserTyped("D:\\Apps");
    wizard.click("&Next");
    ASSERT_EQ(InstallDir, "D:\\Apps\\");
    ShowInstall();
    wizard.click("&Previous");
    EXPECT_EQ(InstallDir, "");
    EXPECT_EQ(wizard.activePanel(), "PnlInstall");
    ShowInstall();
    EXPECT_EQ(panel.Edit1.Text(), "C:\\Program Files\\Torvane P2P");
}

TEST_F(FolderPanels, DownloadProposalPrefersExistingDownloadsOnFixedDisks) {
    struct Case {
        const char* name;
        std::vector<const char*> folders;
        const char* installDir;
        const char* proposal;
    };
    const Case cases[] = {
        {"only D has one", {"D:\\Downloads"}, "C:\\Program Files\\Torvane P2P\\", "D:\\Downloads"},
        {"C preferred", {"D:\\Downloads", "C:\\Downloads"}, "D:\\P2P\\", "C:\\Downloads"},
        {"none: the installation drive", {}, "F:\\Torvane P2P\\", "F:\\Downloads"},
        {"removable ignored", {"E:\\Downloads"}, "D:\\P2P\\", "D:\\Downloads"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Wizard w({}, [&](testing::Wizard& prepared) {
            for (const char* folder : c.folders) prepared.files.MakeFolders(folder);
        });
        InstallDir = c.installDir;
        w.form().ShowPanel("PNLInstallChooseDownloadDir", false);
        auto& panel = static_cast<TPNLInstallChooseDownloadDir&>(*w.form().ActivePanel());
        EXPECT_EQ(DownloadDir, c.proposal);
        EXPECT_EQ(panel.Edit1.Text(), c.proposal);
        EXPECT_EQ(panel.ShellTree->Hint, "Choose download folder");
    }
}

TEST_F(FolderPanels, DownloadNextStoresWithABackslashAndPreviousForgets) {
    InstallDir = "D:\\Apps\\";
    auto& panel = ShowDownload();
    EXPECT_EQ(wizard.header(), "Choose download folder");
    EXPECT_EQ(panel.StaticText1.Caption().substr(0, 34), "The download folder is the folder\r");
    const std::string proposal = DownloadDir;

    panel.Edit1.UserTyped("D:\\");
    wizard.click("&Next");
    EXPECT_EQ(wizard.host.messages, (std::vector<std::string>{kInvalid}));
    EXPECT_EQ(DownloadDir, proposal);  // nothing stored
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseDownloadDir");

    panel.Edit1.UserTyped(" D:\\Apps ");  // the installation folder itself is fine
    wizard.click("&Next");
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Apps\\");
    EXPECT_EQ(DownloadDir, "D:\\Apps\\");
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseConnection");

    ShowDownload();
    EXPECT_EQ(panel.Edit1.Text(), "D:\\Apps\\");  // back: the stored folder
    wizard.click("&Previous");
    EXPECT_EQ(DownloadDir, "");
    EXPECT_EQ(InstallDir, "D:\\Apps\\");
    EXPECT_EQ(wizard.activePanel(), "PnlInstallChooseDir");
}

TEST_F(FolderPanels, ButtonsDoNothingWhileSlidingAndExitCloses) {
    for (const char* name : {"PnlInstallChooseDir", "PNLInstallChooseDownloadDir"}) {
        for (const char* caption : {"&Exit", "&Next", "&Previous"}) {
            SCOPED_TRACE(std::string(name) + " " + caption);
            testing::Wizard w;
            w.form().ShowPanel(name, false);
            const std::string install = InstallDir, download = DownloadDir;
            w.form().Sliding = true;
            w.click(caption);
            EXPECT_EQ(w.activePanel(), name);
            EXPECT_FALSE(w.form().Closed());
            EXPECT_EQ(InstallDir, install);
            EXPECT_EQ(DownloadDir, download);
            w.form().Sliding = false;
        }
        testing::Wizard w;
        w.form().ShowPanel(name, false);
        w.click("&Exit");
        EXPECT_TRUE(w.form().Closed()) << name;
    }
}

}  // namespace
}  // namespace torvane
