// Each panel on its own, with a fake navigator instead of the main window:
// what its bar buttons ask of the wizard.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Appl_Globals.h"
#include "app/QvButtonBar.h"
#include "base/Exceptions.h"
#include "base/InstallLayout.h"
#include "fakes/FakeNavigator.h"
#include "panels/PNL_Disclaimer.h"
#include "panels/PNL_InstallInstalling.h"
#include "panels/PNL_UpgradeUpgrading.h"
#include "panels/WizardPanels.h"

namespace torvane {
namespace {

using testing::FakeNavigator;
using testing::FakePlatform;

class PanelOnItsOwn : public ::testing::Test {
protected:
    PanelOnItsOwn() { testing::ResetProgramState(); }

    // Clicks the visible bar button with this caption; false when there is none.
    bool Click(const std::string& caption) {
        for (int slot = 1; slot <= tQvButtonBar::kSlots; ++slot) {
            for (ui::TLbSpeedButton* button : {&bar.LeftButton(slot), &bar.RightButton(slot)}) {
                if (!button->Visible() || button->Caption() != caption) continue;
                button->MouseDown();
                button->MouseUp(true);
                return true;
            }
        }
        return false;
    }

    FakePlatform fakes;
    FakeNavigator navigator{fakes};
    tQvButtonBar bar{nullptr};
};

// Every panel's "Exit" ends the program once, and does nothing during a slide.
TEST_F(PanelOnItsOwn, ExitEndsTheProgramUnlessASlideRuns) {
    int panelsWithExit = 0;
    for (const PanelFactory& make : WizardPanels()) {
        std::unique_ptr<TFramePanel> panel = make(navigator);
        bar.Clear();
        panel->SetButtons(bar);
        navigator.closes = 0;
        navigator.sliding = true;
        if (!Click("&Exit")) continue;
        ++panelsWithExit;
        EXPECT_EQ(navigator.closes, 0) << panel->Name();
        navigator.sliding = false;
        ASSERT_TRUE(Click("&Exit"));
        EXPECT_EQ(navigator.closes, 1) << panel->Name();
        EXPECT_TRUE(navigator.shown.empty()) << panel->Name();
    }
    // All but the three working panels (installing, searching, upgrading) have one.
    EXPECT_EQ(panelsWithExit, 12);
}

// Every "Previous" goes back one panel with a slide, and does nothing while
// a slide runs (the folder panels then keep their folder, too).
TEST_F(PanelOnItsOwn, PreviousGoesBackOnePanelUnlessASlideRuns) {
    const std::map<std::string, std::string> back = {
        {"PnlDisclaimer", "PnlWelcome"},
        {"PnlInstall", "PnlDisclaimer"},
        {"PnlInstallChooseDir", "PnlInstall"},
        {"PNLInstallChooseDownloadDir", "PnlInstallChooseDir"},
        {"PNLInstallChooseConnection", "PNLInstallChooseDownloadDir"},
        {"PNLInstallToolbar", "PNLInstallChooseConnection"},
        {"PNLInstallGo", "PnlInstallToolbar"},
        {"PNLUpgradeStart", "PnlInstall"},
    };
    std::vector<std::string> withPrevious;
    for (const PanelFactory& make : WizardPanels()) {
        std::unique_ptr<TFramePanel> panel = make(navigator);
        bar.Clear();
        panel->SetButtons(bar);
        navigator.shown.clear();
        navigator.animated.clear();
        InstallDir = DownloadDir = "D:\\Kept\\";
        navigator.sliding = true;
        if (!Click("&Previous")) continue;
        withPrevious.push_back(panel->Name());
        EXPECT_TRUE(navigator.shown.empty()) << panel->Name();
        EXPECT_EQ(InstallDir, "D:\\Kept\\") << panel->Name();
        EXPECT_EQ(DownloadDir, "D:\\Kept\\") << panel->Name();
        navigator.sliding = false;
        ASSERT_TRUE(Click("&Previous"));
        const auto expected = back.find(panel->Name());
        ASSERT_NE(expected, back.end()) << panel->Name();
        EXPECT_EQ(navigator.shown, std::vector<std::string>{expected->second}) << panel->Name();
        EXPECT_EQ(navigator.animated, std::vector<bool>{true}) << panel->Name();
    }
    EXPECT_EQ(withPrevious.size(), back.size());
}

TEST_F(PanelOnItsOwn, DisclaimerGoesOnOnlyWithTheBoxTickedAndBackToTheWelcome) {
    TPnlDisclaimer panel(navigator);
    panel.SetButtons(bar);
    panel.BeforeShow();

    ASSERT_TRUE(Click("&Next"));
    EXPECT_TRUE(navigator.shown.empty());
    ASSERT_EQ(fakes.host.messages.size(), 1u);
    EXPECT_EQ(fakes.host.messages[0].rfind("You can only install Torvane P2P in case you agree", 0),
              0u);

    panel.CheckBox1.SetChecked(true);
    navigator.sliding = true;
    ASSERT_TRUE(Click("&Next"));
    EXPECT_TRUE(navigator.shown.empty());  // a slide runs: nothing happens
    navigator.sliding = false;
    ASSERT_TRUE(Click("&Next"));
    ASSERT_TRUE(Click("&Previous"));
    EXPECT_EQ(navigator.shown, (std::vector<std::string>{"PnlInstall", "PnlWelcome"}));
    EXPECT_EQ(navigator.animated, (std::vector<bool>{true, true}));
    EXPECT_EQ(fakes.host.messages.size(), 1u);
}

// One step of the install sequence, run on its own: no wizard, no other step.
TEST_F(PanelOnItsOwn, TheUninstallEntryStepFailsQuietlyForAStandardUser) {
    TPNLInstallInstalling panel(navigator);
    InstallDir = "D:\\Apps\\";
    // Written only beside its list and the uninstaller that carries it out.
    fakes.files.MakeFolders(InstallDir);
    fakes.files.WriteText(InstallDir + "Uninstall.Exe", "uninstaller");
    std::vector<SequenceStep> steps = panel.Steps();
    const auto named = [&steps](const std::string& name) {
        return *std::find_if(steps.begin(), steps.end(),
                             [&](const SequenceStep& s) { return s.name == name; });
    };
    EXPECT_TRUE(
        RunSequence({named("installation folder"), named("uninstaller"), named("uninstall list")})
            .empty());
    const auto found = std::find_if(steps.begin(), steps.end(), [](const SequenceStep& s) {
        return s.name == "uninstall entry";
    });
    ASSERT_NE(found, steps.end());
    EXPECT_EQ(found->kind, SequenceStep::Kind::Quiet);

    fakes.registry.refuse = true;
    EXPECT_EQ(StepNames(RunSequence({*found})), std::vector<std::string>{"uninstall entry"});
    EXPECT_TRUE(fakes.registry.values.empty());

    fakes.registry.refuse = false;
    EXPECT_TRUE(RunSequence({*found}).empty());
    const std::string key = layout::kUninstallKey;
    EXPECT_EQ(fakes.registry.values[std::make_pair(key, std::string("DisplayName"))],
              "Torvane P2P");
    EXPECT_EQ(fakes.registry.values[std::make_pair(key, std::string("UninstallString"))],
              "\"D:\\Apps\\Uninstall.Exe\"");
    EXPECT_TRUE(navigator.shown.empty());
}

TEST_F(PanelOnItsOwn, InstallStepsHaveDistinctNames) {
    TPNLInstallInstalling panel(navigator);
    std::vector<std::string> names;
    for (const SequenceStep& step : panel.Steps()) names.push_back(step.name);
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(names.front(), "installation folder");
    EXPECT_EQ(names.back(), "uninstall entry");
}

// The upgrade's client step on its own: a client locked throughout is tried
// 21 times and fails quietly; the failure it held back is raised only by the
// later step that checks the outcome.
TEST_F(PanelOnItsOwn, TheUpgradesClientStepHoldsItsFailureBackForTheOutcomeStep) {
    TPNLUpgradeUpgrading panel(navigator);
    InstallDir = "D:\\Apps\\";
    fakes.files.MakeFolders(InstallDir);
    fakes.files.uncreatable.insert(InstallDir + "Torvane.Exe");
    const std::vector<SequenceStep> steps = panel.Steps();
    const auto step = [&steps](const std::string& name) {
        const auto found = std::find_if(steps.begin(), steps.end(),
                                        [&](const SequenceStep& s) { return s.name == name; });
        if (found == steps.end()) throw std::logic_error("no step " + name);
        return *found;
    };
    const SequenceStep client = step("client");
    const SequenceStep outcome = step("client replaced");
    EXPECT_EQ(client.kind, SequenceStep::Kind::Quiet);
    EXPECT_EQ(outcome.kind, SequenceStep::Kind::Essential);

    EXPECT_NO_THROW(RunSequence({outcome})) << "nothing held back yet";
    const std::vector<QuietFailure> failures = RunSequence({client});
    EXPECT_EQ(StepNames(failures), std::vector<std::string>{"client"});
    EXPECT_EQ(fakes.clock.sleptMs, 21u * 15u * 1000u);
    EXPECT_THROW(RunSequence({outcome}), EFCreateError);

    // Once the client can be written, the next run holds nothing back.
    fakes.files.uncreatable.clear();
    EXPECT_TRUE(RunSequence({client, outcome}).empty());
    EXPECT_TRUE(fakes.files.ReadText(InstallDir + "Torvane.Exe").has_value());
    EXPECT_TRUE(navigator.shown.empty());
}

TEST_F(PanelOnItsOwn, UpgradeStepsHaveDistinctNames) {
    TPNLUpgradeUpgrading panel(navigator);
    std::vector<std::string> names;
    for (const SequenceStep& step : panel.Steps()) names.push_back(step.name);
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(names.front(), "unattended folder");
    EXPECT_EQ(names.back(), "100 %");
}

}  // namespace
}  // namespace torvane
