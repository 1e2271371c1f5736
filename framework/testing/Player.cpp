#include "fw/testing/Player.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
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

void PressKey(const Window& window, Key key) {
    QWidget* content = window.NativeHandle();
    if (!content) throw NilObjectException("the window has no native window to type into");
    QWidget* top = content->window();
    // Where the window system hands a key: the window's focus widget, else the window.
    QPointer<QWidget> target = top->focusWidget() ? top->focusWidget() : top;
    int code = Qt::Key_Tab;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
    switch (key) {
        case Key::Tab:
            text = QStringLiteral("\t");
            break;
        case Key::ShiftTab:
            code = Qt::Key_Backtab;  // what the keyboard reports for Shift+Tab
            modifiers = Qt::ShiftModifier;
            break;
        case Key::Return:
            code = Qt::Key_Return;
            text = QStringLiteral("\r");
            break;
        case Key::Enter:
            code = Qt::Key_Enter;
            modifiers = Qt::KeypadModifier;
            text = QStringLiteral("\r");
            break;
        case Key::Escape:
            code = Qt::Key_Escape;
            text = QStringLiteral("\x1b");
            break;
    }
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (!target) return;
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void Focus(const RectControl& control) {
    QWidget* w = control.NativeHandle();
    if (!w) throw NilObjectException("the control has no native widget to focus");
    w->setFocus(Qt::MouseFocusReason);
}

std::shared_ptr<RectControl> FocusedControl(const Window& window) {
    QWidget* content = window.NativeHandle();
    // A control's widget may hand its focus to an inner widget of its own.
    for (QWidget* w = content ? content->window()->focusWidget() : nullptr; w;
         w = w->parentWidget())
        for (const ObjectRef& object : window.Controls())
            if (auto control = std::dynamic_pointer_cast<RectControl>(object);
                control && control->NativeHandle() == w)
                return control;
    return nullptr;
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
