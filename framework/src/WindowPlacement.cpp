#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "fw/Window.h"

namespace fw::detail {

namespace {

constexpr int kGap = 12;     // between the two windows
constexpr int kOffset = 40;  // of a window placed over the other

std::int64_t Area(const QRect& rect) {
    return rect.isEmpty() ? 0 : std::int64_t{rect.width()} * rect.height();
}

// The distance between a point and a rectangle, squared: 0 inside it.
std::int64_t DistanceSquared(const QPoint& point, const QRect& rect) {
    const std::int64_t dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
    const std::int64_t dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
    return dx * dx + dy * dy;
}

QRect ScreenOf(const QRect& window, const QList<QRect>& screens) {
    QRect best = screens.front();
    std::int64_t bestArea = 0, bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const QRect& screen : screens) {
        const std::int64_t area = Area(screen.intersected(window));
        const std::int64_t distance = DistanceSquared(window.center(), screen);
        if (area > bestArea || (bestArea == 0 && area == 0 && distance < bestDistance)) {
            best = screen;
            bestArea = area;
            bestDistance = distance;
        }
    }
    return best;
}

// `start` moved just enough for a length `length` to lie within [low, low + room).
int Fit(int start, int length, int low, int room) {
    return length >= room ? low : std::clamp(start, low, low + room - length);
}

}  // namespace

QPoint PlaceBeside(const QRect& beside, const QSize& frame, const QList<QRect>& screens) {
    const QRect screen = ScreenOf(beside, screens);
    const int alongX = Fit(beside.left(), frame.width(), screen.left(), screen.width());
    const int alongY = Fit(beside.top(), frame.height(), screen.top(), screen.height());
    const QPoint spots[] = {{beside.left() + beside.width() + kGap, alongY},
                            {beside.left() - kGap - frame.width(), alongY},
                            {alongX, beside.top() + beside.height() + kGap},
                            {alongX, beside.top() - kGap - frame.height()}};
    for (const QPoint& spot : spots)
        if (screen.contains(QRect(spot, frame))) return spot;
    return {Fit(beside.left() + kOffset, frame.width(), screen.left(), screen.width()),
            Fit(beside.top() + kOffset, frame.height(), screen.top(), screen.height())};
}

void PlaceBesideNewest(const Window& window, QWidget& native) {
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) screens.append(screen->availableGeometry());
    if (screens.isEmpty()) screens.append(QRect(0, 0, 1280, 800));

    QWidget* beside = nullptr;
    for (const auto& other : OpenWindows())
        if (other.get() != &window && other->NativeHandle() &&
            other->NativeHandle()->window()->isVisible())
            beside = other->NativeHandle()->window();
    QSize frame = native.sizeHint().expandedTo(native.size());
    if (!beside) {
        QRect centred(QPoint(0, 0), frame);
        centred.moveCenter(screens.front().center());
        native.move(centred.topLeft());
        return;
    }
    // The new window is not shown yet, so its title bar and borders are taken to be the same
    // as those of the window beside it.
    const QRect besideFrame = beside->frameGeometry();
    frame += besideFrame.size() - beside->size();
    native.move(PlaceBeside(besideFrame, frame, screens));
}

}  // namespace fw::detail
