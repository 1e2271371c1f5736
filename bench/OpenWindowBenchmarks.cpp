// Opening the game window: construction from its design records, the Open events and the
// first full paint, against the same 46 widgets made by hand with plain Qt and painted once.
#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>
#include <string>

#include "bench/Benchmarks.h"
#include "bench/Harness.h"
#include "bench/PlainBoard.h"
#include "game/KarutaWindow.h"

namespace bench {

namespace {

void OpenWindowFramework(benchmark::State& state) {
    for (auto _ : state) {
        std::shared_ptr<game::KarutaWindow> window;
        state.SetIterationTime(Seconds([&] {
            window = game::KarutaWindow::Implicit();
            Pump();
        }));
        CloseGame(window);
    }
    {
        const PaintCounter paints;
        auto window = OpenGame();
        state.counters["paints"] = static_cast<double>(paints.Count());
        CloseGame(window);
    }
    if (const std::string error = TakeUnhandled(); !error.empty())
        state.SkipWithError(error.c_str());
}

void OpenWindowPlainQt(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<PlainBoard> board;
        state.SetIterationTime(Seconds([&] {
            board = std::make_unique<PlainBoard>();
            Pump();
        }));
        board.reset();
        Pump();
    }
    const PaintCounter paints;
    {
        PlainBoard board;
        Pump();
        state.counters["paints"] = static_cast<double>(paints.Count());
    }
    Pump();
}

}  // namespace

void RegisterOpenWindowBenchmarks() {
    benchmark::RegisterBenchmark("OpenWindow/Framework", Guarded(OpenWindowFramework))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OpenWindow/PlainQt", Guarded(OpenWindowPlainQt))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void WarmUp() {
    auto window = OpenGame();
    CloseGame(window);
    {
        PlainBoard board;
        Pump();
    }
    Pump();
    if (const std::string error = TakeUnhandled(); !error.empty())
        std::cerr << "warm-up: " << error << "\n";
}

}  // namespace bench
