// The end of a game: the result text and title, what is reset and what is kept, and the one
// result window.
#include <gtest/gtest.h>

#include <algorithm>

#include "fw/testing/Player.h"
#include "support/GameTest.h"

namespace rules {
namespace {

using gametest::GameTest;

// Ten rounds answered right after the same number of seconds each: the game ends on the
// tenth click.
class EndOfGame : public GameTest {
protected:
    void PlayGame(double seconds) {
        for (int n = 1; n <= 10; ++n) PlayRound(seconds);
    }
};

TEST_F(EndOfGame, TheResultTextIsThreeLinesJoinedByCrAlone) {
    PlayGame(7.0);  // 13 points each: 130
    const std::string text = ResultText();
    EXPECT_EQ(text, "ゲーム終了です。\rあなたの総得点は130です。\rあなたの称号は左大臣です。");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 2);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.back(), '\r');
    EXPECT_TRUE(ResultWindow()->Message()->MultiLine()) << "so the three lines show as three";
    EXPECT_EQ(win->ShogoText()->Text(), "左大臣");
}

TEST_F(EndOfGame, ANegativeTotalKeepsItsMinusSign) {
    PlayRound(32.0);  // -12
    for (int n = 2; n <= 10; ++n) Press();
    Press();
    EXPECT_EQ(ResultText(),
              "ゲーム終了です。\rあなたの総得点は-12です。\rあなたの称号は詠み人知らずです。");
    EXPECT_EQ(win->ShogoText()->Text(), "詠み人知らず");
}

TEST_F(EndOfGame, TheTopTitleForAPerfectGame) {
    PlayGame(0.0);
    EXPECT_EQ(ResultText(),
              "ゲーム終了です。\rあなたの総得点は200です。\rあなたの称号は大歌聖です。");
    EXPECT_EQ(win->HighScore, 200);
}

TEST_F(EndOfGame, KeepsTheHighScoreThroughLaterGamesAndTheFieldsItDoesNotOwn) {
    PlayGame(5.0);  // 150
    ASSERT_EQ(win->HighScore, 150);
    EXPECT_EQ(win->MyPoint, 15) << "the last click's points stay";
    EXPECT_EQ(win->ScoreFiled()->Text(), "15");
    Tick();
    EXPECT_EQ(win->TotalScoreField()->Text(), "0") << "the next tick shows the reset total";
    EXPECT_EQ(win->ScoreFiled()->Text(), "15");
    PlayGame(15.0);  // 50: a worse game
    EXPECT_EQ(win->HighScore, 150);
    EXPECT_EQ(win->HighScoreField()->Text(), "150");
    EXPECT_EQ(win->ShogoText()->Text(), "さきもり") << "the title is the last game's";
}

TEST_F(EndOfGame, AResultWindowStillOpenIsReused) {
    PlayGame(10.0);  // 100
    auto first = ResultWindow();
    ASSERT_TRUE(first);
    first->SetWidth(500);  // the player resized it; it is not rebuilt
    PlayGame(12.0);        // 80
    EXPECT_EQ(ResultWindow(), first);
    EXPECT_EQ(OpenResultWindows(), 1u);
    EXPECT_EQ(first->Width(), 500);
    EXPECT_EQ(first->Message()->Text(),
              "ゲーム終了です。\rあなたの総得点は80です。\rあなたの称号は中納言です。");
}

TEST_F(EndOfGame, AfterOkTheNextGameEndBuildsANewWindowFromItsDesign) {
    PlayGame(10.0);
    auto first = ResultWindow();
    ASSERT_TRUE(first);
    first->SetWidth(500);
    fw::testing::Click(*first->OKButton());
    EXPECT_FALSE(first->IsOpen());
    EXPECT_EQ(OpenResultWindows(), 0u);
    EXPECT_TRUE(win->IsOpen()) << "the game window goes on";
    PlayGame(10.0);
    auto second = ResultWindow();
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Width(), 388);
    EXPECT_EQ(second->Height(), 100);
    EXPECT_EQ(OpenResultWindows(), 1u);
}

TEST_F(EndOfGame, TheCloseBoxClosesTheResultWindowAsOkDoes) {
    PlayGame(10.0);
    auto first = ResultWindow();
    ASSERT_TRUE(first);
    first->ClosedByUser();  // what the close box does
    EXPECT_FALSE(ResultWindow());
    PlayGame(10.0);
    ASSERT_TRUE(ResultWindow());
    EXPECT_NE(ResultWindow(), first);
}

TEST_F(EndOfGame, TheGameWindowPlaysOnWhileTheResultWindowIsOpen) {
    PlayGame(10.0);
    ASSERT_TRUE(ResultWindow());
    PlayRound(1.0);
    EXPECT_EQ(win->Kaisu, 1);
    EXPECT_EQ(win->TotalPoint, 19);
    EXPECT_TRUE(ResultWindow()->IsOpen());
}

}  // namespace
}  // namespace rules
