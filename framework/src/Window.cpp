#include "fw/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <map>

#include "PropertyTables.h"
#include "TextUtil.h"
#include "WindowRegistry.h"
#include "fw/Application.h"
#include "fw/Control.h"
#include "fw/Menu.h"
#include "fw/PushButton.h"
#include "fw/Runtime.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

namespace {

struct Registry {
    std::vector<std::shared_ptr<Window>> open;
    std::vector<std::shared_ptr<Window>> closing;
    std::map<std::string, std::weak_ptr<Window>, std::less<>> implicit;
    bool releaseScheduled = false;
};

Registry& Windows() {
    static Registry registry;
    return registry;
}

void ScheduleRelease() {
    Registry& r = Windows();
    if (r.releaseScheduled || !QCoreApplication::instance()) return;
    r.releaseScheduled = true;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            Registry& reg = Windows();
            reg.releaseScheduled = false;
            auto released = std::move(reg.closing);
            reg.closing.clear();
        },
        Qt::QueuedConnection);
}

// Where a window shown for the first time goes: beside the newest other visible window when
// the screen has room, else centred.
void Place(Window& window, QWidget* native) {
    const QRect screen =
        native->screen() ? native->screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    QRect frame(QPoint(0, 0), native->sizeHint().expandedTo(native->size()));
    QWidget* beside = nullptr;
    for (const auto& other : Windows().open)
        if (other.get() != &window && other->NativeHandle() &&
            other->NativeHandle()->window()->isVisible())
            beside = other->NativeHandle()->window();
    if (beside) {
        // Right of it, else left, below or above; overlapping it only when none has room.
        const QRect b = beside->frameGeometry();
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
    native->move(frame.topLeft());
}

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

namespace detail {

void HoldOpenWindow(const std::shared_ptr<Window>& window) { Windows().open.push_back(window); }

void ReleaseClosedWindow(const Window& window) {
    Registry& r = Windows();
    auto it = std::find_if(r.open.begin(), r.open.end(),
                           [&](const auto& w) { return w.get() == &window; });
    if (it == r.open.end()) return;
    r.closing.push_back(std::move(*it));
    r.open.erase(it);
    ScheduleRelease();
}

void SetImplicitIfNone(std::string_view className, const std::shared_ptr<Window>& window) {
    auto& slot = Windows().implicit[std::string(className)];
    auto live = slot.lock();
    if (!live || !live->IsOpen()) slot = window;
}

void CloseAllWindows() {
    const auto open = Windows().open;
    for (const auto& w : open) w->Close();
}

QString DisplayText(std::string_view text) {
    QString out = ToQt(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

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

Window::Window() = default;

Window::~Window() {
    // Controls first: their widgets are children of the native window.
    controls_.clear();
    if (native_) {
        native_->Detach();
        delete native_;
    }
}

void Window::Constructor() {
    RequireUIThread();
    if (native_) throw RuntimeException("the window " + Class().Name() + " is already constructed");
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    native_ = new detail::WindowWidget(this);
    open_ = true;
    detail::HoldOpenWindow(self);
    detail::SetImplicitIfNone(Class().Name(), self);
    try {
        constructing_ = true;
        // The design record sets the window's values one by one; the native window takes
        // them all at once when the controls are there.
        deferSync_ = true;
        Layout();
        CreateControls();
        deferSync_ = false;
        SyncNative();
        SyncTabOrder();
        for (const Entry& e : std::vector<Entry>(controls_))
            if (auto control = std::dynamic_pointer_cast<Control>(e.control))
                control->Open.Raise(control);
        Event_Open();
        constructing_ = false;
        // A window may have closed itself in one of its Open events.
        if (visible_ && open_) Show();
    } catch (...) {
        constructing_ = deferSync_ = false;
        Close();
        throw;
    }
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

void Window::Show() {
    RequireUIThread();
    if (!native_ || !open_) throw NilObjectException("the window is not open");
    visible_ = true;
    if (!native_->isVisible()) {
        Place(*this, native_);
        native_->show();
    }
    native_->raise();
    native_->activateWindow();
}

void Window::Close() {
    RequireUIThread();
    if (!open_) return;
    open_ = false;
    if (native_) {
        native_->Detach();
        native_->close();
    }
    detail::ReleaseClosedWindow(*this);
}

void Window::ClosedByUser() { Close(); }

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
        palette = QApplication::palette(native_);
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

namespace {
std::int64_t ClampSize(std::int64_t v) { return std::clamp<std::int64_t>(v, 0, 32000); }
}  // namespace

#define FW_WINDOW_SETTER(Setter, field, expr) \
    void Window::Setter {                     \
        RequireUIThread();                    \
        field = expr;                         \
        if (!deferSync_) SyncNative();        \
    }

FW_WINDOW_SETTER(SetWidth(std::int64_t v), width_, ClampSize(v))
FW_WINDOW_SETTER(SetHeight(std::int64_t v), height_, ClampSize(v))
FW_WINDOW_SETTER(SetMinimumWidth(std::int64_t v), minWidth_, ClampSize(v))
FW_WINDOW_SETTER(SetMinimumHeight(std::int64_t v), minHeight_, ClampSize(v))
FW_WINDOW_SETTER(SetMaximumWidth(std::int64_t v), maxWidth_, ClampSize(v))
FW_WINDOW_SETTER(SetMaximumHeight(std::int64_t v), maxHeight_, ClampSize(v))
FW_WINDOW_SETTER(SetTitle(const std::string& v), title_, v)
FW_WINDOW_SETTER(SetResizeable(bool v), resizeable_, v)
FW_WINDOW_SETTER(SetHasCloseButton(bool v), hasClose_, v)
FW_WINDOW_SETTER(SetHasMaximizeButton(bool v), hasMaximize_, v)
FW_WINDOW_SETTER(SetHasMinimizeButton(bool v), hasMinimize_, v)
FW_WINDOW_SETTER(SetHasBackgroundColor(bool v), hasBackground_, v)
FW_WINDOW_SETTER(SetBackgroundColor(fw::Color v), background_, v)
FW_WINDOW_SETTER(SetMenuBarVisible(bool v), menuBarVisible_, v)
FW_WINDOW_SETTER(SetType(std::int64_t v), type_, v)
FW_WINDOW_SETTER(SetDefaultLocation(std::int64_t v), defaultLocation_, v)
FW_WINDOW_SETTER(SetMenuBar(std::shared_ptr<fw::MenuBar> v), menuBar_, std::move(v))

#undef FW_WINDOW_SETTER

void Window::SetVisible(bool visible) {
    RequireUIThread();
    visible_ = visible;
    if (!native_ || !open_ || constructing_) return;
    if (visible)
        Show();
    else
        native_->hide();
}

std::int64_t Window::Left() const {
    RequireUIThread();
    return native_ ? native_->mapToGlobal(QPoint(0, 0)).x() : 0;
}
std::int64_t Window::Top() const {
    RequireUIThread();
    return native_ ? native_->Content()->mapToGlobal(QPoint(0, 0)).y() : 0;
}

void Window::AddControl(std::string_view name, const ObjectRef& control) {
    RequireUIThread();
    if (!control) throw NilObjectException("no control to add under the name " + std::string(name));
    controls_.push_back({std::string(name), control});
    if (auto c = std::dynamic_pointer_cast<Control>(control)) c->SetName(std::string(name));
    if (auto pane = std::dynamic_pointer_cast<PaneChild>(control); pane && !pane->Window())
        pane->SetWindow(std::static_pointer_cast<Window>(shared_from_this()));
}

ObjectRef Window::ControlByName(std::string_view name) const {
    RequireUIThread();
    for (const Entry& e : controls_)
        if (detail::EqualsIgnoringCase(e.name, name)) return e.control;
    return nullptr;
}

ObjectRef Window::ControlByNameIndex(std::string_view name, std::int64_t index) const {
    RequireUIThread();
    for (const Entry& e : controls_) {
        if (!detail::EqualsIgnoringCase(e.name, name)) continue;
        auto pane = std::dynamic_pointer_cast<PaneChild>(e.control);
        if (pane && pane->Index() == index) return e.control;
    }
    return nullptr;
}

ObjectRef Window::New(const ClassRecord& record) {
    RequireUIThread();
    ObjectRef object = RuntimeNewObject(record);
    if (auto pane = std::dynamic_pointer_cast<PaneChild>(object))
        pane->SetWindow(std::static_pointer_cast<Window>(shared_from_this()));
    return object;
}

std::vector<ObjectRef> Window::Controls() const {
    std::vector<ObjectRef> out;
    for (const Entry& e : controls_) out.push_back(e.control);
    return out;
}

std::string Window::NameOf(const Object& control) const {
    for (const Entry& e : controls_)
        if (e.control.get() == &control) return e.name;
    return {};
}

QWidget* Window::NativeHandle() const { return native_ ? native_->Content() : nullptr; }

std::shared_ptr<Window> GetImplicitWindow(std::string_view className) {
    RequireUIThread();
    auto& implicit = Windows().implicit;
    auto found = implicit.find(className);
    if (found == implicit.end()) return nullptr;
    auto window = found->second.lock();
    return window && window->IsOpen() ? window : nullptr;
}

std::vector<std::shared_ptr<Window>> OpenWindows() { return Windows().open; }

}  // namespace fw

namespace fw {

const ClassRecord& Window::Lookup() {
    using W = Window;
    using detail::StoredBool;
    static const ClassRecord& record =
        RegisterClass({
            .name = "Window",
            .super = &Object::Lookup(),
            .factory = [] { return std::make_shared<Window>(); },
            // The inherited part of every window class's method table, in the framework's order.
            .members = {{"Close", "", {}},
                        {"Constructor", "", {}},
                        {"FocusNext", "", {}},
                        {"FocusPrevious", "", {}},
                        {"Hide", "", {}},
                        {"Maximize", "", {}},
                        {"Minimize", "", {}},
                        {"Refresh", "", {}},
                        {"Restore", "", {}},
                        {"Show", "", {}},
                        {"ShowModal", "", {}},
                        {"_AddControl", "", {}},
                        {"_ControlByName", "", {}},
                        {"_ControlByNameIndex", "", {}},
                        {"__New", "", {}}},
            .properties =
                {
                    BoundProperty<W>("Width", PropertyType::Integer, &W::Width, &W::SetWidth),
                    BoundProperty<W>("Height", PropertyType::Integer, &W::Height, &W::SetHeight),
                    BoundProperty<W>("MinimumWidth", PropertyType::Integer, &W::MinimumWidth,
                                     &W::SetMinimumWidth),
                    BoundProperty<W>("MinimumHeight", PropertyType::Integer, &W::MinimumHeight,
                                     &W::SetMinimumHeight),
                    BoundProperty<W>("MaximumWidth", PropertyType::Integer, &W::MaximumWidth,
                                     &W::SetMaximumWidth),
                    BoundProperty<W>("MaximumHeight", PropertyType::Integer, &W::MaximumHeight,
                                     &W::SetMaximumHeight),
                    BoundProperty<W>("Type", PropertyType::Integer, &W::Type, &W::SetType),
                    BoundProperty<W>("Title", PropertyType::String, &W::Title, &W::SetTitle),
                    BoundProperty<W>("HasCloseButton", PropertyType::Boolean, &W::HasCloseButton,
                                     &W::SetHasCloseButton),
                    BoundProperty<W>("HasMaximizeButton", PropertyType::Boolean,
                                     &W::HasMaximizeButton, &W::SetHasMaximizeButton),
                    BoundProperty<W>("HasMinimizeButton", PropertyType::Boolean,
                                     &W::HasMinimizeButton, &W::SetHasMinimizeButton),
                    StoredBool("HasFullScreenButton"),
                    BoundProperty<W>("Resizeable", PropertyType::Boolean, &W::Resizeable,
                                     &W::SetResizeable),
                    StoredBool("Composite"),
                    detail::StoredInt("MacProcId"),
                    StoredBool("FullScreen"),
                    BoundProperty<W>("DefaultLocation", PropertyType::Integer, &W::DefaultLocation,
                                     &W::SetDefaultLocation),
                    BoundProperty<W>("Visible", PropertyType::Boolean, &W::Visible, &W::SetVisible),
                    BoundProperty<W>("HasBackgroundColor", PropertyType::Boolean,
                                     &W::HasBackgroundColor, &W::SetHasBackgroundColor),
                    BoundProperty<W>(
                        "BackgroundColor", PropertyType::Color, &W::BackgroundColor,
                        &W::SetBackgroundColor),
                    BoundProperty<W>("MenuBarVisible", PropertyType::Boolean, &W::MenuBarVisible,
                                     &W::SetMenuBarVisible),
                    StoredBool("LiveResize"),
                },
        });
    return record;
}
const ClassRecord& Window::Class() const { return Lookup(); }

}  // namespace fw
