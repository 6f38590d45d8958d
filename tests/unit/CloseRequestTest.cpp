// Close requests from outside the program (Alt+F4, the system menu's or the
// taskbar's Close, WM_CLOSE) while the install, the upgrade or the disk
// search runs: the window stays and the work goes on to its end; before and
// after the work such a request closes the window as always.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Appl_Globals.h"
#include "app/PNL_Error.h"
#include "base/Exceptions.h"
#include "fakes/FakeNavigator.h"
#include "fakes/WizardFixture.h"
#include "panels/PNL_InstallInstalling.h"
#include "panels/PNL_UpgradeFindDir.h"
#include "panels/PNL_UpgradeUpgrading.h"
#include "payload/GB_Payloads.h"
#include "ui/Form.h"

namespace torvane {
namespace {

using testing::Wizard;

TEST(FormCloseRequest, ClosesOnlyWhenTheFormAllows) {
    class Guarded : public ui::Form {
    public:
        using ui::Form::Form;
        bool CanClose() const override { return allow; }
        bool allow = false;
    };
    testing::HeadlessHost host;
    ui::Application app{host};
    Guarded form{app};

    EXPECT_FALSE(form.RequestClose());
    EXPECT_FALSE(form.Closed());
    form.allow = true;
    EXPECT_TRUE(form.RequestClose());
    EXPECT_TRUE(form.Closed());

    // The program's own Close does not ask.
    Guarded own{app};
    own.Close();
    EXPECT_TRUE(own.Closed());
}

// Asks the window to close at every message pump once `begun` holds, as a
// user pressing Alt+F4 again and again would, and notes whether a request
// closed it. The refusals last until the working panel's show is over, the
// slide to the next panel included.
class CloseDuringWork : public ::testing::Test {
protected:
    void AskToClose(std::function<bool()> begun) {
        wizard.host.onPump = [this, begun] {
            wizard.clock.Advance(5);
            if (wizard.form().Closed() || !begun()) return;
            if (wizard.form().RequestClose())
                closedEarly = true;
            else
                ++refused;
        };
    }
    // After the show: the work is done and the window closes on request.
    void ExpectClosableAfterTheWork() {
        EXPECT_FALSE(closedEarly);
        wizard.host.onPump = {};
        EXPECT_TRUE(wizard.form().RequestClose());
        EXPECT_TRUE(wizard.form().Closed());
    }
    void Show(const std::string& panel) {
        wizard.app.Dispatch([&] { wizard.form().ShowPanel(panel, true); });
    }
    template <typename Panel>
    Panel& PanelNamed(const std::string& name) {
        for (const auto& p : wizard.form().Panels())
            if (p->Name() == name) return static_cast<Panel&>(*p);
        throw std::logic_error("no panel " + name);
    }

    Wizard wizard;
    int refused = 0;
    bool closedEarly = false;
};

// Asked from the moment its page slides in: a close then would leave the
// install to run with the window gone.
TEST_F(CloseDuringWork, TheInstallIsNotCutOffAndTheWindowClosesAfterIt) {
    InstallDir = "D:\\Apps\\Torvane P2P\\";
    DownloadDir = "D:\\Downloads\\";
    wizard.files.MakeFolders("D:\\Downloads");
    auto& panel = PanelNamed<TPNLInstallInstalling>("PNLInstallInstalling");
    AskToClose([&] { return wizard.form().ActivePanel() == &panel; });
    Show("PNLInstallInstalling");

    EXPECT_GT(refused, 20);
    EXPECT_EQ(wizard.activePanel(), "PNLInstallReady") << PnlError->StaticText1.Caption();
    EXPECT_TRUE(wizard.files.ReadText(InstallDir + "UnInstall.dat").has_value());
    ExpectClosableAfterTheWork();
}

TEST_F(CloseDuringWork, TheUpgradeIsNotCutOffWhileItWaitsForTheClient) {
    InstallDir = "D:\\Apps\\";
    wizard.files.WriteText(InstallDir + "Torvane.Exe", "old");
    wizard.files.uncreatable.insert(InstallDir + "Torvane.Exe");
    auto& panel = PanelNamed<TPNLUpgradeUpgrading>("PNLUpgradeUpgrading");
    AskToClose([&] { return panel.Label12.Caption() != "0% complete"; });
    const auto ask = wizard.host.onPump;
    // The client ends during the third wait.
    wizard.host.onPump = [&] {
        ask();
        if (wizard.clock.sleptMs >= 35000) wizard.files.uncreatable.clear();
    };
    Show("PNLUpgradeUpgrading");

    EXPECT_GT(refused, 45) << "refused during the waits too";
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeReady") << PnlError->StaticText1.Caption();
    EXPECT_EQ(wizard.files.ReadText(InstallDir + "Torvane.Exe").value_or("").size(),
              GB_TorvaneP2P_exe::kInflatedSize);
    EXPECT_EQ(wizard.shell.shortcuts.size(), 4u);
    ExpectClosableAfterTheWork();
}

TEST_F(CloseDuringWork, TheSearchRunsToItsEnd) {
    wizard.files.WriteText("D:\\Apps\\torvane.exe", "");
    wizard.files.MakeFolders("C:\\a\\b\\c");
    wizard.files.MakeFolders("D:\\x\\y");
    auto& panel = PanelNamed<TPnlUpgradeFindDir>("PnlUpgradeFindDir");
    AskToClose([&] { return panel.StaticText4.Caption() != "Explanation"; });
    Show("PnlUpgradeFindDir");

    EXPECT_GT(refused, 3);
    ASSERT_TRUE(FoundInstallations.has_value());
    EXPECT_EQ(*FoundInstallations, std::vector<std::string>{"D:\\Apps\\torvane.exe"});
    EXPECT_EQ(wizard.activePanel(), "PNLUpgradeStart");
    ExpectClosableAfterTheWork();
}

// A failure ends the work: the error panel can be closed.
TEST_F(CloseDuringWork, AfterAFailedSequenceTheErrorPanelCanBeClosed) {
    InstallDir = "D:\\Apps\\";
    wizard.files.MakeFolders(InstallDir);
    wizard.files.uncreatable.insert(InstallDir + "Uninstall.Exe");
    Show("PNLUpgradeUpgrading");
    ASSERT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_TRUE(wizard.form().RequestClose());
    EXPECT_TRUE(wizard.form().Closed());
}

// On its own, a working panel marks its work in progress only while it runs.
TEST(WorkingPanels, MarkTheirWorkOnlyWhileItRuns) {
    testing::ResetProgramState();
    testing::FakePlatform fakes;
    testing::FakeNavigator navigator{fakes};
    std::vector<int> seen;
    fakes.host.onPump = [&] { seen.push_back(navigator.working); };

    InstallDir = "D:\\Apps\\";
    fakes.files.MakeFolders(InstallDir);
    TPNLUpgradeUpgrading upgrading(navigator);
    upgrading.AfterShow();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 1);
    EXPECT_EQ(navigator.working, 0);
    EXPECT_EQ(navigator.shown, std::vector<std::string>{"PNLUpgradeReady"});

    // A failing sequence ends the mark too.
    fakes.files.uncreatable.insert(InstallDir + "Uninstall.Exe");
    EXPECT_THROW(upgrading.AfterShow(), EFCreateError);
    EXPECT_EQ(navigator.working, 0);

    seen.clear();
    TPnlUpgradeFindDir search(navigator);
    search.AfterShow();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), 0) << "the first progress comes before the search";
    EXPECT_EQ(seen[1], 1);
    EXPECT_EQ(navigator.working, 0);
}

}  // namespace
}  // namespace torvane
