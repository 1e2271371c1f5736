// The start button: the deal, the prompt draw, the clock start, and the end of an unanswered
// tenth round.
#include <gtest/gtest.h>

#include <set>

#include "fw/Text.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using gametest::CardPicture;
using gametest::GameTest;
using gametest::kT0;

using RoundStart = GameTest;

TEST_F(RoundStart, FirstPressDealsCardsZeroToNineAndStartsTheClock) {
    Wait(2.5);
    Press();
    EXPECT_EQ(win->Kaisu, 1);
    EXPECT_EQ(win->KaisuField()->Text(), "1");
    for (std::int64_t j = 0; j <= 9; ++j) {
        EXPECT_EQ((*win->FudaNum)(j), j);
        ASSERT_TRUE(CardPicture(j)) << "card picture " << j << " did not load";
        EXPECT_EQ(win->FudaCanvas(j)->Backdrop(), CardPicture(j)) << "slot " << j;
    }
    EXPECT_GE(win->OdaiNum, 0);
    EXPECT_LE(win->OdaiNum, 9);
    EXPECT_TRUE(win->games);
    EXPECT_TRUE(win->GameStarted);
    EXPECT_DOUBLE_EQ(win->StartTime, kT0 + 2.5);
    EXPECT_EQ(win->TotalPoint, 0);
    EXPECT_FALSE(win->Label1()->Visible());
    EXPECT_EQ(win->OdaiField()->Text(), "");
}

TEST_F(RoundStart, TenPressesDealEveryCardOnceInBlocksOfTen) {
    std::set<std::int64_t> dealt;
    for (std::int64_t n = 1; n <= 10; ++n) {
        Press();
        ASSERT_EQ(win->Kaisu, n);
        EXPECT_EQ(win->KaisuField()->Text(), fw::Str(n));
        for (std::int64_t j = 0; j <= 9; ++j) {
            EXPECT_EQ((*win->FudaNum)(j), (n - 1) * 10 + j) << "round " << n << " slot " << j;
            EXPECT_EQ(win->FudaCanvas(j)->Backdrop(), CardPicture((n - 1) * 10 + j));
            dealt.insert((*win->FudaNum)(j));
        }
        EXPECT_GE(win->OdaiNum, (n - 1) * 10);
        EXPECT_LE(win->OdaiNum, (n - 1) * 10 + 9);
    }
    EXPECT_EQ(dealt.size(), 100u);
    EXPECT_FALSE(ResultWindow()) << "ten presses end no game";
}

// Each press makes its own generator and draws the prompt's slot with InRange(0, 9).
TEST_F(RoundStart, EachPressDrawsThePromptFromItsOwnGenerator) {
    for (int press = 1; press <= 12; ++press) {
        const std::uint64_t seedsBefore = SeedsDrawn();
        Press();
        ASSERT_EQ(SeedsDrawn(), seedsBefore + 1) << "one new generator per press";
        const std::int64_t slot = FirstDraw(SeedsDrawn(), 0, 9);
        EXPECT_EQ(win->OdaiNum, (*win->FudaNum)(slot)) << "press " << press;
    }
}

TEST_F(RoundStart, OverManyPressesEverySlotHoldsThePrompt) {
    std::set<std::int64_t> promptSlots;
    for (int press = 0; press < 300 && promptSlots.size() < 10; ++press) {
        Press();
        promptSlots.insert(RightSlot());
    }
    EXPECT_EQ(promptSlots.size(), 10u);
}

TEST_F(RoundStart, APressAfterAClickHidesTheVerdictAndClearsThePoem) {
    Press();
    Wait(4.0);
    ClickSlot(WrongSlot());
    ASSERT_TRUE(win->Label1()->Visible());
    ASSERT_NE(win->OdaiField()->Text(), "");
    Wait(1.0);
    Press();
    EXPECT_FALSE(win->Label1()->Visible());
    EXPECT_EQ(win->OdaiField()->Text(), "");
    EXPECT_TRUE(win->GameStarted);
    EXPECT_EQ(win->Kaisu, 2);
}

TEST_F(RoundStart, AnUnansweredRoundScoresNothingAndStillCounts) {
    PlayRound(3.0);  // 17 points
    Press();         // round 2, never answered
    Wait(8.0);
    Press();
    EXPECT_EQ(win->Kaisu, 3);
    EXPECT_EQ(win->TotalPoint, 17);
    EXPECT_TRUE(win->games);
}

TEST_F(RoundStart, AnEleventhPressEndsTheGameAndDealsRoundOneInTheSamePress) {
    for (int n = 1; n <= 9; ++n) PlayRound(6.0);  // 14 points each: 126
    Press();                                      // round 10, never answered
    Wait(30.0);
    const double pressTime = Now();
    Press();
    auto result = ResultWindow();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Message()->Text(),
              "ゲーム終了です。\rあなたの総得点は126です。\rあなたの称号は右大臣です。");
    EXPECT_EQ(win->ShogoText()->Text(), "右大臣");
    EXPECT_EQ(win->shogo, "右大臣");
    EXPECT_EQ(win->TotalPoint, 0);
    EXPECT_EQ(win->Kaisu, 1);
    EXPECT_EQ(win->KaisuField()->Text(), "1");
    for (std::int64_t j = 0; j <= 9; ++j) {
        EXPECT_EQ((*win->FudaNum)(j), j);
        EXPECT_EQ(win->FudaCanvas(j)->Backdrop(), CardPicture(j)) << "slot " << j;
    }
    // The new round's clock runs from this press and it takes a scoring click.
    EXPECT_TRUE(win->GameStarted);
    EXPECT_TRUE(win->games);
    EXPECT_DOUBLE_EQ(win->StartTime, pressTime);
    Wait(2.0);
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, 18);
    EXPECT_EQ(win->TotalPoint, 18);
}

TEST_F(RoundStart, TenUnansweredRoundsThenAPressEndWithNothing) {
    for (int n = 1; n <= 10; ++n) {
        Press();
        Wait(5.0);
    }
    Press();
    EXPECT_EQ(ResultText(),
              "ゲーム終了です。\rあなたの総得点は0です。\rあなたの称号は詠み人知らずです。");
    EXPECT_EQ(win->ShogoText()->Text(), "詠み人知らず");
    EXPECT_EQ(win->HighScore, 0);
    EXPECT_EQ(win->Kaisu, 1);
}

TEST_F(RoundStart, APressAfterAGameEndedByAClickDealsRoundOneWithoutEndingAnother) {
    for (int n = 1; n <= 10; ++n) PlayRound(1.0);  // 19 points each
    ASSERT_EQ(win->Kaisu, 0);
    ResultWindow()->Close();
    Press();
    EXPECT_EQ(win->Kaisu, 1);
    EXPECT_EQ(OpenResultWindows(), 0u);
    EXPECT_EQ(win->ShogoText()->Text(), "大歌聖");
    EXPECT_EQ((*win->FudaNum)(0), 0);
}

}  // namespace
}  // namespace rules
