// A full repaint of the board, the ten card frames with their faces: the game draws 20
// pictures stretched onto their canvases at every paint, and the framework draws them from
// copies it scaled once. Against plain Qt stretching them at every paint, and plain Qt
// drawing copies scaled once beforehand 1:1.
#include <benchmark/benchmark.h>

#include <QRegion>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

#include "bench/Benchmarks.h"
#include "bench/Harness.h"
#include "bench/PlainBoard.h"
#include "fw/Canvas.h"
#include "game/KarutaWindow.h"

namespace bench {

namespace {

// Repaints `region` of `content` at once, `state`'s iterations times; then counts the
// paint events of one more repaint.
void RepaintLoop(benchmark::State& state, QWidget& content, const QRegion& region) {
    for (auto _ : state) content.repaint(region);
    const PaintCounter paints;
    content.repaint(region);
    state.counters["paints"] = static_cast<double>(paints.Count());
}

void BoardRepaintFramework(benchmark::State& state) {
    auto window = OpenGame();
    FinishGameIfDue(*window);
    PressStart(*window);
    Pump();
    QRegion board;
    for (std::int64_t slot = 0; slot <= 9; ++slot) {
        const fw::Canvas& frame = Need(window->CardCanvas(slot), "card frame");
        board += QRect(static_cast<int>(frame.Left()), static_cast<int>(frame.Top()),
                       static_cast<int>(frame.Width()), static_cast<int>(frame.Height()));
    }
    if (QWidget* content = window->NativeHandle())
        RepaintLoop(state, *content, board);
    else
        state.SkipWithError("the game window has no native window");
    CloseGame(window);
    if (const std::string error = TakeUnhandled(); !error.empty())
        state.SkipWithError(error.c_str());
}

void BoardRepaintPlainQt(benchmark::State& state, PlainBoard::Painting painting) {
    PlainBoard board(painting);
    std::array<std::string, 10> cards;
    for (std::size_t slot = 0; slot < cards.size(); ++slot)
        cards[slot] = "karuta" + std::to_string(slot) + ".png";
    board.ShowCards(cards);
    Pump();
    RepaintLoop(state, *board.Content(), board.Board());
}

}  // namespace

void RegisterRepaintBenchmarks() {
    benchmark::RegisterBenchmark("BoardRepaint/Framework", Guarded(BoardRepaintFramework))
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BoardRepaint/PlainQt/Stretched", Guarded([](benchmark::State& s) {
                                     BoardRepaintPlainQt(s, PlainBoard::Painting::Stretched);
                                 }))
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BoardRepaint/PlainQt/PreScaled", Guarded([](benchmark::State& s) {
                                     BoardRepaintPlainQt(s, PlainBoard::Painting::PreScaled);
                                 }))
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
