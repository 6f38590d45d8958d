#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "app/Appl_Globals.h"
#include "app/PNL_Error.h"
#include "base/Exceptions.h"
#include "fakes/WizardFixture.h"
#include "panels/PNL_InstallChooseDir.h"
#include "panels/PNL_Welcome.h"
#include "ui/Edit.h"
#include "ui/RadioGroup.h"

namespace torvane {
namespace {

using testing::Wizard;

// A panel that records what the main window asks of it and where the sliding
// controls stood at the time.
class ProbePanel : public TFramePanel {
public:
    ProbePanel(std::string name, std::vector<std::string>& log)
        : TFramePanel(std::move(name), "Probe header"), log_(log) {}
    void SetButtons(tQvButtonBar& bar) override {
        log_.push_back("SetButtons");
        bar.AddLeftButton("&Exit", 1, 1, nullptr);
        if (failIn == "SetButtons") throw std::runtime_error("SetButtons failed");
    }
    void BeforeShow() override {
        log_.push_back("BeforeShow");
        if (failIn == "BeforeShow") throw std::runtime_error("BeforeShow failed");
    }
    void AfterShow() override {
        log_.push_back(FormMain->Sliding ? "AfterShow while sliding" : "AfterShow");
        if (failIn == "AfterShow") throw std::runtime_error("AfterShow failed");
    }
    std::string failIn;

private:
    std::vector<std::string>& log_;
};

const char* const kPanelOrder[][2] = {
    {"PnlWelcome", "Welcome"},
    {"PnlDisclaimer", "License agreement and disclaimer"},
    {"PnlInstall", "Install or upgrade?"},
    {"PnlInstallChooseDir", "Choose installation folder"},
    {"PNLInstallChooseDownloadDir", "Choose download folder"},
    {"PNLInstallChooseConnection", "Select your internet-connection"},
    {"PNLInstallToolbar", "Intergrate the Torvane Toolbar in your browser"},
    {"PNLInstallGo", "Ready to install"},
    {"PNLInstallInstalling", "Installing Torvane P2P"},
    {"PNLInstallReady", "Installation of Torvane P2P ready"},
    {"PnlUpgradeFindDir", "Searching Torvane P2P"},
    {"PNLUpgradeStart", "Ready to upgrade"},
    {"PNLUpgradeUpgrading", "Upgrading Torvane P2P"},
    {"PNLUpgradeReady", "Upgrade of Torvane P2P ready"},
    {"PnlError", "Error"},
};

TEST(MainWindow, IsCreatedWithItsLayoutColoursAndFifteenPanelsInOrder) {
    Wizard wizard;
    TFormMain& form = wizard.form();
    EXPECT_EQ(form.Caption(), "Install Torvane P2P 4.43");
    EXPECT_EQ(form.Width(), 780);
    EXPECT_EQ(form.Height(), 509);
    EXPECT_EQ(form.GetColor(), ui::colors::Blue);
    EXPECT_EQ(form.PnlHeader.GetColor(), ui::colors::Navy);
    EXPECT_EQ(form.PnlHeader.GetFont().color, ui::colors::White);
    EXPECT_EQ(form.PnlHeader.GetBounds(), (ui::Bounds{40, 31, 712, 41}));
    EXPECT_EQ(form.PageControl.GetBounds(), (ui::Bounds{40, 72, 712, 377}));
    EXPECT_EQ(form.PnlButtons.GetBounds(), (ui::Bounds{40, 451, 713, 32}));
    EXPECT_EQ(form.PnlButtons.GetColor(), ui::colors::Cream);
    EXPECT_EQ(form.Timer1.Interval(), 150u);
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_FALSE(form.AlphaBlendTimer.Enabled());
    EXPECT_FALSE(form.Visible());

    ASSERT_EQ(form.Panels().size(), 15u);
    ASSERT_EQ(form.PageControl.Pages().size(), 15u);
    for (std::size_t i = 0; i < 15; ++i) {
        const TFramePanel& panel = *form.Panels()[i];
        EXPECT_EQ(panel.Name(), kPanelOrder[i][0]);
        EXPECT_EQ(panel.HeaderText, kPanelOrder[i][1]);
        EXPECT_EQ(form.PageControl.Pages()[i]->Name(), kPanelOrder[i][0]);
        EXPECT_EQ(panel.Parent(), form.PageControl.Pages()[i].get());
        EXPECT_EQ(panel.GetColor(), ui::colors::SkyBlue);
        EXPECT_EQ(panel.GetBounds(), (ui::Bounds{0, 0, 712, 377}));
    }
    EXPECT_EQ(PnlError, form.Panels().back().get());
    EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
    EXPECT_EQ(wizard.header(), "Welcome");
    EXPECT_EQ(wizard.bar().LeftButton(1).Caption(), "&Exit");
    EXPECT_EQ(wizard.bar().RightButton(1).Caption(), "&Next");
}

// Texts, boxes and groups have no colour of their own: each shows its
// parent's, so no system-grey box stands on a sky-blue or white panel.
void ExpectParentColours(const ui::Control& control, std::vector<std::string>& off,
                         const std::string& where) {
    switch (control.Kind()) {
        case ui::ControlKind::Label:
        case ui::ControlKind::TextBox:
        case ui::ControlKind::CheckBox:
        case ui::ControlKind::RadioButton:
        case ui::ControlKind::GroupBox:
            if (control.GetColor() != control.Parent()->GetColor())
                off.push_back(where + "/" + control.Name() + control.Caption());
            break;
        default:
            break;
    }
    if (control.Kind() == ui::ControlKind::GroupBox)
        for (const auto& button : static_cast<const ui::RadioGroup&>(control).Buttons())
            ExpectParentColours(*button, off, where + "/" + control.Name());
    if (const ui::Container* container = control.AsContainer())
        for (const ui::Control* child : container->Children())
            ExpectParentColours(*child, off, where);
}

TEST(MainWindow, EveryTextOfEveryPanelSitsOnItsParentsColour) {
    Wizard wizard;
    std::vector<std::string> off;
    for (const auto& panel : wizard.form().Panels()) {
        panel->SetButtons(wizard.bar());
        panel->BeforeShow();  // fills the texts and makes what is made on showing
        ExpectParentColours(*panel, off, panel->Name());
    }
    EXPECT_EQ(off, std::vector<std::string>{});
}

TEST(ShowPanel, CallsThePanelInOrderWithTheSlideBetweenBeforeShowAndAfterShow) {
    Wizard wizard;
    std::vector<std::string> log;
    wizard.form().RegisterPanel(std::make_unique<ProbePanel>("Probe", log));
    bool slidBeforeSetButtons = false;
    wizard.host.onPump = [&] {
        wizard.clock.Advance(5);
        if (log.empty() && wizard.form().Sliding) slidBeforeSetButtons = true;
        if (!log.empty() && log.back() != "slide") log.push_back("slide");
    };
    wizard.form().ShowPanel("probe", true);
    EXPECT_TRUE(slidBeforeSetButtons);
    EXPECT_EQ(log, (std::vector<std::string>{"SetButtons", "BeforeShow", "slide", "AfterShow"}));
    EXPECT_EQ(wizard.header(), "Probe header");
    EXPECT_FALSE(wizard.form().Sliding);
}

// A focused box on a hidden page would still take typing and Tab.
TEST(ShowPanel, TakesTheFocusFromTheLeftPageButLetsTheNewPanelClaimIt) {
    Wizard wizard;
    TFormMain& form = wizard.form();
    form.ShowPanel("PnlInstallChooseDir", false);
    auto& folderPanel = static_cast<TPnlInstallChooseDir&>(*form.Panels()[3]);
    folderPanel.Edit1.SetFocus();
    ASSERT_EQ(form.FocusedControl(), &folderPanel.Edit1);

    form.ShowPanel("PNLInstallChooseDownloadDir", true);
    EXPECT_EQ(form.FocusedControl(), &form);

    class Claiming : public TFramePanel {
    public:
        Claiming() : TFramePanel("Claiming", "Claiming"), box(this) {}
        void BeforeShow() override { box.SetFocus(); }
        ui::Edit box;
    };
    auto claiming = std::make_unique<Claiming>();
    const ui::Control* box = &claiming->box;
    form.RegisterPanel(std::move(claiming));
    form.ShowPanel("Claiming", true);
    EXPECT_EQ(form.FocusedControl(), box);
}

TEST(ShowPanel, FindsTheLastPanelWhoseNameMatchesInAnyCase) {
    Wizard wizard;
    wizard.form().ShowPanel("pnlupgradeready", false);
    EXPECT_EQ(wizard.header(), "Upgrade of Torvane P2P ready");
    wizard.form().ShowPanel("PnlInstallChooseConnection", false);
    EXPECT_EQ(wizard.activePanel(), "PNLInstallChooseConnection");

    std::vector<std::string> first, second;
    wizard.form().RegisterPanel(std::make_unique<ProbePanel>("Twin", first));
    wizard.form().RegisterPanel(std::make_unique<ProbePanel>("TWIN", second));
    wizard.form().ShowPanel("twin", false);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second.size(), 3u);
}

TEST(ShowPanel, AnUnknownNameOnlyEndsTheFade) {
    Wizard wizard;
    wizard.form().Show();
    ASSERT_TRUE(wizard.form().AlphaBlend());
    wizard.form().ShowPanel("NoSuchPanel", true);
    EXPECT_FALSE(wizard.form().AlphaBlend());
    EXPECT_FALSE(wizard.form().AlphaBlendTimer.Enabled());
    EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
    EXPECT_FALSE(wizard.form().Sliding);
    EXPECT_EQ(wizard.host.pumps, 0);
}

TEST(ShowPanel, SlidesElevenStepsOfSeventyPixelsOutAndBackHome) {
    Wizard wizard;
    TFormMain& form = wizard.form();
    std::vector<int> headerLefts, pageLefts, barLefts;
    std::vector<std::uint64_t> stepStarts;
    int lastHeader = form.PnlHeader.Left();
    wizard.host.onPump = [&] {
        if (form.PnlHeader.Left() != lastHeader) {
            lastHeader = form.PnlHeader.Left();
            headerLefts.push_back(form.PnlHeader.Left());
            pageLefts.push_back(form.PageControl.Left());
            barLefts.push_back(form.PnlButtons.Left());
            stepStarts.push_back(wizard.clock.now);
        }
        wizard.clock.Advance(1);
    };
    wizard.click("&Next");
    ASSERT_EQ(headerLefts.size(), 22u);
    EXPECT_EQ(headerLefts[0], 110);
    EXPECT_EQ(pageLefts[0], -30);
    EXPECT_EQ(headerLefts[10], 810);  // 770 pixels away, outside the client area
    EXPECT_EQ(pageLefts[10], -730);
    EXPECT_EQ(barLefts[10], 810);
    EXPECT_EQ(headerLefts[21], 40);
    EXPECT_EQ(pageLefts[21], 40);
    EXPECT_EQ(barLefts[21], 40);
    // More than 40 ms per step out, more than 1/15 s per step in.
    EXPECT_EQ(stepStarts[1] - stepStarts[0], 41u);
    EXPECT_EQ(stepStarts[12] - stepStarts[11], 67u);
    EXPECT_EQ(wizard.activePanel(), "PnlDisclaimer");
    EXPECT_FALSE(form.Sliding);
}

TEST(ShowPanel, ButtonClicksDoNothingWhileASlideRuns) {
    Wizard wizard;
    int clicksDuringSlide = 0;
    wizard.host.onPump = [&] {
        wizard.clock.Advance(5);
        if (!wizard.form().Sliding) return;
        // The old panel's buttons during the slide-out, the new one's during the slide-in.
        ++clicksDuringSlide;
        wizard.alt('N');
        wizard.alt('E');
    };
    wizard.click("&Next");
    EXPECT_GT(clicksDuringSlide, 0);
    EXPECT_EQ(wizard.activePanel(), "PnlDisclaimer");
    EXPECT_FALSE(wizard.form().Closed());
    auto& welcome = static_cast<TPnlWelcome&>(*wizard.form().Panels()[0]);
    EXPECT_FALSE(welcome.Timer1.Enabled());
}

TEST(ShowPanel, AFailureBeforeTheSlideInBringsTheControlsHomeAndShowsTheErrorPanel) {
    for (const char* failIn : {"SetButtons", "BeforeShow", "AfterShow"}) {
        SCOPED_TRACE(failIn);
        Wizard wizard;
        std::vector<std::string> log;
        auto probe = std::make_unique<ProbePanel>("Probe", log);
        probe->failIn = failIn;
        wizard.form().RegisterPanel(std::move(probe));
        wizard.app.Dispatch([&] { wizard.form().ShowPanel("Probe", true); });

        TFormMain& form = wizard.form();
        EXPECT_EQ(wizard.activePanel(), "PnlError");
        EXPECT_EQ(wizard.header(), "Error");
        EXPECT_EQ(PnlError->StaticText1.Caption(), std::string(failIn) + " failed");
        EXPECT_EQ(form.PnlHeader.Left(), 40);
        EXPECT_EQ(form.PageControl.Left(), 40);
        EXPECT_EQ(form.PnlButtons.Left(), 40);
        EXPECT_FALSE(form.Sliding);
        EXPECT_EQ(wizard.bar().LeftButton(1).Caption(), "&Exit");
    }
}

TEST(ShowPanel, AFailureReportedInTheMiddleOfASlideEndsOnTheErrorPanel) {
    Wizard wizard;
    int pumps = 0;
    wizard.host.onPump = [&] {
        wizard.clock.Advance(5);
        // A timer handler failing while the slide pumps messages.
        if (++pumps == 4) wizard.app.Dispatch([] { throw std::runtime_error("timer failed"); });
    };
    wizard.click("&Next");
    TFormMain& form = wizard.form();
    EXPECT_EQ(wizard.activePanel(), "PnlError");
    EXPECT_EQ(form.PnlHeader.Left(), 40);
    EXPECT_EQ(form.PageControl.Left(), 40);
    EXPECT_EQ(form.PnlButtons.Left(), 40);
    EXPECT_FALSE(form.Sliding);
}

TEST(ErrorPanel, ExitClosesTheWindowAndSilentAbortsAreDropped) {
    Wizard wizard;
    wizard.app.Dispatch([] { throw EAbort(); });
    EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
    wizard.app.Dispatch([] { throw EInOutError(112); });
    EXPECT_EQ(PnlError->StaticText1.Caption(), "Disk Full");
    wizard.click("&Exit");
    EXPECT_TRUE(wizard.form().Closed());
}

TEST(FadeIn, GoesUpBySixteenAndJumpsTo255OnTheSixteenthTick) {
    Wizard wizard;
    TFormMain& form = wizard.form();
    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.AlphaBlend());
    EXPECT_EQ(form.AlphaBlendValue(), 0);
    std::vector<int> values;
    for (int tick = 0; tick < 20 && form.AlphaBlendTimer.Enabled(); ++tick) {
        form.AlphaBlendTimer.Tick();
        values.push_back(form.AlphaBlendValue());
    }
    std::vector<int> expected;
    for (int v = 16; v <= 240; v += 16) expected.push_back(v);
    expected.push_back(255);  // the sixteenth tick jumps to opaque and stops the timer
    EXPECT_EQ(values, expected);
    EXPECT_FALSE(form.AlphaBlendTimer.Enabled());
}

TEST(FadeIn, ShowingAPanelMidwayLeavesTheWindowOpaque) {
    Wizard wizard;
    wizard.form().Show();
    for (int i = 0; i < 5; ++i) wizard.form().AlphaBlendTimer.Tick();
    wizard.click("&Next");
    EXPECT_FALSE(wizard.form().AlphaBlend());
    EXPECT_FALSE(wizard.form().AlphaBlendTimer.Enabled());
}

TEST(StartTimer, StartsTheUnattendedUpgradeOnlyWithTheSwitch) {
    {
        Wizard wizard({"/autoupdate", "C:\\Some", "Folder"});
        // Through the top-level handler, as the message loop runs it: the
        // unattended upgrade ends the process at its end.
        wizard.app.Dispatch([&] { wizard.form().Timer1.Tick(); });
        EXPECT_FALSE(wizard.form().Timer1.Enabled());
        EXPECT_EQ(wizard.header(), "Upgrading Torvane P2P");
        EXPECT_EQ(wizard.activePanel(), "PNLUpgradeUpgrading");
        EXPECT_GT(wizard.host.pumps, 0);  // with the slide
        EXPECT_EQ(wizard.processes.exitCode, 0);
    }
    {
        Wizard wizard;
        wizard.form().Timer1.Tick();
        EXPECT_FALSE(wizard.form().Timer1.Enabled());
        EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
    }
}

TEST(StartUp, TheWelcomeTimerRunsFromConstructionAndNextStopsIt) {
    Wizard wizard;
    auto& welcome = static_cast<TPnlWelcome&>(*wizard.form().Panels()[0]);
    EXPECT_TRUE(welcome.Timer1.Enabled());
    EXPECT_EQ(welcome.Timer1.Interval(), 50u);
    wizard.click("&Next");
    EXPECT_FALSE(welcome.Timer1.Enabled());
}

}  // namespace
}  // namespace torvane
