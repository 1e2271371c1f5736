#include "WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include "fw/Window.h"

namespace fw::detail {

void PlaceBesideNewest(const Window& window, QWidget& native) {
    const QRect screen =
        native.screen() ? native.screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    QRect frame(QPoint(0, 0), native.sizeHint().expandedTo(native.size()));
    QWidget* beside = nullptr;
    for (const auto& other : OpenWindows())
        if (other.get() != &window && other->NativeHandle() &&
            other->NativeHandle()->window()->isVisible())
            beside = other->NativeHandle()->window();
    if (beside) {
        // Right of it, else left, below or above; overlapping it only when none has room. The
        // new window is not shown yet, so its title bar and borders are taken to be the same
        // as those of the window beside it.
        const QRect b = beside->frameGeometry();
        frame.setSize(frame.size() + (b.size() - beside->size()));
        const QPoint spots[] = {{b.right() + 12, b.top()},
                                {b.left() - 12 - frame.width(), b.top()},
                                {b.left(), b.bottom() + 12},
                                {b.left(), b.top() - 12 - frame.height()}};
        frame.moveTopLeft(QPoint(b.left() + 40, b.top() + 40));
        for (const QPoint& spot : spots)
            if (screen.contains(QRect(spot, frame.size()))) {
                frame.moveTopLeft(spot);
                break;
            }
    } else {
        frame.moveCenter(screen.center());
    }
    native.move(frame.topLeft());
}

}  // namespace fw::detail
