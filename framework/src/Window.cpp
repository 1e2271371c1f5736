// A top-level window: its life from Constructor() to Close(), its values, the controls it
// holds, and its class record.
#include "fw/Window.h"

#include <QWidget>

#include <algorithm>

#include "PropertyTables.h"
#include "TextUtil.h"
#include "WindowPlacement.h"
#include "WindowRegistry.h"
#include "fw/Control.h"
#include "fw/Runtime.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

Window::Window() = default;

Window::~Window() {
    // Controls first: their widgets are children of the native window.
    controls_.clear();
    if (native_) native_->Detach();
    native_.reset();
}

void Window::Constructor() {
    RequireUIThread();
    if (native_) throw RuntimeException("the window " + Class().Name() + " is already constructed");
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    native_ = std::make_unique<detail::WindowWidget>(this);
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

void Window::Show() {
    RequireUIThread();
    if (!native_ || !open_) throw NilObjectException("the window is not open");
    visible_ = true;
    if (!native_->isVisible()) {
        detail::PlaceBesideNewest(*this, *native_);
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
