#include "fw/Control.h"

#include <QFont>

#include <algorithm>
#include <charconv>

#include "PropertyTables.h"
#include "fw/Font.h"
#include "fw/Thread.h"
#include "fw/Window.h"
#include "qt/Native.h"

namespace fw {

using detail::StoredBool;
using detail::StoredInt;

Control::Control() = default;
Control::~Control() = default;

void Control::SetWindow(const std::shared_ptr<fw::Window>& window) {
    RequireUIThread();
    window_ = window;
}

std::shared_ptr<Window> Control::Window() const {
    RequireUIThread();
    return window_.lock();
}

void Control::SetIndex(std::int64_t index) {
    RequireUIThread();
    index_ = index;
}

void Control::SetName(const std::string& name) {
    RequireUIThread();
    name_ = name;
}

const ClassRecord& Control::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Control",
        .super = &Object::Lookup(),
        .members = {{"Close", "", {}}, {"Window", "", {}}},
        .properties = {BoundProperty<Control>("Name", PropertyType::String, &Control::Name,
                                              &Control::SetName),
                       BoundProperty<Control>("Index", PropertyType::Integer, &Control::Index,
                                              &Control::SetIndex)},
        .interfaces = {"_PaneChild"},
    });
    return record;
}
const ClassRecord& Control::Class() const { return Lookup(); }

RectControl::RectControl() : native_(std::make_unique<detail::NativeWidget>()) {}
RectControl::~RectControl() = default;

void RectControl::Constructor() {
    RequireUIThread();
    if (IsConstructed()) throw RuntimeException(Class().Name() + " is already constructed");
    auto window = Window();
    QWidget* content = window ? detail::ContentOf(*window) : nullptr;
    if (!content) throw NilObjectException(Class().Name() + " has no open window to be placed on");
    if (!initialParent_.empty() && !Parent()) SetInitialParent(initialParent_);
    auto parent = Parent();
    QWidget* parentWidget = parent && parent->NativeHandle() ? parent->NativeHandle() : content;
    native_->widget.reset(CreateWidget(parentWidget));
    SyncWidget();
}

bool RectControl::IsConstructed() const { return native_->widget != nullptr; }

QWidget* RectControl::NativeHandle() const { return native_->widget.get(); }

void RectControl::SyncGeometry() {
    QWidget* w = NativeHandle();
    if (!w) return;
    // Every value lies within kMaxCoordinate, so the offset from a parent fits an int.
    std::int64_t x = left_, y = top_;
    if (auto parent = Parent()) {
        x -= parent->Left();
        y -= parent->Top();
    }
    w->setGeometry(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width_),
                   static_cast<int>(height_));
}

void RectControl::SyncWidget() {
    QWidget* w = NativeHandle();
    if (!w) return;
    SyncGeometry();
    w->setEnabled(enabled_);
    w->setToolTip(detail::ToQt(tooltip_));
    w->setVisible(visible_);
}

void RectControl::Reparent() {
    QWidget* w = NativeHandle();
    if (!w) return;
    auto window = Window();
    auto parent = Parent();
    QWidget* target = parent && parent->NativeHandle()
                          ? parent->NativeHandle()
                          : (window ? detail::ContentOf(*window) : nullptr);
    if (!target || w->parentWidget() == target) {
        SyncGeometry();  // window coordinates stay; the offset from the parent may not
        return;
    }
    w->setParent(target);  // hides the widget, so everything is pushed again
    SyncWidget();
}

#define FW_RECT_SETTER(Setter, Type, field, sync) \
    void RectControl::Setter(Type value) {        \
        RequireUIThread();                        \
        field = value;                            \
        sync;                                     \
    }

// A hostile record may give any Integer: geometry is clamped as it is stored.
#define FW_GEOMETRY_SETTER(Setter, field, low)                                     \
    void RectControl::Setter(std::int64_t value) {                                 \
        RequireUIThread();                                                         \
        field = std::clamp<std::int64_t>(value, low, RectControl::kMaxCoordinate); \
        SyncGeometry();                                                            \
    }

FW_GEOMETRY_SETTER(SetLeft, left_, -kMaxCoordinate)
FW_GEOMETRY_SETTER(SetTop, top_, -kMaxCoordinate)
FW_GEOMETRY_SETTER(SetWidth, width_, 0)
FW_GEOMETRY_SETTER(SetHeight, height_, 0)

#undef FW_GEOMETRY_SETTER

FW_RECT_SETTER(SetVisible, bool, visible_, if (auto* w = NativeHandle()) w->setVisible(value))
FW_RECT_SETTER(SetEnabled, bool, enabled_, if (auto* w = NativeHandle()) w->setEnabled(value))
FW_RECT_SETTER(SetTransparent, bool, transparent_, )
FW_RECT_SETTER(SetTabIndex, std::int64_t, tabIndex_, )
FW_RECT_SETTER(SetTooltip, const std::string&, tooltip_,
               if (auto* w = NativeHandle()) w->setToolTip(detail::ToQt(value)))

#undef FW_RECT_SETTER

void RectControl::SetInitialParent(const std::string& parent) {
    RequireUIThread();
    auto window = Window();
    if (parent.empty() || !window) {
        initialParent_ = parent;
        parent_.reset();
        Reparent();
        return;
    }
    // A name that finds no control raises and leaves the control where it was.
    // "Name$index" names a member of a control set; a plain name a single control.
    std::string_view name = parent;
    ObjectRef found;
    if (auto dollar = name.rfind('$'); dollar != std::string_view::npos) {
        std::int64_t index = 0;
        const char* first = name.data() + dollar + 1;
        const char* last = name.data() + name.size();
        auto [end, error] = std::from_chars(first, last, index);
        if (error != std::errc() || end != last || first == last)
            throw InvalidArgumentException("InitialParent \"" + parent + "\" has no valid index");
        found = window->ControlByNameIndex(name.substr(0, dollar), index);
    } else {
        found = window->ControlByName(name);
    }
    auto enclosing = std::dynamic_pointer_cast<RectControl>(found);
    if (!enclosing || enclosing.get() == this)
        throw NilObjectException("InitialParent \"" + parent + "\" names no control on the window");
    // Controls enclosing each other would make a cycle of native widgets.
    for (auto outer = enclosing->Parent(); outer; outer = outer->Parent())
        if (outer.get() == this)
            throw InvalidArgumentException("InitialParent \"" + parent +
                                           "\" lies inside the control it would enclose");
    initialParent_ = parent;
    parent_ = enclosing;
    Reparent();
}

void RectControl::Invalidate() {
    RequireUIThread();
    if (auto* w = NativeHandle()) w->update();
}

const ClassRecord& RectControl::Lookup() {
    using R = RectControl;
    static const ClassRecord& record = RegisterClass({
        .name = "RectControl",
        .super = &Control::Lookup(),
        .members = {{"Constructor", "", {}},
                    {"Invalidate", "", {}},
                    {"Refresh", "", {}},
                    {"SetFocus", "", {}}},
        .properties =
            {
                BoundProperty<R>("Left", PropertyType::Integer, &R::Left, &R::SetLeft),
                BoundProperty<R>("Top", PropertyType::Integer, &R::Top, &R::SetTop),
                BoundProperty<R>("Width", PropertyType::Integer, &R::Width, &R::SetWidth),
                BoundProperty<R>("Height", PropertyType::Integer, &R::Height, &R::SetHeight),
                BoundProperty<R>("Visible", PropertyType::Boolean, &R::Visible, &R::SetVisible),
                BoundProperty<R>("Enabled", PropertyType::Boolean, &R::Enabled, &R::SetEnabled),
                BoundProperty<R>("Transparent", PropertyType::Boolean, &R::Transparent,
                                 &R::SetTransparent),
                BoundProperty<R>("TabIndex", PropertyType::Integer, &R::TabIndex, &R::SetTabIndex),
                BoundProperty<R>("Tooltip", PropertyType::String, &R::Tooltip, &R::SetTooltip),
                BoundProperty<R>("InitialParent", PropertyType::String, &R::InitialParent,
                                 &R::SetInitialParent),
                StoredBool("LockLeft"),
                StoredBool("LockTop"),
                StoredBool("LockRight"),
                StoredBool("LockBottom"),
                StoredInt("TabPanelIndex"),
                StoredBool("TabStop", true),
                StoredBool("AllowAutoDeactivate", true),
            },
    });
    return record;
}
const ClassRecord& RectControl::Class() const { return Lookup(); }

void FontStyled::SetFontName(const std::string& name) {
    RequireUIThread();
    fontName_ = name;
    FontChanged();
}
void FontStyled::SetFontSize(float size) {
    RequireUIThread();
    fontSize_ = size;
    FontChanged();
}
void FontStyled::SetFontUnit(std::uint8_t unit) {
    RequireUIThread();
    fontUnit_ = unit;
    FontChanged();
}
void FontStyled::SetBold(bool bold) {
    RequireUIThread();
    bold_ = bold;
    FontChanged();
}
void FontStyled::SetItalic(bool italic) {
    RequireUIThread();
    italic_ = italic;
    FontChanged();
}
void FontStyled::SetUnderline(bool underline) {
    RequireUIThread();
    underline_ = underline;
    FontChanged();
}

void FontStyled::ApplyFont(QWidget* widget) const {
    if (!widget) return;
    QFont font(detail::ToQt(RenderFamilyFor(fontName_)));
    // The default unit (0) counts in pixels, the unit the window layouts were drawn for, so a
    // caption fits the label made for it at any screen density. Size 0 keeps the face's default.
    if (fontSize_ > 0.0f && fontSize_ < 1000.0f)
        font.setPixelSize(static_cast<int>(fontSize_ + 0.5f));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    widget->setFont(font);
}

}  // namespace fw
