#include "unit/hardening/GameSnapshot.h"

#include "game/MessageWindow.h"
#include "game/testing/Play.h"

namespace hardening {

GameSnapshot GameSnapshot::Of(const game::KarutaWindow& w) {
    GameSnapshot s;
    s.OdaiNum = w.OdaiNum;
    for (std::int64_t j = 0; j <= w.FudaNum->Ubound(); ++j) s.FudaNum.push_back((*w.FudaNum)(j));
    s.Seikai = w.Seikai;
    s.MyPoint = w.MyPoint;
    s.TotalPoint = w.TotalPoint;
    s.OKtime = w.OKtime;
    s.StartTime = w.StartTime;
    s.MyTime = w.MyTime;
    s.GameStarted = w.GameStarted;
    s.Kaisu = w.Kaisu;
    s.shogo = w.shogo;
    s.HighScore = w.HighScore;
    s.games = w.games;
    s.odaiText = w.OdaiField()->Text();
    s.timeText = w.TimeField()->Text();
    s.scoreText = w.ScoreFiled()->Text();
    s.totalText = w.TotalScoreField()->Text();
    s.kaisuText = w.KaisuField()->Text();
    s.highScoreText = w.HighScoreField()->Text();
    s.shogoText = w.ShogoText()->Text();
    s.label1Text = w.Label1()->Text();
    s.label1Visible = w.Label1()->Visible();
    for (std::int64_t j = 0; j <= 9; ++j) {
        s.faces.push_back(w.FudaCanvas(j)->Backdrop());
        s.frames.push_back(w.CardCanvas(j)->Backdrop());
    }
    s.resultWindows = game::testing::OpenResultWindows();
    if (auto result = game::testing::ResultWindow()) s.resultText = result->Message()->Text();
    return s;
}

void PrintTo(const GameSnapshot& s, std::ostream* out) {
    *out << "{Kaisu " << s.Kaisu << ", GameStarted " << s.GameStarted << ", games " << s.games
         << ", OdaiNum " << s.OdaiNum << ", FudaNum[0] " << (s.FudaNum.empty() ? -1 : s.FudaNum[0])
         << ", Seikai " << s.Seikai << ", MyPoint " << s.MyPoint << ", TotalPoint " << s.TotalPoint
         << ", HighScore " << s.HighScore << ", StartTime " << s.StartTime << ", MyTime "
         << s.MyTime << ", OKtime " << s.OKtime << ", shogo \"" << s.shogo << "\", fields odai \""
         << s.odaiText << "\" time \"" << s.timeText << "\" score \"" << s.scoreText
         << "\" total \"" << s.totalText << "\" kaisu \"" << s.kaisuText << "\" high \""
         << s.highScoreText << "\" shogo \"" << s.shogoText << "\", Label1 \"" << s.label1Text
         << "\" " << (s.label1Visible ? "shown" : "hidden") << ", result windows "
         << s.resultWindows << "}";
}

}  // namespace hardening
