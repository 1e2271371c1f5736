// The game's rules: the start of a round, the judging and scoring of a click, the end of a
// game, the prompt clock, and the first text of the score fields.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "fw/Date.h"
#include "fw/Exceptions.h"
#include "fw/Random.h"
#include "fw/Text.h"
#include "game/FudaCanvas.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"
#include "game/TitleLadder.h"
#include "game/Use.h"

namespace game {

namespace {

// Truncation toward zero into an Integer. A clock that gives NaN or a value beyond the
// Integer range (only a broken or hostile clock does) saturates instead of converting out of
// range.
std::int64_t Truncate(double value) {
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (std::isnan(value)) return 0;
    if (value >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
    if (value < -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(std::trunc(value));
}

// A running total saturates rather than wrap around.
std::int64_t Add(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    return sum;
}

}  // namespace

void KarutaWindow::StartButton_Action(const std::shared_ptr<fw::PushButton>&) {
    auto random = std::make_shared<fw::Random>();
    auto now = std::make_shared<fw::Date>();
    Use(Label1(), "Label1").SetVisible(false);
    Use(OdaiField(), "OdaiField").SetText("");
    GameStarted = true;
    StartTime = now->TotalSeconds();
    // Round ten was dealt and never answered: the game ends first, and this press deals
    // round 1 of the next one. games stays True from round ten's start.
    if (10 <= Kaisu)
        EndGame();
    else
        games = true;
    Kaisu = Kaisu + 1;
    Use(KaisuField(), "KaisuField").SetText(fw::Str(Kaisu));
    for (std::int64_t k = 0; k <= 99; ++k) (*r)(k) = k;
    for (std::int64_t j = 0; j <= 9; ++j) {
        (*FudaNum)(j) = (*r)(j + (Kaisu - 1) * 10);
        Fuda(j);
    }
    OdaiNum = (*FudaNum)(random->InRange(0, 9));
}

bool KarutaWindow::FudaCanvas_MouseDown(const std::shared_ptr<fw::Canvas>& sender, std::int64_t,
                                        std::int64_t) {
    const std::int64_t slot =
        Use(fw::RuntimeCheckCast<game::FudaCanvas>(sender), "card face").Index();
    Seikai = (*FudaNum)(slot) == OdaiNum;
    auto now = std::make_shared<fw::Date>();
    OKtime = now->TotalSeconds();
    MyTime = OKtime - StartTime;
    // Every click stops the clock and shows the whole poem, scored or not.
    Use(OdaiField(), "OdaiField").SetText((*OdaiString)(OdaiNum));
    GameStarted = false;
    if (games) {
        auto& label = Use(Label1(), "Label1");
        if (Seikai) {
            label.SetText("正解");
            label.SetVisible(true);
            // A clock set back during the round makes the elapsed time negative; no answer
            // can be quicker than an instant one, so it scores at most the 20 of an instant.
            MyPoint = Truncate(20.0 - std::max(MyTime, 0.0));
            games = false;
        } else {
            label.SetText("ハズレ");
            label.SetVisible(true);
            MyPoint = 0;
        }
        Use(TimeField(), "TimeField").SetText(fw::Str(MyTime));
        Use(ScoreFiled(), "ScoreFiled").SetText(fw::Str(MyPoint));
        TotalPoint = Add(TotalPoint, MyPoint);
        Use(TotalScoreField(), "TotalScoreField").SetText(fw::Str(TotalPoint));
        // An equal total rewrites the field too.
        if (TotalPoint >= HighScore) {
            HighScore = TotalPoint;
            Use(HighScoreField(), "HighScoreField").SetText(fw::Str(HighScore));
        }
    }
    // Outside the scoring step: in round ten any click ends the game.
    if (10 <= Kaisu) EndGame();
    return false;
}

void KarutaWindow::EndGame() {
    Kaisu = 0;
    for (std::int64_t i = 0; i <= 9; ++i) Use(FudaCanvas(i), "card face").SetBackdrop(nullptr);
    Use(OdaiField(), "OdaiField").SetText("");
    shogo = ShogoForPoint(TotalPoint);
    auto& message = Use(Use(MessageWindow::Implicit(), "result window").Message(), "Message");
    const std::string cr = fw::Chr(13);
    message.SetText("ゲーム終了です。" + cr + "あなたの総得点は" + fw::Str(TotalPoint) + "です。" +
                    cr + "あなたの称号は" + shogo + "です。");
    Use(MessageWindow::Implicit(), "result window").Show();
    Use(ShogoText(), "ShogoText").SetText(shogo);
    TotalPoint = 0;
}

void KarutaWindow::MyTimer_Action(const std::shared_ptr<fw::Timer>& sender) {
    auto now = std::make_shared<fw::Date>();
    if (GameStarted) {
        OKtime = now->TotalSeconds();
        MyTime = OKtime - StartTime;
        // A clock set back during the round gives a negative count, and Left gives nothing.
        const std::int64_t shown = Truncate(MyTime);
        Use(OdaiField(), "OdaiField").SetText(fw::Left((*OdaiString)(OdaiNum), shown));
        Use(sender, "timer").SetPeriod(1000);
    }
    Use(TimeField(), "TimeField").SetText(fw::Str(MyTime));
    Use(ScoreFiled(), "ScoreFiled").SetText(fw::Str(MyPoint));
    Use(TotalScoreField(), "TotalScoreField").SetText(fw::Str(TotalPoint));
}

void KarutaWindow::ScoreFiled_Open(const std::shared_ptr<fw::TextField>& sender) {
    Use(sender, "ScoreFiled").SetText(fw::Str(MyPoint));
}

void KarutaWindow::TotalScoreField_Open(const std::shared_ptr<fw::TextField>& sender) {
    Use(sender, "TotalScoreField").SetText(fw::Str(TotalPoint));
}

void KarutaWindow::KaisuField_Open(const std::shared_ptr<fw::TextField>&) {
    // By name on the window, not through the sender.
    Use(KaisuField(), "KaisuField").SetText(fw::Str(Kaisu));
}

void KarutaWindow::HighScoreField_Open(const std::shared_ptr<fw::TextField>& sender) {
    Use(sender, "HighScoreField").SetText(fw::Str(HighScore));
}

}  // namespace game
