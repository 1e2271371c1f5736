#pragma once

#include <cstdint>
#include <string>

#include "game/KarutaWindow.h"
#include "unit/hardening/GameSnapshot.h"

namespace hardening {

// The rules that hold between any two events, whatever came before: the round count 0 to 10,
// card numbers 0 to 99 with the prompt among the dealt cards, one of the four game states, a
// high score that never falls below 0 or below what it was, the faces showing the dealt
// cards, the fields showing the state, at most one result window. Keeps the high score seen
// last, so one checker follows one window.
class GameInvariants {
public:
    // Adds a test failure naming `context` for each broken rule; true when all held.
    bool Check(const game::KarutaWindow& window, const std::string& context);
    bool Check(const game::KarutaWindow& window, const GameSnapshot& s, const std::string& context);

private:
    std::int64_t highScore_ = 0;
};

// The game states of the window's state table; Invalid is none of them.
enum class GameState { NoGame, RoundRunning, RoundMissed, RoundWon, Invalid };

GameState StateOf(const GameSnapshot& s);
const char* NameOf(GameState state);

// The title a total earns, and the result text of a game with that total.
std::string TitleFor(std::int64_t total);
std::string ResultTextFor(std::int64_t total);

}  // namespace hardening
