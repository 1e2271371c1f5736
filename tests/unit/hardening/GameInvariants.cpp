#include "unit/hardening/GameInvariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "fw/Text.h"
#include "game/CardPictures.h"

namespace hardening {

GameState StateOf(const GameSnapshot& s) {
    if (s.Kaisu == 0 && !s.GameStarted) return GameState::NoGame;
    if (s.Kaisu >= 1 && s.Kaisu <= 10 && s.GameStarted && s.games) return GameState::RoundRunning;
    if (s.Kaisu >= 1 && s.Kaisu <= 9 && !s.GameStarted)
        return s.games ? GameState::RoundMissed : GameState::RoundWon;
    return GameState::Invalid;
}

const char* NameOf(GameState state) {
    switch (state) {
        case GameState::NoGame:
            return "no game";
        case GameState::RoundRunning:
            return "round running";
        case GameState::RoundMissed:
            return "round missed";
        case GameState::RoundWon:
            return "round won";
        case GameState::Invalid:
            break;
    }
    return "no state of the table";
}

std::string TitleFor(std::int64_t total) {
    static constexpr std::pair<std::int64_t, const char*> kLadder[] = {
        {170, "大歌聖"}, {160, "歌聖"},   {150, "六歌仙"}, {140, "三十六歌仙"}, {130, "左大臣"},
        {120, "右大臣"}, {110, "大納言"}, {80, "中納言"},  {70, "さきもり"},    {40, "さきもり"}};
    for (const auto& [threshold, title] : kLadder)
        if (threshold <= total) return title;
    return "詠み人知らず";
}

std::string ResultTextFor(std::int64_t total) {
    const std::string cr = "\r";
    return "ゲーム終了です。" + cr + "あなたの総得点は" + std::to_string(total) + "です。" + cr +
           "あなたの称号は" + TitleFor(total) + "です。";
}

bool GameInvariants::Check(const game::KarutaWindow& window, const std::string& context) {
    return Check(window, GameSnapshot::Of(window), context);
}

bool GameInvariants::Check(const game::KarutaWindow& w, const GameSnapshot& s,
                           const std::string& context) {
    bool held = true;
    auto fail = [&](const std::string& what) {
        held = false;
        ADD_FAILURE() << context << ": " << what << "\n  state: " << ::testing::PrintToString(s);
    };
    auto isCard = [](std::int64_t n) { return n >= 0 && n <= 99; };

    if (s.Kaisu < 0 || s.Kaisu > 10) fail("the round count is " + std::to_string(s.Kaisu));
    if (w.FudaNum->Ubound() != 9 || w.OdaiString->Ubound() != 99 || w.r->Ubound() != 99)
        fail("an array changed its bounds");
    if (!std::all_of(s.FudaNum.begin(), s.FudaNum.end(), isCard))
        fail("a dealt card number lies outside 0 to 99");
    if (!isCard(s.OdaiNum)) fail("the prompt's card number is " + std::to_string(s.OdaiNum));
    if (std::find(s.FudaNum.begin(), s.FudaNum.end(), s.OdaiNum) == s.FudaNum.end())
        fail("the prompt's card " + std::to_string(s.OdaiNum) + " is not among the dealt cards");
    if (StateOf(s) == GameState::Invalid)
        fail("the round count, clock and scoring flag make no state of the table");
    if (s.HighScore < 0) fail("the high score is below 0");
    if (s.HighScore < highScore_)
        fail("the high score fell from " + std::to_string(highScore_) + " to " +
             std::to_string(s.HighScore));
    highScore_ = std::max(highScore_, s.HighScore);

    if (s.highScoreText != fw::Str(s.HighScore))
        fail("the high-score field does not show the high score");
    // After a game that a click ended, the round field still shows the 10 of its last round.
    if (s.kaisuText != fw::Str(s.Kaisu) && !(s.Kaisu == 0 && s.kaisuText == "10"))
        fail("the round field does not show the round");
    if (!std::string_view((*w.OdaiString)(s.OdaiNum)).starts_with(s.odaiText))
        fail("the prompt field shows something other than the start of the prompt poem");
    if (s.label1Visible && s.label1Text != "正解" && s.label1Text != "ハズレ")
        fail("the judging label shows \"" + s.label1Text + "\"");
    if (s.shogoText != s.shogo) fail("the title label does not show the title");

    const auto green = game::Green();
    for (std::size_t j = 0; j < 10; ++j) {
        if (s.frames[j] != green)
            fail("frame " + std::to_string(j) + " does not show the green card");
        const auto& face = s.faces[j];
        const bool shown =
            s.Kaisu >= 1 ? face == game::kCardPictures[static_cast<std::size_t>(s.FudaNum[j])]()
                         : face == nullptr || face == green;
        if (!shown) fail("face " + std::to_string(j) + " does not show the card dealt there");
    }

    if (s.resultWindows > 1) fail(std::to_string(s.resultWindows) + " result windows are open");
    if (s.resultWindows == 1) {
        // The text names a total and the title the ladder gives that total.
        const std::string prefix = "ゲーム終了です。\rあなたの総得点は";
        const auto digits = s.resultText.substr(std::min(prefix.size(), s.resultText.size()));
        std::int64_t total = 0;
        try {
            total = std::stoll(digits);
        } catch (const std::exception&) {
            total = -1;
        }
        if (!s.resultText.starts_with(prefix) || s.resultText != ResultTextFor(total))
            fail("the result window shows \"" + s.resultText + "\"");
    }
    return held;
}

}  // namespace hardening
