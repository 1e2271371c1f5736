// Playing: a round start (ten card deals and the repaint of the ten faces), a judged click
// and a timer tick, each with the event processing that follows it. The first game of the
// process loads the card pictures; later games find them loaded.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "bench/Benchmarks.h"
#include "bench/Harness.h"
#include "fw/testing/Player.h"
#include "game/KarutaWindow.h"
#include "game/testing/Play.h"

namespace bench {

namespace {

// Deals a round that a click can score without ending the game (rounds 1 to 9).
void DealScoringRound(game::KarutaWindow& window) {
    do {
        FinishGameIfDue(window);
        PressStart(window);
    } while (window.Kaisu >= 10);
    Pump();
}

void StopOnUnhandled(benchmark::State& state) {
    if (const std::string error = TakeUnhandled(); !error.empty())
        state.SkipWithError(error.c_str());
}

// Each iteration is one press of the start button; a game due to end is ended, untimed,
// first. The first game's variant runs its ten rounds exactly once per process.
void RoundStart(benchmark::State& state, bool firstGame) {
    if (firstGame && CardsDealt()) {
        state.SkipWithError(
            "the card pictures are loaded already: only the first game of a process loads them");
        return;
    }
    auto window = OpenGame();
    if (!firstGame && !CardsDealt())
        for (int round = 0; round < 10; ++round) PressStart(*window);
    Pump();
    for (auto _ : state) {
        FinishGameIfDue(*window);
        state.SetIterationTime(Seconds([&] {
            PressStart(*window);
            Pump();
        }));
    }
    CloseGame(window);
    StopOnUnhandled(state);
}

// Each iteration clicks the right card of a freshly dealt round, which is scored.
void JudgedClick(benchmark::State& state) {
    auto window = OpenGame();
    for (auto _ : state) {
        DealScoringRound(*window);
        const auto slot = game::testing::RightSlot(*window);
        if (!slot) throw std::runtime_error("the prompt's card lies on no card slot");
        const auto face = window->FudaCanvas(*slot);
        Need(face, "card face");
        state.SetIterationTime(Seconds([&] {
            fw::testing::Click(*face);
            Pump();
        }));
    }
    CloseGame(window);
    StopOnUnhandled(state);
}

// Ticks while the prompt is being revealed.
void TimerTick(benchmark::State& state) {
    auto window = OpenGame();
    DealScoringRound(*window);
    const auto timer = window->MyTimer();
    Need(timer, "timer");
    for (auto _ : state) {
        state.SetIterationTime(Seconds([&] {
            fw::testing::Tick(*timer);
            Pump();
        }));
    }
    CloseGame(window);
    StopOnUnhandled(state);
}

}  // namespace

void RegisterPlayBenchmarks() {
    benchmark::RegisterBenchmark("RoundStart/FirstGame",
                                 Guarded([](benchmark::State& s) { RoundStart(s, true); }))
        ->UseManualTime()
        ->Iterations(10)
        ->Repetitions(1)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("RoundStart",
                                 Guarded([](benchmark::State& s) { RoundStart(s, false); }))
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("JudgedClick", Guarded(JudgedClick))
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("TimerTick", Guarded(TimerTick))
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
