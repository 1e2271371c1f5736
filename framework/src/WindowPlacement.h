#pragma once

class QWidget;

namespace fw {
class Window;
}

namespace fw::detail {

// Moves a window shown for the first time beside the newest other visible window when the
// screen has room, else to the centre of the screen.
void PlaceBesideNewest(const Window& window, QWidget& native);

}  // namespace fw::detail
