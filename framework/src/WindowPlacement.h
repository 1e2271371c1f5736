#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace fw {
class Window;
}

namespace fw::detail {

// Moves a window shown for the first time beside the newest other visible window (PlaceBeside),
// or to the centre of the primary screen when there is none.
void PlaceBesideNewest(const Window& window, QWidget& native);

// Where a window whose frame is `frame` large goes beside the window whose frame is `beside`:
// the top left of its frame. `screens` are the available areas of the screens (at least one).
// It goes on the screen that holds most of `beside` (the nearest, when none does): to its
// right, else its left, below or above, lined up with it as far as that screen allows; where
// none of these has room, over it, offset a little. Always wholly on that screen when it fits
// there, else at the screen's top left, so that its title bar can be reached.
QPoint PlaceBeside(const QRect& beside, const QSize& frame, const QList<QRect>& screens);

}  // namespace fw::detail
