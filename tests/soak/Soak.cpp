// Plays 1,000 whole games through the framework in one process, as a player would: each round
// a press of the start button, a tick, and a click on the right card; the click in round ten
// ends the game, and OK closes the result window. Prints the resident memory after game 10 and
// after game 1,000 and fails when it grew by more than 5%, when a game scored other than its
// clicks earned, or when any exception reached the event loop.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "fw/Picture.h"
#include "fw/Runtime.h"
#include "fw/testing/Player.h"
#include "fw/testing/Seams.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"
#include "game/testing/Play.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's count of heap bytes in use (its header does not ship with every compiler).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

// The quarantine keeps freed blocks out of use on purpose (up to 256 MB), so the allocator
// keeps reaching for fresh memory and resident memory climbs with no block leaked. Without it
// the resident memory measures the games again; overflows and leaks are still caught, and the
// unit tests run with the full quarantine. ASAN_OPTIONS can still set it.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}

namespace {
std::string HeapNote() {
    return ", heap in use " + std::to_string(__sanitizer_get_current_allocated_bytes() / 1024) +
           " KiB";
}
}  // namespace
#else
namespace {
std::string HeapNote() { return ""; }
}  // namespace
#endif

namespace {

constexpr int kGames = 1000;
constexpr int kBaselineGame = 10;
constexpr double kAllowedGrowth = 0.05;

// Resident memory in KiB, from /proc/self/statm (its second field, in pages).
long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main() {
    // Line by line: a sanitizer report at exit aborts before buffered output would be written.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::RuntimeInit(nullptr, nullptr, L"", 10);
    fw::Picture::SetAppFolders({UKISOMI_SOAK_PICTURE_DIR});

    int faults = 0, unhandled = 0;
    long baseline = 0, last = 0;
    {
        fw::testing::Seams seams(1'700'000'000.0);
        const auto noteUnhandled = [&] {
            for (const std::string& e : seams.TakeUnhandled())
                if (++unhandled <= 5) std::fprintf(stderr, "unhandled %s\n", e.c_str());
        };
        {
            auto win = game::KarutaWindow::Implicit();
            // A round: start, one tick 1.5 s in, the right card 2.5 s in: 17 points.
            const std::string expected =
                "ゲーム終了です。\rあなたの総得点は170です。\rあなたの称号は大歌聖です。";
            for (int g = 1; g <= kGames; ++g) {
                for (int round = 1; round <= 10; ++round) {
                    fw::testing::Click(*win->StartButton());
                    seams.Wait(1.5);
                    fw::testing::Tick(*win->MyTimer());
                    seams.Wait(1.0);
                    const auto slot = game::testing::RightSlot(*win);
                    if (!slot) ++faults;
                    fw::testing::Click(*win->FudaCanvas(slot.value_or(0)));
                }
                auto result = game::testing::ResultWindow();
                if (!result || result->Message()->Text() != expected || win->Kaisu != 0 ||
                    win->TotalPoint != 0) {
                    if (++faults <= 5)
                        std::fprintf(
                            stderr, "game %d ended wrong: %s\n", g,
                            result ? result->Message()->Text().c_str() : "no result window");
                }
                if (result) fw::testing::Click(*result->OKButton());
                result.reset();
                // The closed result window is released, and the repaints done, once the loop
                // runs.
                fw::ProcessEvents();
                noteUnhandled();
                const long resident = ResidentKiB();
                if (g == kBaselineGame) baseline = resident;
                if (g == kGames) last = resident;
                if (g == kBaselineGame || g % 100 == 0)
                    std::printf("game %4d: resident %ld KiB%s\n", g, resident, HeapNote().c_str());
            }
            win->Close();
        }
        fw::ProcessEvents();
        noteUnhandled();
    }
    const double growth =
        baseline > 0 ? static_cast<double>(last - baseline) / static_cast<double>(baseline) : 1.0;
    std::printf("resident memory after game %d: %ld KiB\n", kBaselineGame, baseline);
    std::printf("resident memory after game %d: %ld KiB\n", kGames, last);
    std::printf("growth: %+.2f%% (allowed: %.0f%%)\n", growth * 100.0, kAllowedGrowth * 100.0);
    std::printf("games played wrong: %d, exceptions that reached the event loop: %d\n", faults,
                unhandled);
    fw::RuntimePerformFinalizers();
    const bool passed = growth <= kAllowedGrowth && faults == 0 && unhandled == 0;
    std::printf("%s\n", passed ? "PASS" : "FAIL");
    return passed ? 0 : 1;
}
