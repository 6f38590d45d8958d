// The search for installed copies, the upgrade start panel with its list of
// folders, and the upgrade finished panel.
#include <gtest/gtest.h>

#include "app/Appl_Globals.h"
#include "fakes/CodePages.h"
#include "fakes/WizardFixture.h"
#include "panels/PNL_Install.h"
#include "panels/PNL_UpgradeFindDir.h"
#include "panels/PNL_UpgradeReady.h"
#include "panels/PNL_UpgradeStart.h"
#include "ui/Pictures.h"

namespace torvane {
namespace {

using testing::Wizard;
using Paths = std::vector<std::string>;

template <typename Panel>
Panel& PanelNamed(Wizard& wizard, const std::string& name) {
    for (const auto& p : wizard.form().Panels())
        if (p->Name() == name) return static_cast<Panel&>(*p);
    throw std::logic_error("no panel " + name);
}

// --- the search ---------------------------------------------------------------

class UpgradeSearch : public ::testing::Test {
protected:
    UpgradeSearch() {
        wizard.host.onPump = [this] {
            wizard.clock.Advance(5);
            const std::string& caption = search().Label12.Caption();
            if (labels.empty() || labels.back() != caption) labels.push_back(caption);
        };
    }
    TPnlUpgradeFindDir& search() {
        return PanelNamed<TPnlUpgradeFindDir>(wizard, "PnlUpgradeFindDir");
    }
    TPNLUpgradeStart& start() { return PanelNamed<TPNLUpgradeStart>(wizard, "PNLUpgradeStart"); }

    // From the install-or-upgrade panel with "upgrade" chosen, as the user does.
    void ChooseUpgrade() {
        wizard.form().ShowPanel("PnlInstall", false);
        PanelNamed<TPnlInstall>(wizard, "PnlInstall").RadioButton2.SetChecked(true);
        wizard.click("&Next");
    }

    Wizard wizard;
    Paths labels;
};

TEST_F(UpgradeSearch, ListsEveryCopyOnTheFixedDisksSortedAndShowsTheStartPanel) {
    wizard.files.WriteText("D:\\Apps\\TORVANE.EXE", "");
    wizard.files.WriteText("C:\\Program Files\\Torvane P2P\\Torvane.Exe", "");
    wizard.files.WriteText("C:\\apps\\old\\torvane.exe", "");
    wizard.files.WriteText("C:\\Secret\\Torvane P2P\\torvane.exe", "");  // in a hidden folder
    wizard.files.hidden.insert("C:\\Secret");
    wizard.files.WriteText("E:\\Torvane P2P\\torvane.exe", "");  // removable drive
    ChooseUpgrade();

    ASSERT_TRUE(FoundInstallations.has_value());
    EXPECT_EQ(*FoundInstallations,
              (Paths{"C:\\apps\\old\\torvane.exe", "C:\\Program Files\\Torvane P2P\\Torvane.Exe",
                     "D:\\Apps\\TORVANE.EXE"}));
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeStart");
    EXPECT_EQ(wizard.header(), "Ready to upgrade");
    EXPECT_TRUE(wizard.host.messages.empty());

    // The label followed the search from 0 to 100 and was set back to 0.
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels.front(), "0% complete");
    EXPECT_NE(std::find(labels.begin(), labels.end(), "100% complete"), labels.end());
    EXPECT_EQ(search().Label12.Caption(), "0% complete");
    EXPECT_EQ(search().ProgressBar1.Position(), 0);
    EXPECT_EQ(search().StaticText4.Caption(),
              "Now searching for installed Torvane P2P versions on your hard disks.\rThis can take "
              "a few moments.");

    // Only the fixed disks were walked.
    for (const std::string& asked : wizard.search.asked)
        EXPECT_NE(asked.substr(0, 2), "E:") << asked;

    // The start panel lists the folders, the first one chosen.
    EXPECT_EQ(start().ComboBoxUpgrade.Items(),
              (Paths{"C:\\apps\\old\\", "C:\\Program Files\\Torvane P2P\\", "D:\\Apps\\"}));
    EXPECT_EQ(start().ComboBoxUpgrade.ItemIndex(), 0);
}

TEST_F(UpgradeSearch, WithNothingFoundShowsTheMessageOnceAndReturnsToTheChoice) {
    wizard.files.WriteText("E:\\torvane.exe", "");
    wizard.files.WriteText("C:\\Secret\\torvane.exe", "");
    wizard.files.hidden.insert("C:\\Secret");
    ChooseUpgrade();

    ASSERT_EQ(wizard.host.messages.size(), 1u);
    EXPECT_EQ(wizard.host.messages[0],
              "No installed Torvane P2P versions could be found,\r"
              "or the found Torvane P2P versions are newer than\r"
              "the one in this installation. An upgrade is\r"
              "not possible.");
    EXPECT_EQ(wizard.activePanel(), "PnlInstall");
    ASSERT_TRUE(FoundInstallations.has_value());
    EXPECT_TRUE(FoundInstallations->empty());

    // Searching again replaces the list.
    wizard.files.WriteText("D:\\T\\torvane.exe", "");
    ChooseUpgrade();
    EXPECT_EQ(*FoundInstallations, Paths{"D:\\T\\torvane.exe"});
    EXPECT_EQ(wizard.host.messages.size(), 1u);
}

TEST_F(UpgradeSearch, ThePanelHasNoButtonsAndTheHandlersNeverStopTheSearch) {
    wizard.form().ShowPanel("PnlUpgradeFindDir", false);  // nothing to find: back on PnlInstall
    wizard.form().ShowPanel("PnlUpgradeStart", false);
    TPnlUpgradeFindDir& p = search();
    EXPECT_EQ(p.Image9.Picture(), ui::LoadPicture(ui::PictureId::Search));
    EXPECT_FALSE(p.ProgressHandler(42));
    EXPECT_EQ(p.Label12.Caption(), "42% complete");
    EXPECT_EQ(p.ProgressBar1.Position(), 42);
    EXPECT_TRUE(p.FileHandler("C:\\anything\\torvane.exe"));
}

// --- the start panel ------------------------------------------------------------

class UpgradeStart : public ::testing::Test {
protected:
    UpgradeStart() {
        FoundInstallations = Paths{"C:\\a\\Torvane.exe", "D:\\Apps\\torvane.exe"};
        wizard.form().ShowPanel("PnlUpgradeStart", false);
    }
    TPNLUpgradeStart& panel() { return PanelNamed<TPNLUpgradeStart>(wizard, "PNLUpgradeStart"); }
    Wizard wizard;
};

TEST(FolderPart, KeepsEverythingUpToTheLastBackslashOrColon) {
    EXPECT_EQ(FolderPart("C:\\Program Files\\Torvane P2P\\Torvane.exe", NoLeadBytes),
              "C:\\Program Files\\Torvane P2P\\");
    EXPECT_EQ(FolderPart("C:\\torvane.exe", NoLeadBytes), "C:\\");
    EXPECT_EQ(FolderPart("C:torvane.exe", NoLeadBytes), "C:");
    EXPECT_EQ(FolderPart("torvane.exe", NoLeadBytes), "");
    // A character ending in the byte of "\\" is part of the name.
    EXPECT_EQ(FolderPart("C:\\\x95\x5C"
                         "x.exe",
                         testing::ShiftJisLead),
              "C:\\");
}

TEST_F(UpgradeStart, ListsTheFoldersFirstChosenWithExitUpgradeAndPrevious) {
    TPNLUpgradeStart& p = panel();
    EXPECT_EQ(p.Label13.Caption(), "Upgrade Torvane P2P installed in:");
    EXPECT_EQ(p.ComboBoxUpgrade.Items(), (Paths{"C:\\a\\", "D:\\Apps\\"}));
    EXPECT_EQ(p.ComboBoxUpgrade.Text(), "C:\\a\\");
    EXPECT_EQ(wizard.form().FocusedControl(), &p.ComboBoxUpgrade);

    EXPECT_EQ(wizard.bar().LeftButton(1).Caption(), "&Exit");
    EXPECT_EQ(wizard.bar().RightButton(1).Caption(), "&Upgrade");
    EXPECT_EQ(wizard.bar().RightButton(2).Caption(), "&Previous");
    for (ui::TLbSpeedButton* b :
         {&wizard.bar().LeftButton(1), &wizard.bar().RightButton(1), &wizard.bar().RightButton(2)})
        EXPECT_EQ(b->Width(), 90) << b->Caption();

    // A new search refills the list and chooses the first entry again.
    p.ComboBoxUpgrade.UserSelected(1);
    FoundInstallations = Paths{"E:\\x\\torvane.exe"};
    wizard.form().ShowPanel("PnlUpgradeStart", false);
    EXPECT_EQ(p.ComboBoxUpgrade.Items(), Paths{"E:\\x\\"});
    EXPECT_EQ(p.ComboBoxUpgrade.ItemIndex(), 0);
}

TEST_F(UpgradeStart, UpgradeStoresTheChosenFolderAndRunsTheUpgrade) {
    wizard.files.WriteText("D:\\Apps\\torvane.exe", "old");
    panel().ComboBoxUpgrade.UserSelected(1);
    wizard.click("&Upgrade");
    EXPECT_EQ(InstallDir, "D:\\Apps\\");
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeReady");
    EXPECT_EQ(wizard.shell.shortcuts.at(0).target, "D:\\Apps\\Torvane.Exe");
}

TEST_F(UpgradeStart, PreviousGoesBackToTheChoiceAndNoButtonActsWhileSliding) {
    wizard.form().Sliding = true;
    for (const char* caption : {"&Upgrade", "&Previous", "&Exit"}) wizard.click(caption);
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeStart");
    EXPECT_EQ(InstallDir, "");
    EXPECT_FALSE(wizard.form().Closed());

    wizard.form().Sliding = false;
    wizard.click("&Previous");
    EXPECT_EQ(wizard.activePanel(), "PnlInstall");
    EXPECT_EQ(InstallDir, "");
}

TEST_F(UpgradeStart, ExitClosesTheWindow) {
    wizard.click("&Exit");
    EXPECT_TRUE(wizard.form().Closed());
}

// --- the finished panel ----------------------------------------------------------

class UpgradeReady : public ::testing::Test {
protected:
    UpgradeReady() {
        InstallDir = "C:\\Program Files\\Torvane P2P\\";
        wizard.form().ShowPanel("PNLUpgradeReady", false);
    }
    TPNLUpgradeReady& panel() { return PanelNamed<TPNLUpgradeReady>(wizard, "PNLUpgradeReady"); }
    Wizard wizard;
};

TEST_F(UpgradeReady, ShowsItsTextsWithExitAndStart) {
    TPNLUpgradeReady& p = panel();
    EXPECT_EQ(wizard.header(), "Upgrade of Torvane P2P ready");
    EXPECT_EQ(p.Label9.Caption(), "The upgrade of Torvane is completed succesfully.");
    EXPECT_TRUE(p.Label9.GetFont().bold);
    EXPECT_EQ(p.Label11.Caption(), "Enjoy your Torvane!");
    EXPECT_TRUE(p.Label11.GetFont().italic);
    EXPECT_EQ(p.Label11.Parent(), &p.Panel45);
    EXPECT_EQ(p.Image8.Picture(), ui::LoadPicture(ui::PictureId::Upgraded));
    EXPECT_EQ(wizard.bar().LeftButton(1).Caption(), "&Exit");
    EXPECT_EQ(wizard.bar().RightButton(1).Caption(), "&Start Torvane P2P");
    EXPECT_EQ(wizard.bar().RightButton(1).Width(), 120);
}

// The page's layers, bottom to top: the picture lies below the sky-blue
// panel, so only its lower edge shows; the places are the form's.
TEST_F(UpgradeReady, ThePictureLiesBelowThePanelAndEverythingStandsInPlace) {
    TPNLUpgradeReady& p = panel();
    EXPECT_EQ(p.Children(), (std::vector<ui::Control*>{&p.Label9, &p.Image8, &p.Panel45}));
    EXPECT_EQ(p.Panel45.Children(), std::vector<ui::Control*>{&p.Label11});
    const std::pair<const ui::Control*, ui::Bounds> places[] = {
        {&p.Label9, {8, 24, 277, 13}},
        {&p.Image8, {16, 56, 383, 302}},
        {&p.Panel45, {-1, 56, 466, 257}},
        {&p.Label11, {216, 225, 168, 24}},
    };
    for (const auto& [control, bounds] : places)
        EXPECT_EQ(control->GetBounds(), bounds) << control->Name();
    EXPECT_EQ(p.Panel45.GetColor(), ui::colors::SkyBlue);
    EXPECT_EQ(p.Label11.GetColor(), ui::colors::SkyBlue) << "labels show their parent's colour";
    EXPECT_EQ(p.Label11.GetFont().pixels, 19);
}

TEST_F(UpgradeReady, StartRunsTheUpgradedClientQuotedAsTheUserAndCloses) {
    wizard.form().Sliding = true;
    wizard.click("&Start Torvane P2P");
    EXPECT_TRUE(wizard.processes.started.empty());
    wizard.form().Sliding = false;

    wizard.processes.refuse = true;  // a client that does not start changes nothing
    wizard.click("&Start Torvane P2P");
    ASSERT_EQ(wizard.processes.started.size(), 1u);
    const testing::StartedProgram& client = wizard.processes.started[0];
    EXPECT_EQ(client.application, "C:\\Program Files\\Torvane P2P\\Torvane.Exe");
    EXPECT_EQ(client.commandLine, "\"C:\\Program Files\\Torvane P2P\\Torvane.Exe\"");
    EXPECT_EQ(client.show, platform::ShowMode::Maximized);
    EXPECT_TRUE(client.asUser);
    EXPECT_TRUE(wizard.form().Closed());
    EXPECT_TRUE(wizard.host.messages.empty());
}

}  // namespace
}  // namespace torvane
