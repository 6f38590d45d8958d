#include <gtest/gtest.h>

#include "fakes/WizardFixture.h"
#include "lib/LIB_Random.h"
#include "panels/PNL_Welcome.h"

namespace torvane {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequenceFromSeedZero) {
    RandSeed = 0;
    // seed 1, then 1 * 134775813 + 1 = 134775814, then the next step mod 2^32.
    EXPECT_EQ(Random(1000), 0u);
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(1000), static_cast<std::uint32_t>((134775814ull * 1000) >> 32));
    const std::uint32_t third = static_cast<std::uint32_t>(134775814ull * 134775813ull + 1);
    EXPECT_EQ(Random(0x80000000u), third >> 1);
    EXPECT_EQ(RandSeed, third);
}

TEST(Random, DrawsStayBelowTheLimit) {
    RandSeed = 0;
    for (std::uint32_t n : {1u, 2u, 5u, 7u, 0xFFFFFFFFu})
        for (int i = 0; i < 1000; ++i) ASSERT_LT(Random(n), n);
    EXPECT_EQ(Random(0), 0u);
}

TEST(Random, TheWelcomeWordsAreTheProgramsFirstDraws) {
    testing::Wizard wizard;
    auto& welcome = static_cast<TPnlWelcome&>(*wizard.form().Panels().at(0));
    struct Row {
        bool up, left;
        int stepY, stepX;
    };
    const Row expected[8] = {{false, false, 5, 2}, {false, true, 2, 1}, {false, false, 1, 3},
                             {false, true, 1, 2},  {true, false, 4, 2}, {true, true, 4, 2},
                             {false, false, 3, 2}, {true, false, 3, 1}};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE("word " + std::to_string(i + 1));
        EXPECT_EQ(welcome.MoveUp[i], expected[i].up);
        EXPECT_EQ(welcome.MoveLeft[i], expected[i].left);
        EXPECT_EQ(welcome.StepY[i], expected[i].stepY);
        EXPECT_EQ(welcome.StepX[i], expected[i].stepX);
    }
}

}  // namespace
}  // namespace torvane
