// A window's native side: the top-level widget, and how the window's values, its controls'
// tab order and its default and cancel buttons reach it.
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include <algorithm>

#include "fw/Application.h"
#include "fw/Control.h"
#include "fw/Menu.h"
#include "fw/PushButton.h"
#include "fw/Runtime.h"
#include "fw/Window.h"
#include "qt/Native.h"

namespace fw {

namespace detail {

namespace {

// The button that Return (the default button) or Escape (the cancel button) presses: the
// first registered one with that role that is shown and enabled.
QAbstractButton* KeyButton(const Window& window, bool isDefault) {
    for (const ObjectRef& control : window.Controls()) {
        auto button = std::dynamic_pointer_cast<PushButton>(control);
        if (!button || !(isDefault ? button->Default() : button->Cancel())) continue;
        auto* native = static_cast<QAbstractButton*>(button->NativeHandle());
        if (native && native->isVisible() && native->isEnabled()) return native;
    }
    return nullptr;
}

}  // namespace

QWidget* ContentOf(const Window& window) { return window.NativeHandle(); }

WindowWidget::WindowWidget(Window* owner) : owner_(owner), content_(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(ProgramIcon());
}

bool WindowWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Qt writes the native title when the native window is made and when the title changes.
    if ((event->type() == QEvent::WinIdChange || event->type() == QEvent::WindowTitleChange) &&
        windowTitle().isEmpty())
        ClearNativeTitle(*this);
    return handled;
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    // Only keys that the control with focus left alone get here. Qt answers Return with the
    // default button in dialogs alone, so the window does it: Return and Enter press the
    // default button, Escape the cancel button, through the button's own click.
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (owner_ && plain && (enter || key == Qt::Key_Escape))
        if (QAbstractButton* button = KeyButton(*owner_, enter)) {
            button->click();
            return;
        }
    QWidget::keyPressEvent(event);
}

void WindowWidget::SetContentSize(int width, int height, bool fixed, QSize minimum, QSize maximum) {
    const int barHeight = menuBar_ ? menuBar_->sizeHint().height() : 0;
    content_->setGeometry(0, barHeight, width, height);
    if (menuBar_) menuBar_->setGeometry(0, 0, width, barHeight);
    const QSize total(width, height + barHeight);
    if (fixed) {
        setFixedSize(total);
    } else {
        setMinimumSize(minimum + QSize(0, barHeight));
        setMaximumSize(maximum + QSize(0, barHeight));
        resize(total);
    }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    event->accept();
    if (owner_) {
        Window* owner = owner_;
        Deliver([owner] { owner->ClosedByUser(); });
    }
}

}  // namespace detail

QWidget* Window::NativeHandle() const { return native_ ? native_->Content() : nullptr; }

void Window::SyncNative() {
    if (!native_) return;
    native_->setWindowTitle(detail::ToQt(title_));
    Qt::WindowFlags flags =
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (hasClose_) flags |= Qt::WindowCloseButtonHint;
    if (hasMinimize_) flags |= Qt::WindowMinimizeButtonHint;
    if (hasMaximize_ && resizeable_) flags |= Qt::WindowMaximizeButtonHint;
    const bool wasVisible = native_->isVisible();
    native_->setWindowFlags(flags);
    QPalette palette = native_->palette();
    if (hasBackground_) {
        palette.setColor(QPalette::Window,
                         QColor(background_.Red(), background_.Green(), background_.Blue()));
        native_->setAutoFillBackground(true);
    } else {
        native_->setAutoFillBackground(false);
        palette = QApplication::palette(native_.get());
    }
    native_->setPalette(palette);
    auto bar = menuBar_;
    if (!bar)
        if (auto app = CurrentApplication()) bar = app->MenuBar();
    native_->SetMenuBar(bar, menuBar_ && menuBarVisible_);
    native_->SetContentSize(
        static_cast<int>(width_), static_cast<int>(height_), !resizeable_,
        QSize(static_cast<int>(minWidth_), static_cast<int>(minHeight_)),
        QSize(static_cast<int>(std::min<std::int64_t>(maxWidth_, QWIDGETSIZE_MAX)),
              static_cast<int>(std::min<std::int64_t>(maxHeight_, QWIDGETSIZE_MAX))));
    if (wasVisible) native_->show();
}

void Window::SyncTabOrder() {
    // Keyboard focus moves through the controls by TabIndex, registration order breaking ties.
    std::vector<std::shared_ptr<RectControl>> order;
    for (const Entry& e : controls_)
        if (auto c = std::dynamic_pointer_cast<RectControl>(e.control); c && c->NativeHandle())
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->NativeHandle(), order[i]->NativeHandle());
}

}  // namespace fw
