#include <gtest/gtest.h>

#include "app/Appl_Globals.h"
#include "fakes/WizardFixture.h"
#include "generated/BuildConfig.h"
#include "panels/PNL_Install.h"
#include "panels/PNL_InstallChooseConnection.h"
#include "panels/PNL_InstallGo.h"
#include "panels/PNL_InstallToolbar.h"

namespace torvane {
namespace {

const std::pair<const char*, std::vector<const char*>> kPanels[] = {
    {"PnlWelcome", {"&Exit", "&Next"}},
    {"PnlDisclaimer", {"&Exit", "&Next", "&Previous"}},
    {"PnlInstall", {"&Exit", "&Next", "&Previous"}},
    {"PNLInstallChooseConnection", {"&Exit", "&Next", "&Previous"}},
    {"PNLInstallToolbar", {"&Exit", "&Next", "&Previous"}},
    {"PNLInstallGo", {"&Exit", "&Install Now", "&Previous"}},
};

// Controls below `parent` that would paint a background other than their parent's.
void CollectOwnColors(const ui::Container& parent, std::vector<std::string>& found) {
    for (const ui::Control* child : parent.Children()) {
        const ui::ControlKind kind = child->Kind();
        const bool showsParent =
            kind == ui::ControlKind::Label || kind == ui::ControlKind::TextBox ||
            kind == ui::ControlKind::CheckBox || kind == ui::ControlKind::RadioButton ||
            kind == ui::ControlKind::GroupBox;
        if (showsParent && child->GetColor() != parent.GetColor())
            found.push_back(child->Name() + child->Caption());
        if (const ui::Container* container = child->AsContainer())
            CollectOwnColors(*container, found);
    }
}

TEST(InstallPathPanels, TextsAndChoicesShowTheirParentsColour) {
    testing::Wizard wizard;
    for (const auto& panel : kPanels) {
        wizard.form().ShowPanel(panel.first, false);
        std::vector<std::string> found;
        CollectOwnColors(*wizard.form().ActivePanel(), found);
        EXPECT_EQ(found, std::vector<std::string>{}) << panel.first;
    }
}

TEST(InstallPathPanels, EveryExitClosesTheWindowAndNoButtonActsWhileSliding) {
    for (const auto& [name, captions] : kPanels) {
        for (const char* caption : captions) {
            SCOPED_TRACE(std::string(name) + " " + caption);
            testing::Wizard wizard;
            wizard.form().ShowPanel(name, false);
            ConnectionType = -1;  // a state every Next would change or refuse
            InstallToolbar = false;
            wizard.form().Sliding = true;
            wizard.click(caption);
            EXPECT_EQ(wizard.activePanel(), name);
            EXPECT_FALSE(wizard.form().Closed());
            EXPECT_TRUE(wizard.host.messages.empty());
            EXPECT_TRUE(ConnectionType == -1 && !InstallToolbar && !DesktopShortcut);
        }
        testing::Wizard wizard;
        wizard.form().ShowPanel(name, false);
        wizard.click("&Exit");
        EXPECT_TRUE(wizard.form().Closed()) << name;
    }
}

// Panels these tests only move to are replaced by empty ones (the last panel
// registered under a name is the one shown), so their own work stays out.
class InstallPanels : public ::testing::Test {
protected:
    InstallPanels() {
        for (const char* name : {"PnlInstallChooseDir", "PnlUpgradeFindDir",
                                 "PNLInstallChooseDownloadDir", "PNLInstallInstalling"})
            wizard.form().RegisterPanel(
                std::make_unique<TFramePanel>(name, std::string("empty ") + name));
    }
    template <class Panel>
    Panel& show(const std::string& name) {
        wizard.form().ShowPanel(name, false);
        return static_cast<Panel&>(*wizard.form().ActivePanel());
    }
    testing::Wizard wizard;
};

TEST_F(InstallPanels, InstallOrUpgradeStoresTheChoicesOnNextAndForks) {
    auto& panel = show<TPnlInstall>("PnlInstall");
    EXPECT_TRUE(panel.RadioButton1.Checked() && !panel.RadioButton2.Checked() &&
                panel.CheckBox1.Checked());
    wizard.click("&Next");
    EXPECT_EQ(wizard.header(), "empty PnlInstallChooseDir");
    EXPECT_FALSE(panel.UpgradeChosen);
    EXPECT_TRUE(DesktopShortcut);

    show<TPnlInstall>("PnlInstall");
    panel.RadioButton2.Click();
    EXPECT_FALSE(panel.RadioButton1.Checked());
    panel.CheckBox1.Click();
    wizard.click("&Next");
    EXPECT_EQ(wizard.header(), "empty PnlUpgradeFindDir");
    EXPECT_TRUE(panel.UpgradeChosen);
    EXPECT_FALSE(DesktopShortcut);

    show<TPnlInstall>("PnlInstall");  // back from the search, as the user left it
    EXPECT_TRUE(panel.RadioButton2.Checked());
    panel.RadioButton1.Click();
    EXPECT_FALSE(panel.RadioButton2.Checked());
    wizard.click("&Previous");
    EXPECT_EQ(wizard.activePanel(), "PnlDisclaimer");
}

TEST_F(InstallPanels, TheLinksOpenTheSupportMailAndTheToolbarsEulaPageAndStay) {
    auto& install = show<TPnlInstall>("PnlInstall");
    auto& toolbar = show<TPNLInstallToolbar>("PNLInstallToolbar");
    // The text before each link sizes itself to its text; the link follows
    // it where it ends when drawn (TextFitTest), at its layout place headless.
    using Link = std::pair<ui::Label*, ui::Label*>;  // the text before it, the link
    for (const auto& [before, link] :
         {Link{&install.Label14, &install.Label18}, Link{&toolbar.Label3, &toolbar.Label4}}) {
        EXPECT_TRUE(before->AutoSize());
        EXPECT_EQ(link->Left(), link == &install.Label18 ? 227 : 393);
        EXPECT_TRUE(link->HandCursor() && link->GetFont().underline);
        EXPECT_EQ(link->GetFont().color, ui::colors::Blue);
    }
    show<TPnlInstall>("PnlInstall");
    EXPECT_EQ(install.Label18.Caption(), config::kSupportEmail);
    install.Label18.Click();
    EXPECT_EQ(wizard.shell.opened,
              std::vector<std::string>{std::string("(as user) mailto:") + config::kSupportEmail});
    EXPECT_EQ(wizard.activePanel(), "PnlInstall");

    show<TPNLInstallToolbar>("PNLInstallToolbar").Label4.Click();
    ASSERT_EQ(wizard.shell.opened.size(), 2u);
    const std::string url = wizard.shell.opened[1];
    const std::size_t host = url.find("://");
    ASSERT_NE(host, std::string::npos);
    EXPECT_EQ(url.substr(std::min(url.find('/', host + 3), url.size())), "/eula/");
    EXPECT_EQ(url.rfind("(as user) ", 0), 0u);
    EXPECT_EQ(wizard.activePanel(), "PNLInstallToolbar");
    // Elevated with no way to open it as the user: not opened, and said so.
    wizard.shell.refuseElevated = true;
    show<TPNLInstallToolbar>("PNLInstallToolbar").Label4.Click();
    EXPECT_EQ(wizard.host.messages.back(),
              "The licence page was not opened, as it would have run "
              "with administrator rights.\rPlease open " +
                  url.substr(10) + " in your browser.");
}

TEST_F(InstallPanels, ConnectionTypeIsStoredOnlyByNextAndShownAgainOnReturn) {
    auto& panel = show<TPNLInstallChooseConnection>("PNLInstallChooseConnection");
    std::vector<std::string> captions;
    for (const auto& button : panel.rgConnection.Buttons()) captions.push_back(button->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Dial-up &Modem < 56KBS", "Dial-up M&odem 56K",
                                                  "&ISDN", "&ADSL / DSL", "&Cable", "&T1", "T&2",
                                                  "ADSL 2", "I &don't know"}));
    EXPECT_EQ(panel.rgConnection.ItemIndex(), 8);
    wizard.click("&Next");
    EXPECT_EQ(ConnectionType, 8);
    EXPECT_EQ(wizard.activePanel(), "PNLInstallToolbar");

    show<TPNLInstallChooseConnection>("PNLInstallChooseConnection");
    panel.rgConnection.Buttons()[4]->Click();  // "&Cable"
    wizard.click("&Next");
    wizard.click("&Previous");
    ASSERT_EQ(wizard.activePanel(), "PNLInstallChooseConnection");
    EXPECT_EQ(panel.rgConnection.ItemIndex(), 4);

    panel.rgConnection.Buttons()[2]->Click();  // "&ISDN", then back
    wizard.click("&Previous");
    EXPECT_EQ(wizard.header(), "empty PNLInstallChooseDownloadDir");
    EXPECT_EQ(ConnectionType, 4);

    show<TPNLInstallChooseConnection>("PNLInstallChooseConnection").rgConnection.SetItemIndex(-1);
    wizard.click("&Next");
    EXPECT_EQ(wizard.host.messages, std::vector<std::string>{"Choose a connection first"});
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseConnection");
    EXPECT_EQ(ConnectionType, 4);
}

TEST_F(InstallPanels, ToolbarChoiceIsStoredOnlyByNext) {
    auto& panel = show<TPNLInstallToolbar>("PNLInstallToolbar");
    EXPECT_TRUE(panel.CheckBox1.Checked());
    panel.CheckBox1.Click();
    wizard.click("&Previous");
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseConnection");
    EXPECT_TRUE(InstallToolbar);

    show<TPNLInstallToolbar>("PNLInstallToolbar");
    EXPECT_TRUE(panel.CheckBox1.Checked());
    panel.CheckBox1.Click();
    wizard.click("&Next");
    EXPECT_FALSE(InstallToolbar);
    EXPECT_EQ(wizard.activePanel(), "PNLInstallGo");
    wizard.click("&Previous");
    EXPECT_FALSE(panel.CheckBox1.Checked());
}

TEST_F(InstallPanels, ReadyToInstallSumsUpTheFoldersAndTheShortcut) {
    InstallDir = "C:\\Program Files\\Torvane P2P\\";
    DownloadDir = "C:\\Downloads\\";
    for (const bool shortcut : {true, false}) {
        DesktopShortcut = shortcut;
        auto& panel = show<TPNLInstallGo>("PNLInstallGo");
        EXPECT_EQ(panel.Label6.Caption(), "Installation folder = C:\\Program Files\\Torvane P2P\\");
        EXPECT_EQ(panel.Label7.Caption(), "Download folder = C:\\Downloads\\");
        EXPECT_EQ(panel.Label9.Caption(), shortcut ? "Create shortcut on desktop = Yes"
                                                   : "Create shortcut on desktop = No");
    }
    EXPECT_EQ(wizard.bar().RightButton(1).Caption(), "&Install Now");
    EXPECT_EQ(wizard.bar().RightButton(1).Width(), 120);
    wizard.click("&Previous");
    EXPECT_EQ(wizard.activePanel(), "PNLInstallToolbar");
    show<TPNLInstallGo>("PNLInstallGo");
    wizard.click("&Install Now");
    EXPECT_EQ(wizard.header(), "empty PNLInstallInstalling");
}

}  // namespace
}  // namespace torvane
