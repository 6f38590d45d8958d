#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/WizardFixture.h"
#include "panels/LicenceText.h"
#include "panels/PNL_Disclaimer.h"

namespace torvane {
namespace {

const std::vector<std::string> kLines(kLicenceLines.begin(), kLicenceLines.end());

bool IsHeading(const std::string& line) {
    return !line.empty() && line.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
}

TEST(LicenceText, HasTheAgreementsShapeAndIsTheTextOfAssetsLicenceTxt) {
    ASSERT_EQ(kLines.size(), 47u);
    EXPECT_EQ(kLines[0], "TORVANE P2P LICENSE AGREEMENT");
    EXPECT_EQ(kLines[1], std::string(43, '-'));
    EXPECT_EQ(kLines[2], "");
    int empty = 0, text = 0;
    std::vector<std::size_t> headings, textAfterText;
    for (std::size_t i = 2; i < kLines.size(); ++i) {
        for (char c : kLines[i]) ASSERT_TRUE(c >= 0x20 && c < 0x7f) << "line " << i + 1;
        if (kLines[i].empty()) {
            ++empty;
            EXPECT_FALSE(kLines[i - 1].empty()) << "two empty lines at " << i + 1;
            continue;
        }
        ++text;
        if (IsHeading(kLines[i])) headings.push_back(i);
        if (!kLines[i - 1].empty()) textAfterText.push_back(i);
    }
    EXPECT_EQ(empty, 22);
    EXPECT_EQ(text, 23);
    ASSERT_EQ(headings.size(), 4u);
    // Only the paragraph right after the first heading runs on into the next one.
    EXPECT_EQ(textAfterText, std::vector<std::size_t>{headings[0] + 3});
    EXPECT_FALSE(kLines.back().empty() || IsHeading(kLines.back()));

    std::ifstream file(std::filesystem::path(__FILE__).parent_path() / "../../assets/licence.txt");
    ASSERT_TRUE(file);
    std::vector<std::string> fromFile;
    for (std::string line; std::getline(file, line);) fromFile.push_back(line);
    EXPECT_EQ(fromFile, kLines);
}

class DisclaimerPanel : public ::testing::Test {
protected:
    DisclaimerPanel() { wizard.click("&Next"); }
    TPnlDisclaimer& panel() { return static_cast<TPnlDisclaimer&>(*wizard.form().ActivePanel()); }
    testing::Wizard wizard;
};

TEST_F(DisclaimerPanel, NextIsRefusedUntilTheBoxIsTicked) {
    ASSERT_EQ(wizard.activePanel(), "PnlDisclaimer");
    EXPECT_EQ(panel().MemoDisclaimer.Lines(), kLines);
    EXPECT_TRUE(panel().MemoDisclaimer.ReadOnly());
    EXPECT_EQ(panel().MemoDisclaimer.ScrollRequests(), 1);
    EXPECT_FALSE(panel().CheckBox1.Checked());
    wizard.click("&Next");
    EXPECT_EQ(wizard.activePanel(), "PnlDisclaimer");
    EXPECT_EQ(wizard.host.messages,
              std::vector<std::string>{
                  "You can only install Torvane P2P in case you agree to this statement.\r"
                  "Check the checkbox to confirm.\rOtherwise please press Exit"});

    // Alt+I is the box's accelerator; it clicks the box, ticking and clearing it in turn.
    EXPECT_EQ(ui::AcceleratorOf(panel().CheckBox1.Caption()), 'I');
    panel().CheckBox1.Click();
    panel().CheckBox1.Click();
    EXPECT_FALSE(panel().CheckBox1.Checked());
    panel().CheckBox1.Click();
    EXPECT_TRUE(wizard.alt('N'));
    EXPECT_EQ(wizard.activePanel(), "PnlInstall");
    EXPECT_EQ(wizard.host.messages.size(), 1u);
}

TEST_F(DisclaimerPanel, ComingBackShowsTheTextFromTheTopAndTheBoxClearedAgain) {
    panel().CheckBox1.Click();
    wizard.click("&Next");
    wizard.click("&Previous");
    ASSERT_EQ(wizard.activePanel(), "PnlDisclaimer");
    EXPECT_FALSE(panel().CheckBox1.Checked());
    EXPECT_EQ(panel().MemoDisclaimer.Lines(), kLines);  // refilled, not added to
    EXPECT_EQ(panel().MemoDisclaimer.ScrollRequests(), 2);
    EXPECT_TRUE(wizard.alt('P'));
    EXPECT_EQ(wizard.activePanel(), "PnlWelcome");
}

}  // namespace
}  // namespace torvane
