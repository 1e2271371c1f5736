// A click on a card face: the verdict, the frozen clock, the points, the fields and the high
// score.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "fw/Text.h"
#include "fw/testing/Player.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using gametest::FirstCharacters;
using gametest::GameTest;
using gametest::kT0;

using ClickScoring = GameTest;

// Points of a right click by the seconds since the round began, one round each, the total
// adding up over the rounds.
TEST_F(ClickScoring, RightClickPointsBySeconds) {
    struct Case {
        double seconds;
        std::int64_t points;
    };
    const Case cases[] = {{0.0, 20}, {0.4, 19},  {3.7, 16}, {19.5, 0},
                          {20.9, 0}, {21.0, -1}, {25.5, -5}};
    std::int64_t total = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        Press();
        Wait(c.seconds);
        ClickSlot(RightSlot());
        total += c.points;
        EXPECT_EQ(win->MyPoint, c.points);
        EXPECT_EQ(win->ScoreFiled()->Text(), fw::Str(c.points));
        EXPECT_EQ(win->TotalPoint, total);
        EXPECT_EQ(win->TotalScoreField()->Text(), fw::Str(total));
        EXPECT_EQ(win->Label1()->Text(), "正解");
        EXPECT_TRUE(win->Label1()->Visible());
        EXPECT_TRUE(win->Seikai);
        EXPECT_FALSE(win->games);
        EXPECT_NEAR(win->MyTime, c.seconds, 1e-6);
        EXPECT_EQ(win->TimeField()->Text(), fw::Str(win->MyTime));
        Wait(1.0);
    }
}

TEST_F(ClickScoring, AWrongClickThenTheRightOneScoresFromTheRoundStart) {
    Press();
    Wait(2.0);
    ClickSlot(WrongSlot());
    EXPECT_FALSE(win->Seikai);
    EXPECT_EQ(win->Label1()->Text(), "ハズレ");
    EXPECT_TRUE(win->Label1()->Visible());
    EXPECT_EQ(win->MyPoint, 0);
    EXPECT_EQ(win->ScoreFiled()->Text(), "0");
    EXPECT_EQ(win->TimeField()->Text(), "2");
    EXPECT_TRUE(win->games) << "the round stays open";
    Wait(3.0);
    ClickSlot(RightSlot());
    EXPECT_EQ(win->Label1()->Text(), "正解");
    EXPECT_EQ(win->MyPoint, 15);
    EXPECT_EQ(win->TotalPoint, 15);
    EXPECT_EQ(win->TimeField()->Text(), "5");
}

TEST_F(ClickScoring, ClicksAfterTheRightOneScoreNothing) {
    PlayRound(4.0);  // 16 points
    ASSERT_EQ(win->TotalPoint, 16);
    const std::string poem = win->OdaiField()->Text();
    Wait(3.0);
    ClickSlot(RightSlot());
    Wait(1.0);
    ClickSlot(WrongSlot());
    EXPECT_EQ(win->TotalPoint, 16);
    EXPECT_EQ(win->MyPoint, 16);
    EXPECT_EQ(win->Label1()->Text(), "正解") << "the label keeps its verdict";
    EXPECT_FALSE(win->Seikai) << "the later click is still judged";
    EXPECT_EQ(win->OdaiField()->Text(), poem);
    // The click froze the clock at its own moment but did not write the time field; the
    // next tick does.
    EXPECT_DOUBLE_EQ(win->MyTime, 8.0);
    EXPECT_EQ(win->TimeField()->Text(), "4");
    Wait(5.0);
    Tick();
    EXPECT_EQ(win->TimeField()->Text(), "8");
}

TEST_F(ClickScoring, EveryClickStopsTheClockAndShowsTheWholePoem) {
    Press();
    Wait(3.0);
    Tick();
    ASSERT_EQ(win->OdaiField()->Text(), FirstCharacters((*win->OdaiString)(win->OdaiNum), 3));
    Wait(1.5);
    ClickSlot(WrongSlot());
    EXPECT_FALSE(win->GameStarted);
    EXPECT_EQ(win->OdaiField()->Text(), (*win->OdaiString)(win->OdaiNum));
    EXPECT_FALSE(win->OdaiField()->Text().empty());
    Wait(10.0);
    Tick();
    EXPECT_DOUBLE_EQ(win->MyTime, 4.5) << "a tick after the click leaves the clock frozen";
    EXPECT_EQ(win->OdaiField()->Text(), (*win->OdaiString)(win->OdaiNum));
}

// Where on the face the press lands does not matter; a real click at window coordinates
// reaches the face inside its frame.
TEST_F(ClickScoring, TheFaceIsJudgedWhereverItIsPressed) {
    Press();
    Wait(1.0);
    const auto face = win->FudaCanvas(RightSlot());
    fw::testing::ClickWindowAt(*win, static_cast<int>(face->Left() + 1),
                               static_cast<int>(face->Top() + face->Height() - 2));
    EXPECT_EQ(win->Label1()->Text(), "正解");
    EXPECT_EQ(win->MyPoint, 19);
    EXPECT_FALSE(win->FudaCanvas(0)->MouseDown.Raise(win->FudaCanvas(0), 5, 5))
        << "the handler answers False";
}

// What a click can change.
struct ClickState {
    bool seikai, games, started, labelVisible;
    std::int64_t point, total, high, kaisu;
    double time;
    std::string label, prompt, timeField, scoreField;
    std::size_t results;
    bool operator==(const ClickState&) const = default;
};

// Only the left button judges a card: a right or middle click on any face does nothing,
// before the first round, during one, and in round ten, where any judged click ends the game.
TEST_F(ClickScoring, OnlyTheLeftButtonJudgesACard) {
    const auto state = [this] {
        return ClickState{win->Seikai,
                          win->games,
                          win->GameStarted,
                          win->Label1()->Visible(),
                          win->MyPoint,
                          win->TotalPoint,
                          win->HighScore,
                          win->Kaisu,
                          win->MyTime,
                          win->Label1()->Text(),
                          win->OdaiField()->Text(),
                          win->TimeField()->Text(),
                          win->ScoreFiled()->Text(),
                          OpenResultWindows()};
    };
    const auto otherButtonsDoNothing = [&](const char* when) {
        SCOPED_TRACE(when);
        const ClickState before = state();
        Wait(1.0);
        for (auto button : {fw::testing::MouseButton::Right, fw::testing::MouseButton::Middle})
            for (std::int64_t slot = 0; slot <= 9; ++slot) {
                fw::testing::Click(*win->FudaCanvas(slot), button);
                EXPECT_TRUE(state() == before) << "slot " << slot;
            }
    };
    otherButtonsDoNothing("before the first round");
    Press();
    Tick();
    otherButtonsDoNothing("during round 1");
    // The same place with the left button is judged.
    fw::testing::Click(*win->FudaCanvas(RightSlot()), fw::testing::MouseButton::Left);
    EXPECT_EQ(win->Label1()->Text(), "正解");
    EXPECT_EQ(win->MyPoint, 19);
    for (int n = 2; n <= 9; ++n) PlayRound(10.0);
    Press();
    otherButtonsDoNothing("in round 10");
    ClickSlot(WrongSlot());
    EXPECT_EQ(OpenResultWindows(), 1u) << "a left click in round ten ends the game";
}

TEST_F(ClickScoring, AClickBeforeTheFirstRoundIsJudgedButNotScored) {
    ClickSlot(7);
    EXPECT_TRUE(win->Seikai) << "every slot holds card 0, and so does the prompt";
    EXPECT_FALSE(win->Label1()->Visible());
    EXPECT_EQ(win->MyPoint, 0);
    EXPECT_EQ(win->TotalPoint, 0);
    EXPECT_EQ(win->OdaiField()->Text(), (*win->OdaiString)(0));
    EXPECT_DOUBLE_EQ(win->MyTime, kT0) << "the round start is still 0";
    EXPECT_EQ(win->TimeField()->Text(), "");
    Tick();
    EXPECT_EQ(win->TimeField()->Text(), fw::Str(kT0));
    EXPECT_FALSE(ResultWindow());
}

TEST_F(ClickScoring, RoundTenEndedByARightClick) {
    for (int n = 1; n <= 9; ++n) PlayRound(10.0);  // 10 points each: 90
    Press();
    Wait(7.2);
    ClickSlot(RightSlot());  // 12 points
    EXPECT_EQ(win->Label1()->Text(), "正解");
    EXPECT_EQ(win->MyPoint, 12);
    EXPECT_EQ(ResultText(),
              "ゲーム終了です。\rあなたの総得点は102です。\rあなたの称号は中納言です。");
    EXPECT_EQ(win->ShogoText()->Text(), "中納言");
    EXPECT_EQ(win->TotalPoint, 0);
    EXPECT_EQ(win->HighScore, 102);
    EXPECT_EQ(win->HighScoreField()->Text(), "102");
    EXPECT_EQ(win->TotalScoreField()->Text(), "102") << "until the next tick";
    EXPECT_EQ(win->Kaisu, 0);
    EXPECT_EQ(win->KaisuField()->Text(), "10");
    EXPECT_FALSE(win->games);
    EXPECT_EQ(win->OdaiField()->Text(), "");
    for (std::int64_t j = 0; j <= 9; ++j) {
        EXPECT_FALSE(win->FudaCanvas(j)->Backdrop()) << "face " << j << " is blank";
        EXPECT_TRUE(win->CardCanvas(j)->Backdrop()) << "frame " << j << " keeps its picture";
        EXPECT_EQ((*win->FudaNum)(j), 90 + j) << "the blank faces keep their cards";
    }
    // Nothing scores until the next press; a click shows the last prompt again.
    const std::int64_t lastPrompt = win->OdaiNum;
    ClickSlot(lastPrompt - 90);
    EXPECT_EQ(win->TotalPoint, 0);
    EXPECT_EQ(win->OdaiField()->Text(), (*win->OdaiString)(lastPrompt));
    EXPECT_EQ(win->Kaisu, 0);
}

TEST_F(ClickScoring, RoundTenEndedByAWrongClickLeavesTheRoundScoring) {
    for (int n = 1; n <= 9; ++n) PlayRound(15.0);  // 5 points each: 45
    Press();
    const double roundTenStart = Now();
    Wait(3.0);
    const std::int64_t prompt = win->OdaiNum;
    ClickSlot(WrongSlot());
    EXPECT_EQ(win->Label1()->Text(), "ハズレ");
    EXPECT_EQ(win->MyPoint, 0);
    EXPECT_EQ(ResultText(),
              "ゲーム終了です。\rあなたの総得点は45です。\rあなたの称号はさきもりです。");
    EXPECT_EQ(win->Kaisu, 0);
    EXPECT_TRUE(win->games) << "a wrong click closes no round";
    // The blank faces are still judged against round ten; the one that held the prompt
    // scores from round ten's start into the new total, and no game ends.
    SetClock(roundTenStart + 6.5);
    ClickSlot(WrongSlot());
    EXPECT_EQ(win->Label1()->Text(), "ハズレ");
    EXPECT_EQ(win->TotalPoint, 0);
    ClickSlot(prompt - 90);
    EXPECT_EQ(win->Label1()->Text(), "正解");
    EXPECT_EQ(win->MyPoint, 13);
    EXPECT_EQ(win->TotalPoint, 13);
    EXPECT_EQ(win->HighScore, 45) << "13 is below the high score";
    EXPECT_EQ(win->Kaisu, 0);
    EXPECT_EQ(ResultText(),
              "ゲーム終了です。\rあなたの総得点は45です。\rあなたの称号はさきもりです。");
    // That total carries into the next game.
    PlayRound(2.0);
    EXPECT_EQ(win->Kaisu, 1);
    EXPECT_EQ(win->TotalPoint, 31);
}

TEST_F(ClickScoring, HighScoreRisesOnEqualTotalsAndNeverFalls) {
    PlayRound(10.0);  // total 10
    EXPECT_EQ(win->HighScore, 10);
    EXPECT_EQ(win->HighScoreField()->Text(), "10");
    // The player clears the field; a total equal to the high score writes it again.
    win->HighScoreField()->SetText("");
    Press();
    Wait(1.0);
    ClickSlot(WrongSlot());  // total stays 10
    EXPECT_EQ(win->HighScoreField()->Text(), "10");
    // A total below the high score leaves the field as it stands.
    Wait(30.0);
    ClickSlot(RightSlot());  // -11: total -1
    ASSERT_EQ(win->TotalPoint, -1);
    EXPECT_EQ(win->HighScore, 10);
    win->HighScoreField()->SetText("typed");
    Press();
    Wait(1.0);
    ClickSlot(WrongSlot());
    EXPECT_EQ(win->HighScoreField()->Text(), "typed");
    EXPECT_EQ(win->HighScore, 10);
}

TEST_F(ClickScoring, ANegativeFirstTotalLeavesTheHighScoreAtZero) {
    PlayRound(32.0);  // -12
    EXPECT_EQ(win->TotalPoint, -12);
    EXPECT_EQ(win->TotalScoreField()->Text(), "-12");
    EXPECT_EQ(win->HighScore, 0);
    EXPECT_EQ(win->HighScoreField()->Text(), "0");
}

// Only a broken clock gives these; the points saturate and nothing converts out of range.
TEST_F(ClickScoring, ABrokenClockSaturatesThePointsInsteadOfOverflowing) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
    Press();
    SetClock(std::numeric_limits<double>::quiet_NaN());
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, 0);
    EXPECT_EQ(win->TimeField()->Text(), "NaN");
    SetClock(kT0);
    Press();
    SetClock(1e300);
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, kLowest);
    SetClock(kT0);
    Press();
    SetClock(std::numeric_limits<double>::infinity());
    ClickSlot(RightSlot());
    EXPECT_EQ(win->MyPoint, kLowest);
    EXPECT_EQ(win->TotalPoint, kLowest) << "the total stops at the lowest Integer";
    EXPECT_EQ(win->HighScore, 0);
}

}  // namespace
}  // namespace rules
