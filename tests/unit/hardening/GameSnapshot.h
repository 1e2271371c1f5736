#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fw/Picture.h"
#include "game/KarutaWindow.h"

namespace hardening {

// Everything of the game a handler may change: the state properties, what the controls show,
// and the result window.
struct GameSnapshot {
    std::int64_t OdaiNum = 0;
    std::vector<std::int64_t> FudaNum;
    bool Seikai = false;
    std::int64_t MyPoint = 0, TotalPoint = 0;
    double OKtime = 0, StartTime = 0, MyTime = 0;
    bool GameStarted = false;
    std::int64_t Kaisu = 0;
    std::string shogo;
    std::int64_t HighScore = 0;
    bool games = false;

    std::string odaiText, timeText, scoreText, totalText, kaisuText, highScoreText, shogoText;
    std::string label1Text;
    bool label1Visible = false;
    std::vector<std::shared_ptr<fw::Picture>> faces, frames;

    std::size_t resultWindows = 0;
    std::string resultText;

    static GameSnapshot Of(const game::KarutaWindow& window);

    friend bool operator==(const GameSnapshot&, const GameSnapshot&) = default;
    friend void PrintTo(const GameSnapshot& s, std::ostream* out);
};

}  // namespace hardening
