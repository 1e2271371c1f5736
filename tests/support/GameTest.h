#pragma once

// The one fixture of the game's tests, with the helpers the game's test folders share.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fw/Picture.h"
#include "fw/testing/Seams.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"

namespace gametest {

// A moment well inside the range a real clock gives; whole, so that round-start offsets in
// tenths of a second subtract without surprises.
inline constexpr double kT0 = 1'700'000'000.0;

// Each test runs on a clock it moves (or makes raise) from kT0 and a seed source that hands
// out 1, 2, 3 ... (fw::testing::Seams). Exceptions that reach the event dispatch are
// collected; a test that provokes them takes them with TakeUnhandled(), and any left over fail
// the test. Every window is closed at the end. Opens no window itself.
class SeamTest : public ::testing::Test, protected fw::testing::Seams {
protected:
    SeamTest() : Seams(kT0) {}
    void TearDown() override;
};

// The game window opened fresh for each test on those seams, its pictures read from the
// build's picture folder, and the player's actions on it through the framework's event path.
class GameTest : public SeamTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void Press();
    // Fails the test, naming the slot, when the slot holds no card face.
    void ClickSlot(std::int64_t slot);
    void Tick();
    void PressOK();

    // The slot whose card answers the prompt (the test fails when none does), and one that
    // does not.
    std::int64_t RightSlot() const;
    std::int64_t WrongSlot() const;
    // Press, wait, click the right card: one scored round.
    void PlayRound(double seconds);

    // The result window if one is open, its text, and how many are open.
    std::shared_ptr<game::MessageWindow> ResultWindow() const;
    std::string ResultText() const;
    std::size_t OpenResultWindows() const;

    std::shared_ptr<game::KarutaWindow> win;
};

// The picture of card number n, through the program's own accessors.
std::shared_ptr<fw::Picture> CardPicture(std::int64_t n);

// The characters (code points) of a UTF-8 text, counted without the framework or the game.
std::int64_t CountCharacters(std::string_view utf8);
// The first `count` characters of a poem, split by the game's own splitter rather than the
// framework's Left.
std::string FirstCharacters(const std::string& text, std::int64_t count);

}  // namespace gametest
