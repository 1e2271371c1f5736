// Shared pieces of the benchmarks: the event pump, what the framework reported as unhandled,
// and the moves of a player on the game window.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/PictureFolder.h"

namespace game {
class KarutaWindow;
}

namespace bench {

// Runs pending events as an idle event loop would: posted events, repaints, deferred
// deletions. Both the framework's window and the plain-Qt one are pumped with this.
void Pump();

// Starts recording what the framework's default handler would report (instead of a message
// box), so that a benchmark can stop with the error.
void CatchUnhandledExceptions();
// What was reported since the last call, or empty.
std::string TakeUnhandled();

// The body wrapped so that an exception stops its benchmark with the error, closes the
// windows it left open, and lets the run go on.
using Body = std::function<void(benchmark::State&)>;
Body Guarded(Body body);

// The object, or an exception naming what was missing.
template <class T>
T& Need(const std::shared_ptr<T>& object, const char* what) {
    if (!object) throw std::runtime_error(std::string("the benchmark found no ") + what);
    return *object;
}

// Seconds taken by `work`.
template <class Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The game window, opened and painted.
std::shared_ptr<game::KarutaWindow> OpenGame();
// Closes the result window, if open, and the game window, and lets the framework release them.
void CloseGame(std::shared_ptr<game::KarutaWindow>& window);

// Ends a game whose round ten has been dealt, as a player does: a click on a card face, then
// OK on the result window. Afterwards the next press deals round 1 without ending a game.
void FinishGameIfDue(game::KarutaWindow& window);
// Presses the start button (a real click on its widget).
void PressStart(game::KarutaWindow& window);

// Whether any card has been dealt in this process: the card pictures, once loaded, stay
// loaded for the run, so only the first game of the process loads them.
bool CardsDealt();

// Counts the paint events that Qt delivers to widgets while alive.
class PaintCounter {
public:
    PaintCounter();
    ~PaintCounter();
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    std::int64_t Count() const;

private:
    struct Filter;
    std::unique_ptr<Filter> filter_;
};

}  // namespace bench
