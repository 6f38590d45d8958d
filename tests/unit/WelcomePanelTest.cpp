#include <gtest/gtest.h>

#include "fakes/WizardFixture.h"
#include "lib/LIB_Random.h"
#include "panels/PNL_Welcome.h"

namespace torvane {
namespace {

using testing::Wizard;

TPnlWelcome& Welcome(Wizard& wizard) {
    return static_cast<TPnlWelcome&>(*wizard.form().Panels()[0]);
}

TEST(WelcomePanel, TheWordsStartWhereTheLayoutPutsThemAndTheFirstTickMovesDownload) {
    const struct {
        const char* caption;
        int left, top;
        ui::Color color;
    } expected[] = {
        {"Download", 32, 16, ui::colors::Red},        {"Search", 64, 88, ui::colors::Red},
        {"Share", 136, 304, ui::colors::Red},         {"P2P", 88, 192, ui::colors::Yellow},
        {"Easy", 248, 112, ui::colors::Maroon},       {"Secure", 232, 200, ui::colors::White},
        {"Encryption", 256, 328, ui::colors::Yellow}, {"Fast", 264, 24, ui::colors::Maroon},
    };
    Wizard wizard;
    TPnlWelcome& panel = Welcome(wizard);
    for (int i = 0; i < TPnlWelcome::kWords; ++i) {
        SCOPED_TRACE(expected[i].caption);
        const ui::Label& word = panel.Word(i);
        EXPECT_EQ(word.Name(), "lblMove" + std::to_string(i + 1));
        EXPECT_EQ(word.Caption(), expected[i].caption);
        EXPECT_EQ(word.Left(), expected[i].left);
        EXPECT_EQ(word.Top(), expected[i].top);
        EXPECT_EQ(word.GetFont().color, expected[i].color);
        EXPECT_TRUE(word.GetFont().bold && word.GetFont().pixels == 21 && word.Transparent());
        // The bounces need a real extent: wider than 10 pixels a letter, a line high.
        EXPECT_GT(word.Width(), 10 * static_cast<int>(std::string(expected[i].caption).size()));
        EXPECT_GE(word.Height(), 21);
    }
    panel.Timer1.Tick();
    EXPECT_EQ(panel.lblMove1.Left(), 34);
    EXPECT_EQ(panel.lblMove1.Top(), 21);
}

// How many draws moved the generator on from `seed`, and the direction the
// draw after `skip` of them gave (a draw of 0 means up or left).
int DrawsSince(std::uint32_t seed) {
    int draws = 0;
    for (; seed != RandSeed && draws < 100; ++draws) seed = seed * 134775813u + 1u;
    return draws;
}
bool DrawnDirection(std::uint32_t seed, int skip) {
    const std::uint32_t saved = RandSeed;
    RandSeed = seed;
    for (int i = 0; i < skip; ++i) Random(2);
    const bool direction = Random(2) == 0;
    RandSeed = saved;
    return direction;
}

TEST(WelcomePanel, AWordBouncesOffEachEdgeItHitsAndRedrawsPerEdge) {
    constexpr int kEdge = -1;   // the right or bottom edge less the word's size
    constexpr int kDrawn = -1;  // the direction the last re-draw gave
    const struct {
        const char* what;
        int left, top;
        bool up, leftwards;
        int expectedLeft, expectedTop, expectedUp, expectedLeftwards, bounces;
    } cases[] = {
        {"left", 2, 100, false, true, 0, 105, kDrawn, 0, 1},
        {"right", 510, 100, false, false, kEdge, 105, kDrawn, 1, 1},
        {"top", 100, 3, true, false, 105, 0, 0, kDrawn, 1},
        {"bottom", 100, 350, false, false, 105, kEdge, 1, kDrawn, 1},
        {"top left corner", 2, 3, true, true, 0, 0, 0, kDrawn, 2},
        {"top right corner", 510, 3, true, false, kEdge, 0, 0, kDrawn, 2},
        {"bottom right corner", 510, 350, false, false, kEdge, kEdge, 1, kDrawn, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Wizard wizard;
        TPnlWelcome& panel = Welcome(wizard);
        for (int i = 1; i < TPnlWelcome::kWords; ++i) {  // the others far from every edge
            panel.Word(i).SetBounds(200, 150, panel.Word(i).Width(), panel.Word(i).Height());
            panel.StepX[i] = panel.StepY[i] = 2;
        }
        ui::Label& word = panel.Word(0);
        word.SetBounds(c.left, c.top, word.Width(), word.Height());
        panel.MoveUp[0] = c.up;
        panel.MoveLeft[0] = c.leftwards;
        panel.StepY[0] = panel.StepX[0] = 5;
        const std::uint32_t seed = RandSeed;
        panel.Timer1.Tick();

        EXPECT_EQ(word.Left(), c.expectedLeft == kEdge ? 513 - word.Width() : c.expectedLeft);
        EXPECT_EQ(word.Top(), c.expectedTop == kEdge ? 377 - word.Height() : c.expectedTop);
        EXPECT_EQ(DrawsSince(seed), 3 * c.bounces);  // direction, StepY, StepX per bounce
        const bool drawn = DrawnDirection(seed, 3 * (c.bounces - 1));
        EXPECT_EQ(panel.MoveUp[0], c.expectedUp == kDrawn ? drawn : c.expectedUp == 1);
        EXPECT_EQ(panel.MoveLeft[0],
                  c.expectedLeftwards == kDrawn ? drawn : c.expectedLeftwards == 1);
    }
}

TEST(WelcomePanel, WordsStayInsideWithStepsSummingToAtLeastThreeAfterEveryTick) {
    Wizard wizard;
    TPnlWelcome& panel = Welcome(wizard);
    for (int tick = 0; tick < 3000; ++tick) {
        panel.Timer1.Tick();
        for (int i = 0; i < TPnlWelcome::kWords; ++i) {
            const ui::Bounds b = panel.Word(i).GetBounds();
            ASSERT_GE(panel.StepX[i] + panel.StepY[i], 3) << "tick " << tick << " word " << i;
            ASSERT_TRUE(panel.StepX[i] <= 5 && panel.StepY[i] <= 5);
            ASSERT_TRUE(b.left >= 0 && b.left + b.width <= 513 && b.top >= 0 &&
                        b.top + b.height <= 377);
        }
    }
}

TEST(WelcomePanel, AfterNextAndPreviousNoWordMoves) {
    Wizard wizard;
    TPnlWelcome& panel = Welcome(wizard);
    wizard.click("&Next");
    wizard.click("&Previous");
    ASSERT_EQ(wizard.activePanel(), "PnlWelcome");
    const ui::Bounds before = panel.lblMove1.GetBounds();
    for (int tick = 0; tick < 20; ++tick) panel.Timer1.Tick();
    EXPECT_EQ(panel.lblMove1.GetBounds(), before);
}

}  // namespace
}  // namespace torvane
