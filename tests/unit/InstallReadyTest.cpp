// The installation finished panel: its page, its two buttons and the start
// of the installed client.
#include <gtest/gtest.h>

#include "app/Appl_Globals.h"
#include "fakes/WizardFixture.h"
#include "panels/PNL_InstallReady.h"
#include "ui/Pictures.h"

namespace torvane {
namespace {

class InstallReady : public ::testing::Test {
protected:
    InstallReady() {
        InstallDir = "C:\\Program Files\\Torvane P2P\\";
        wizard.form().ShowPanel("PNLInstallReady", false);
    }
    TPNLInstallReady& panel() {
        return static_cast<TPNLInstallReady&>(*wizard.form().ActivePanel());
    }
    testing::Wizard wizard;
};

TEST_F(InstallReady, ShowsItsMessageAndPictureWithExitAndStartOnTheBar) {
    EXPECT_EQ(wizard.header(), "Installation of Torvane P2P ready");
    TPNLInstallReady& p = panel();
    EXPECT_EQ(p.Label9.Caption(), "The installation of Torvane P2P is completed successfully.");
    EXPECT_TRUE(p.Label9.GetFont().bold);
    EXPECT_EQ(p.Label11.Caption(), "Enjoy your Torvane P2P!");
    EXPECT_EQ(p.Label11.Parent(), &p.Panel45);
    EXPECT_TRUE(p.Label11.GetFont().italic);
    EXPECT_EQ(p.Image1.Parent(), &p.Panel45);
    EXPECT_EQ(p.Image1.Picture(), ui::LoadPicture(ui::PictureId::Finished));
    EXPECT_TRUE(p.Image1.Transparent());
    EXPECT_EQ(p.Panel45.GetBevel(), ui::Bevel::None);

    // "&Exit" at the left end; the wider start button at the right end.
    EXPECT_EQ(wizard.bar().LeftButton(1).Caption(), "&Exit");
    EXPECT_FALSE(wizard.bar().LeftButton(2).Visible());
    const ui::TLbSpeedButton& start = wizard.bar().RightButton(1);
    EXPECT_EQ(start.Caption(), "&Start Torvane P2P");
    EXPECT_EQ(start.Width(), 120);
    EXPECT_EQ(start.Left(), wizard.bar().Width() - 125);
    EXPECT_FALSE(wizard.bar().RightButton(2).Visible()) << "there is no way back";
}

TEST_F(InstallReady, EverythingStandsInItsPlaceAndOrder) {
    TPNLInstallReady& p = panel();
    EXPECT_EQ(p.Children(), (std::vector<ui::Control*>{&p.Label9, &p.Panel45}));
    EXPECT_EQ(p.Panel45.Children(), (std::vector<ui::Control*>{&p.Label11, &p.Image1}));
    const std::pair<const ui::Control*, ui::Bounds> places[] = {
        {&p.Label9, {16, 24, 0, 0}},
        {&p.Panel45, {-1, 56, 466, 257}},
        {&p.Label11, {216, 225, 0, 0}},
        {&p.Image1, {16, 0, 209, 209}},
    };
    for (const auto& [control, bounds] : places)
        EXPECT_EQ(control->GetBounds(), bounds) << control->Name();
    EXPECT_EQ(p.Label11.GetColor(), ui::colors::SkyBlue) << "labels show their parent's colour";
    EXPECT_EQ(p.Label9.GetFont().pixels, 11);
}

TEST_F(InstallReady, StartRunsTheClientQuotedWithTheUsersRightsAndCloses) {
    wizard.click("&Start Torvane P2P");
    ASSERT_EQ(wizard.processes.started.size(), 1u);
    const testing::StartedProgram& client = wizard.processes.started[0];
    EXPECT_EQ(client.application, "C:\\Program Files\\Torvane P2P\\Torvane.Exe");
    EXPECT_EQ(client.commandLine, "\"C:\\Program Files\\Torvane P2P\\Torvane.Exe\"");
    EXPECT_EQ(client.show, platform::ShowMode::Maximized);
    EXPECT_TRUE(client.asUser) << "the client would inherit the setup's elevation";
    EXPECT_TRUE(wizard.form().Closed());
    EXPECT_TRUE(wizard.host.messages.empty());
}

TEST_F(InstallReady, AClientThatDoesNotStartStillClosesSilently) {
    wizard.processes.refuse = true;
    wizard.alt('S');
    EXPECT_EQ(wizard.processes.started.size(), 1u);
    EXPECT_TRUE(wizard.form().Closed());
    EXPECT_TRUE(wizard.host.messages.empty());
    EXPECT_EQ(wizard.activePanel(), "PNLInstallReady");
}

// Elevated with no way to start it as the user, the client is not started
// with the setup's rights: the user is told, and the window closes.
TEST_F(InstallReady, AClientThatWouldRunElevatedIsNotStartedAndTheUserIsTold) {
    wizard.processes.refuseElevated = true;
    wizard.alt('S');
    EXPECT_EQ(wizard.host.messages,
              (std::vector<std::string>{"Torvane P2P was not started, as it would have run with "
                                        "administrator rights.\rPlease start it from the Start "
                                        "menu."}));
    EXPECT_TRUE(wizard.form().Closed());
}

TEST_F(InstallReady, ExitClosesWithoutStartingAndNeitherButtonActsWhileSliding) {
    wizard.form().Sliding = true;
    wizard.click("&Start Torvane P2P");
    wizard.click("&Exit");
    EXPECT_TRUE(wizard.processes.started.empty());
    EXPECT_FALSE(wizard.form().Closed());

    wizard.form().Sliding = false;
    wizard.click("&Exit");
    EXPECT_TRUE(wizard.processes.started.empty());
    EXPECT_TRUE(wizard.form().Closed());
}

}  // namespace
}  // namespace torvane
