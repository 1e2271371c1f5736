// Thousands of random presses, clicks (on faces and anywhere on the window), ticks, clock
// moves (now and then backwards) and closings of the result window, in random order. After
// every event the game keeps its invariants, and the event made the move its state table
// allows from the state before it, with the points its rules give.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>

#include "fw/Runtime.h"
#include "fw/Text.h"
#include "fw/testing/Player.h"
#include "unit/hardening/GameInvariants.h"
#include "unit/hardening/GameSnapshot.h"
#include "unit/hardening/HardeningTest.h"

namespace hardening {
namespace {

using gametest::CountCharacters;

constexpr int kEvents = 3000;

struct Box {
    int left, top, width, height;
    bool Contains(int x, int y, int margin) const {
        return x >= left - margin && x < left + width + margin && y >= top - margin &&
               y < top + height + margin;
    }
    bool Inside(int x, int y, int margin) const {
        return x >= left + margin && x < left + width - margin && y >= top + margin &&
               y < top + height - margin;
    }
};

Box BoxOf(const fw::RectControl& control) {
    return {static_cast<int>(control.Left()), static_cast<int>(control.Top()),
            static_cast<int>(control.Width()), static_cast<int>(control.Height())};
}

// What a click at a window point lands on: a face (0 to 9), the start button (10), or
// something without a handler (-1). Points on an edge, where a pixel decides, give -2. The
// places are the window's own controls'.
int Target(const game::KarutaWindow& window, int x, int y) {
    for (int j = 0; j < 10; ++j) {
        const Box face = BoxOf(*window.FudaCanvas(j));
        if (face.Inside(x, y, 1)) return j;
        if (face.Contains(x, y, 1)) return -2;
    }
    const Box start = BoxOf(*window.StartButton());
    if (start.Inside(x, y, 1)) return 10;
    if (start.Contains(x, y, 1)) return -2;
    return -1;
}

class EventStormTest : public HardeningTest, public ::testing::WithParamInterface<std::uint32_t> {
protected:
    // Each check adds a failure naming the event; true when all held.
    bool CheckPress(const GameSnapshot& b, const GameSnapshot& a, const std::string& event);
    bool CheckClick(const GameSnapshot& b, std::int64_t slot, const GameSnapshot& a,
                    const std::string& event);
    bool CheckTick(const GameSnapshot& b, const GameSnapshot& a, const std::string& event);

    std::array<int, 10> promptSlots_{};
};

#define STORM_EXPECT(condition)                                                                 \
    if (!(condition)) {                                                                         \
        ADD_FAILURE() << event << ": " #condition "\n  before: " << ::testing::PrintToString(b) \
                      << "\n  after: " << ::testing::PrintToString(a);                          \
        return false;                                                                           \
    }

bool EventStormTest::CheckPress(const GameSnapshot& b, const GameSnapshot& a,
                                const std::string& event) {
    STORM_EXPECT(StateOf(a) == GameState::RoundRunning);
    STORM_EXPECT(a.StartTime == Now());
    STORM_EXPECT(!a.label1Visible);
    STORM_EXPECT(a.odaiText.empty());
    if (b.Kaisu < 10) {
        STORM_EXPECT(a.Kaisu == b.Kaisu + 1);
        STORM_EXPECT(a.TotalPoint == b.TotalPoint);
        STORM_EXPECT(a.resultWindows == b.resultWindows && a.resultText == b.resultText);
        STORM_EXPECT(a.shogoText == b.shogoText);
    } else {
        // Round ten left unanswered: the game ends first, then round 1 of the next is dealt.
        STORM_EXPECT(a.Kaisu == 1);
        STORM_EXPECT(a.TotalPoint == 0);
        STORM_EXPECT(a.resultWindows == 1 && a.resultText == ResultTextFor(b.TotalPoint));
        STORM_EXPECT(a.shogoText == TitleFor(b.TotalPoint));
    }
    for (std::int64_t j = 0; j < 10; ++j) STORM_EXPECT(a.FudaNum[j] == (a.Kaisu - 1) * 10 + j);
    STORM_EXPECT(a.kaisuText == fw::Str(a.Kaisu));
    STORM_EXPECT(a.HighScore == b.HighScore && a.MyPoint == b.MyPoint);
    ++promptSlots_[static_cast<std::size_t>(a.OdaiNum % 10)];
    return true;
}

bool EventStormTest::CheckClick(const GameSnapshot& b, std::int64_t slot, const GameSnapshot& a,
                                const std::string& event) {
    const bool right = b.FudaNum[slot] == b.OdaiNum;
    const double elapsed = Now() - b.StartTime;
    STORM_EXPECT(a.Seikai == right);
    STORM_EXPECT(a.MyTime == elapsed && a.OKtime == Now());
    STORM_EXPECT(!a.GameStarted);
    STORM_EXPECT(a.FudaNum == b.FudaNum && a.OdaiNum == b.OdaiNum);
    std::int64_t total = b.TotalPoint, high = b.HighScore;
    if (b.games) {
        const std::int64_t points =
            right ? static_cast<std::int64_t>(std::trunc(20.0 - std::max(elapsed, 0.0))) : 0;
        total += points;
        if (total >= high) high = total;
        STORM_EXPECT(a.MyPoint == points);
        STORM_EXPECT(a.label1Visible && a.label1Text == (right ? "正解" : "ハズレ"));
        STORM_EXPECT(a.games == !right);
        STORM_EXPECT(a.scoreText == fw::Str(points) && a.timeText == fw::Str(elapsed));
    } else {
        STORM_EXPECT(a.MyPoint == b.MyPoint && !a.games);
        STORM_EXPECT(a.label1Visible == b.label1Visible && a.label1Text == b.label1Text);
    }
    STORM_EXPECT(a.HighScore == high);
    if (b.Kaisu >= 10) {
        STORM_EXPECT(StateOf(b) == GameState::RoundRunning);
        STORM_EXPECT(StateOf(a) == GameState::NoGame);
        STORM_EXPECT(a.TotalPoint == 0);
        STORM_EXPECT(a.resultWindows == 1 && a.resultText == ResultTextFor(total));
        STORM_EXPECT(a.shogoText == TitleFor(total));
        STORM_EXPECT(a.odaiText.empty());
        for (const auto& face : a.faces) STORM_EXPECT(face == nullptr);
    } else {
        STORM_EXPECT(a.Kaisu == b.Kaisu && a.TotalPoint == total);
        STORM_EXPECT(a.resultWindows == b.resultWindows && a.resultText == b.resultText);
        STORM_EXPECT(a.odaiText == (*win->OdaiString)(b.OdaiNum));
        // The state table's moves for a click.
        const GameState from = StateOf(b), to = StateOf(a);
        if (from == GameState::NoGame) STORM_EXPECT(to == GameState::NoGame);
        if (from == GameState::RoundWon) STORM_EXPECT(to == GameState::RoundWon);
        if (from == GameState::RoundRunning || from == GameState::RoundMissed)
            STORM_EXPECT(to == (right ? GameState::RoundWon : GameState::RoundMissed));
    }
    return true;
}

bool EventStormTest::CheckTick(const GameSnapshot& b, const GameSnapshot& a,
                               const std::string& event) {
    STORM_EXPECT(a.Kaisu == b.Kaisu && a.GameStarted == b.GameStarted && a.games == b.games);
    STORM_EXPECT(a.TotalPoint == b.TotalPoint && a.MyPoint == b.MyPoint &&
                 a.HighScore == b.HighScore);
    STORM_EXPECT(a.FudaNum == b.FudaNum && a.OdaiNum == b.OdaiNum && a.Seikai == b.Seikai);
    STORM_EXPECT(a.scoreText == fw::Str(a.MyPoint) && a.totalText == fw::Str(a.TotalPoint));
    if (b.GameStarted) {
        STORM_EXPECT(a.MyTime == Now() - b.StartTime);
        const std::int64_t poem = CountCharacters((*win->OdaiString)(a.OdaiNum));
        const double count = std::trunc(a.MyTime);
        const std::int64_t shown = count <= 0 ? 0
                                   : count >= static_cast<double>(poem)
                                       ? poem
                                       : static_cast<std::int64_t>(count);
        STORM_EXPECT(CountCharacters(a.odaiText) == shown);
    } else {
        STORM_EXPECT(a.MyTime == b.MyTime && a.odaiText == b.odaiText);
    }
    return true;
}

TEST_P(EventStormTest, EveryEventKeepsTheRulesAndMakesAnAllowedMove) {
    std::mt19937 rng(GetParam());
    auto chance = [&rng](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
    };
    auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    // Ticks come from the storm alone, at moments it chooses.
    win->MyTimer()->SetRunMode(0);
    GameInvariants invariants;
    int presses = 0, clicks = 0, ticks = 0, gamesEnded = 0;

    for (int i = 0; i < kEvents; ++i) {
        const GameSnapshot b = GameSnapshot::Of(*win);
        std::ostringstream name;
        name << "event " << i << " (seed " << GetParam() << ")";
        bool held = true;
        const int kind = pick(0, 99);
        if (kind < 15) {
            name << ": press";
            Press();
            ++presses;
            if (b.Kaisu >= 10) ++gamesEnded;
            held = CheckPress(b, GameSnapshot::Of(*win), name.str());
        } else if (kind < 45) {
            const int slot = pick(0, 9);
            name << ": click on face " << slot << " at +" << (Now() - b.StartTime) << " s";
            ClickSlot(slot);
            ++clicks;
            if (b.Kaisu >= 10) ++gamesEnded;
            held = CheckClick(b, slot, GameSnapshot::Of(*win), name.str());
        } else if (kind < 60) {
            const int x = pick(0, 569), y = pick(0, 509), target = Target(*win, x, y);
            if (target == -2) continue;
            name << ": click at " << x << "," << y;
            fw::testing::ClickWindowAt(*win, x, y);
            const GameSnapshot a = GameSnapshot::Of(*win);
            if (target == 10) {
                ++presses;
                if (b.Kaisu >= 10) ++gamesEnded;
                held = CheckPress(b, a, name.str() + " (the start button)");
            } else if (target >= 0) {
                ++clicks;
                if (b.Kaisu >= 10) ++gamesEnded;
                held =
                    CheckClick(b, target, a, name.str() + " (face " + std::to_string(target) + ")");
            } else {
                EXPECT_EQ(a, b) << name.str() << ": a click where no handler lies changed the game";
                held = a == b;
            }
        } else if (kind < 80) {
            name << ": tick";
            Tick();
            ++ticks;
            held = CheckTick(b, GameSnapshot::Of(*win), name.str());
        } else if (kind < 93) {
            // Mostly forward in fractions of a second; now and then the clock is set back.
            Wait(chance(8) ? -pick(1, 40) : pick(0, 3000) / 1000.0);
            continue;
        } else if (kind < 97) {
            name << ": OK on the result window";
            if (!ResultWindow()) continue;
            PressOK();
            EXPECT_EQ(OpenResultWindows(), 0u) << name.str();
        } else {
            name << ": the result window's close box, then the event loop";
            if (auto result = ResultWindow()) result->ClosedByUser();
            fw::ProcessEvents();
            EXPECT_EQ(OpenResultWindows(), 0u) << name.str();
        }
        held = invariants.Check(*win, name.str()) && held;
        ASSERT_TRUE(held) << "stopping the storm at the first broken rule";
        const auto reported = TakeUnhandled();
        ASSERT_TRUE(reported.empty()) << name.str() << ": unhandled " << reported.front();
    }
    RecordProperty("presses", presses);
    RecordProperty("clicks", clicks);
    RecordProperty("ticks", ticks);
    RecordProperty("games", gamesEnded);
    EXPECT_GT(gamesEnded, 0) << "the storm ended no game";
    for (std::size_t slot = 0; slot < 10; ++slot)
        EXPECT_GT(promptSlots_[slot], 0)
            << "in " << presses << " deals the prompt never lay on slot " << slot;
}

INSTANTIATE_TEST_SUITE_P(Seeds, EventStormTest, ::testing::Values(1u, 20240607u, 987654321u));

}  // namespace
}  // namespace hardening
