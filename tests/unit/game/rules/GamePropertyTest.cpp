// Thousands of random presses, clicks, ticks and clock moves: the game state keeps its
// invariants after every one.
#include <gtest/gtest.h>

#include <random>

#include "fw/Text.h"
#include "fw/testing/Player.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using gametest::GameTest;

using GameProperties = GameTest;

TEST_F(GameProperties, RandomPlayKeepsTheStateInvariants) {
    constexpr std::uint32_t kSeed = 20240917;
    std::mt19937 chance(kSeed);
    std::int64_t highScore = 0;
    bool dealt = false;
    int gamesEnded = 0;
    for (int step = 0; step < 6000; ++step) {
        const std::int64_t roundBefore = win->Kaisu;
        const int action = std::uniform_int_distribution<int>(0, 99)(chance);
        if (action < 12) {
            Press();
            dealt = true;
        } else if (action < 55) {
            ClickSlot(std::uniform_int_distribution<std::int64_t>(0, 9)(chance));
        } else if (action < 80) {
            Tick();
        } else if (action < 97) {
            Wait(std::uniform_real_distribution<double>(0.0, 12.0)(chance));
        } else if (action < 98) {
            Wait(-std::uniform_real_distribution<double>(0.0, 30.0)(chance));  // clock set back
        } else if (auto result = ResultWindow()) {
            fw::testing::Click(*result->OKButton());
        }
        if (roundBefore == 10 && win->Kaisu != 10) ++gamesEnded;

        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", step " << step);
        ASSERT_GE(win->Kaisu, 0);
        ASSERT_LE(win->Kaisu, 10);
        ASSERT_GE(win->HighScore, highScore) << "the high score never falls";
        ASSERT_GE(win->HighScore, 0);
        highScore = win->HighScore;
        ASSERT_EQ(win->HighScoreField()->Text(), fw::Str(win->HighScore));
        ASSERT_LE(OpenResultWindows(), 1u);
        for (std::int64_t j = 0; j <= 9; ++j) {
            ASSERT_GE((*win->FudaNum)(j), 0);
            ASSERT_LE((*win->FudaNum)(j), 99);
        }
        if (dealt) {
            bool onBoard = false;
            for (std::int64_t j = 0; j <= 9; ++j) onBoard |= (*win->FudaNum)(j) == win->OdaiNum;
            ASSERT_TRUE(onBoard) << "the prompt is one of the dealt cards";
        }
        if (win->Kaisu > 0) {
            ASSERT_EQ((*win->FudaNum)(0), (win->Kaisu - 1) * 10) << "round n deals its block";
            ASSERT_EQ(win->KaisuField()->Text(), fw::Str(win->Kaisu));
        }
        // The round running state: the clock runs only in a dealt round that takes a click.
        if (win->GameStarted) {
            ASSERT_TRUE(win->games);
            ASSERT_GE(win->Kaisu, 1);
        }
    }
    EXPECT_GT(gamesEnded, 10) << "the walk should end many games";
}

}  // namespace
}  // namespace rules
