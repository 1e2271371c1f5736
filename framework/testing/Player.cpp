#include "fw/testing/Player.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

#include "fw/Runtime.h"

namespace fw::testing {

namespace {

Qt::MouseButton ToQt(MouseButton button) {
    switch (button) {
        case MouseButton::Middle:
            return Qt::MiddleButton;
        case MouseButton::Right:
            return Qt::RightButton;
        case MouseButton::Left:
            break;
    }
    return Qt::LeftButton;
}

void SendClick(QWidget* target, QPoint local, MouseButton button) {
    const QPointF pos(local);
    const QPointF global(target->mapToGlobal(local));
    const Qt::MouseButton qtButton = ToQt(button);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, qtButton, qtButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, qtButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

}  // namespace

void ClickWindowAt(const Window& window, int x, int y, MouseButton button) {
    QWidget* content = window.NativeHandle();
    if (!content) throw NilObjectException("the window has no native window to click");
    QWidget* target = content->childAt(x, y);
    if (!target) target = content;
    SendClick(target, target->mapFrom(content, QPoint(x, y)), button);
}

void Click(const RectControl& control, MouseButton button) {
    QWidget* w = control.NativeHandle();
    if (!w) throw NilObjectException("the control has no native widget to click");
    SendClick(w, QPoint(w->width() / 2, w->height() / 2), button);
}

void Tick(Timer& timer) {
    Deliver([&] { timer.CallAction(); });
}

Image Grab(const Window& window) {
    QWidget* content = window.NativeHandle();
    if (!content) throw NilObjectException("the window has no native window to grab");
    const QImage image = content->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    Image out;
    out.width = image.width();
    out.height = image.height();
    out.argb.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(row, row + out.width,
                  out.argb.begin() + static_cast<std::ptrdiff_t>(y) * out.width);
    }
    return out;
}

}  // namespace fw::testing
