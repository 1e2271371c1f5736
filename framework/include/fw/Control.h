#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fw/Event.h"
#include "fw/Object.h"

class QWidget;

namespace fw {

class Window;

// The index of a control that is no member of a control set: the 32-bit minimum, widened.
inline constexpr std::int64_t kNoIndex = -2147483648LL;

// The hidden interface through which the framework gives a placed object its window and
// index and asks for them. Controls implement it; so can any object a window holds.
class PaneChild {
public:
    virtual void SetWindow(const std::shared_ptr<fw::Window>& window) = 0;
    virtual std::shared_ptr<fw::Window> Window() const = 0;
    virtual std::int64_t Index() const = 0;
    virtual void SetIndex(std::int64_t index) = 0;

protected:
    ~PaneChild() = default;
};

// Something a window holds: its name, its index in a control set, its window, its Open event.
class Control : public Object, public PaneChild {
public:
    FW_OBJECT;

    Control();
    ~Control() override;

    void SetWindow(const std::shared_ptr<fw::Window>& window) override;
    std::shared_ptr<fw::Window> Window() const override;
    std::int64_t Index() const override { return index_; }
    void SetIndex(std::int64_t index) override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);

    Event<void(const ObjectRef&)> Open;

private:
    std::weak_ptr<fw::Window> window_;
    std::int64_t index_ = kNoIndex;
    std::string name_;
};

namespace detail {
struct NativeWidget;
}

// A control with a place on its window, drawn by a native widget. Its state lives here; the
// widget, made by Constructor(), mirrors it. Positions are in window coordinates, also for a
// control placed inside another control (InitialParent).
class RectControl : public Control {
public:
    FW_OBJECT;

    RectControl();
    ~RectControl() override;

    // The framework's control constructor: makes the native widget on the control's window.
    // Raises NilObjectException when the control has no window with a live native window.
    virtual void Constructor();
    bool IsConstructed() const;

    // Left and Top lie within -kMaxCoordinate..kMaxCoordinate, Width and Height within
    // 0..kMaxCoordinate: a value beyond is clamped, as a window's sizes are.
    static constexpr std::int64_t kMaxCoordinate = 32000;

    std::int64_t Left() const { return left_; }
    void SetLeft(std::int64_t left);
    std::int64_t Top() const { return top_; }
    void SetTop(std::int64_t top);
    std::int64_t Width() const { return width_; }
    void SetWidth(std::int64_t width);
    std::int64_t Height() const { return height_; }
    void SetHeight(std::int64_t height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    std::int64_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(std::int64_t tabIndex);
    const std::string& Tooltip() const { return tooltip_; }
    void SetTooltip(const std::string& tooltip);

    // "Name$index" (or "Name") of the control that encloses this one; empty for the window.
    const std::string& InitialParent() const { return initialParent_; }
    void SetInitialParent(const std::string& parent);
    // The enclosing control, or nothing when the control lies directly on its window.
    std::shared_ptr<RectControl> Parent() const { return parent_.lock(); }

    void Invalidate();

    // Framework-internal: the native widget, or null before Constructor().
    QWidget* NativeHandle() const;

protected:
    // Makes the native widget under `parent`. Called once, by Constructor().
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // Pushes the whole state to a freshly made widget; subclasses add theirs and call this.
    virtual void SyncWidget();
    void SyncGeometry();

private:
    void Reparent();

    std::unique_ptr<detail::NativeWidget> native_;
    std::weak_ptr<RectControl> parent_;
    std::int64_t left_ = 0, top_ = 0, width_ = 100, height_ = 100;
    bool visible_ = true, enabled_ = true, transparent_ = false;
    std::int64_t tabIndex_ = 0;
    std::string tooltip_, initialParent_;
};

// The font and style of a control that shows text. The name is kept byte for byte; only
// rendering maps it to an installed face (fw/Font.h).
class FontStyled {
public:
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& name);
    float FontSize() const { return fontSize_; }
    void SetFontSize(float size);
    std::uint8_t FontUnit() const { return fontUnit_; }
    void SetFontUnit(std::uint8_t unit);
    bool Bold() const { return bold_; }
    void SetBold(bool bold);
    bool Italic() const { return italic_; }
    void SetItalic(bool italic);
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline);

protected:
    ~FontStyled() = default;
    // Applies the font to the widget of `control`, when it has one.
    virtual void FontChanged() = 0;
    void ApplyFont(QWidget* widget) const;

private:
    std::string fontName_ = "System";
    float fontSize_ = 0.0f;
    std::uint8_t fontUnit_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
};

}  // namespace fw
