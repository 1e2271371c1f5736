// The benchmark groups, registered in this order: a group that deals cards must come after
// the one that measures the first game's picture loads.
#pragma once

namespace bench {

// Opening the game window against the same widgets made with plain Qt.
void RegisterOpenWindowBenchmarks();
// A round start (first game and later ones), a judged click, a timer tick.
void RegisterPlayBenchmarks();
// A full repaint of the board: stretched pictures against pre-scaled ones.
void RegisterRepaintBenchmarks();
// Decoding the picture files, and reading the design records.
void RegisterLoadBenchmarks();

// Opens and closes both windows once, so that no benchmark pays for the first font look-ups
// and the first read of the empty-card picture.
void WarmUp();

}  // namespace bench
