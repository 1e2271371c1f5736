#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Object.h"
#include "fw/Property.h"

class QWidget;

namespace fw {

class MenuBar;

namespace detail {
class WindowWidget;
}

// A top-level window. Constructor() builds it: it raises Layout and CreateControls, then the
// Open events of the controls in the order they were registered, then the window's own Open
// (Event_Open), and shows the window when it is Visible. While open, the framework holds the
// window; Close() (or the close box) lets it go.
class Window : public Object {
public:
    FW_OBJECT;

    Window();
    ~Window() override;

    void Constructor();
    // Shows the window modeless and returns at once; a shown window is brought to the front.
    void Show();
    // Hides the window and releases it; the release itself happens once the running handler
    // has returned, so a window may close itself from one of its own handlers.
    void Close();
    // Constructed and not yet closed.
    bool IsOpen() const { return open_; }

    // Content-area size.
    std::int64_t Width() const { return width_; }
    void SetWidth(std::int64_t width);
    std::int64_t Height() const { return height_; }
    void SetHeight(std::int64_t height);
    std::int64_t MinimumWidth() const { return minWidth_; }
    void SetMinimumWidth(std::int64_t v);
    std::int64_t MinimumHeight() const { return minHeight_; }
    void SetMinimumHeight(std::int64_t v);
    std::int64_t MaximumWidth() const { return maxWidth_; }
    void SetMaximumWidth(std::int64_t v);
    std::int64_t MaximumHeight() const { return maxHeight_; }
    void SetMaximumHeight(std::int64_t v);
    // Position of the content area on the screen.
    std::int64_t Left() const;
    std::int64_t Top() const;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Resizeable() const { return resizeable_; }
    void SetResizeable(bool resizeable);
    bool HasCloseButton() const { return hasClose_; }
    void SetHasCloseButton(bool v);
    bool HasMaximizeButton() const { return hasMaximize_; }
    void SetHasMaximizeButton(bool v);
    bool HasMinimizeButton() const { return hasMinimize_; }
    void SetHasMinimizeButton(bool v);
    bool HasBackgroundColor() const { return hasBackground_; }
    void SetHasBackgroundColor(bool v);
    fw::Color BackgroundColor() const { return background_; }
    void SetBackgroundColor(fw::Color color);
    bool MenuBarVisible() const { return menuBarVisible_; }
    void SetMenuBarVisible(bool v);
    // Window type 0 is an ordinary top-level window; the others are kept but shown the same.
    std::int64_t Type() const { return type_; }
    void SetType(std::int64_t type);
    // Placement 0 lets the framework choose: beside the most recent open window.
    std::int64_t DefaultLocation() const { return defaultLocation_; }
    void SetDefaultLocation(std::int64_t location);

    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);

    // Registers a control under a name; the window holds it from then on. Members of a control
    // set share one name and are told apart by their index.
    void AddControl(std::string_view name, const ObjectRef& control);
    // The first control registered under the name (letter case ignored), or nothing.
    ObjectRef ControlByName(std::string_view name) const;
    // The first member of the set `name` whose index is `index`, or nothing.
    ObjectRef ControlByNameIndex(std::string_view name, std::int64_t index) const;
    // A new, not yet constructed object of the class, placed on this window.
    ObjectRef New(const ClassRecord& record);
    // Every registered control, in registration order.
    std::vector<ObjectRef> Controls() const;
    // The name a control was registered under, or empty.
    std::string NameOf(const Object& control) const;

    // Window events; a subclass that handles one overrides it.
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void Event_Open() {}

    // Framework-internal: the native window, or null before Constructor().
    QWidget* NativeHandle() const;
    // Framework-internal: called when the user closes the window with its close box.
    void ClosedByUser();

private:
    void SyncNative();
    void SyncTabOrder();

    struct Entry {
        std::string name;
        ObjectRef control;
    };
    std::vector<Entry> controls_;
    std::unique_ptr<detail::WindowWidget> native_;
    std::shared_ptr<fw::MenuBar> menuBar_;
    bool open_ = false;
    bool constructing_ = false;  // Visible set by the design waits for the end of Constructor()
    bool deferSync_ = false;     // Layout and CreateControls: the native window syncs after
    std::int64_t width_ = 300, height_ = 300;
    std::int64_t minWidth_ = 64, minHeight_ = 64, maxWidth_ = 32000, maxHeight_ = 32000;
    std::string title_;
    bool visible_ = true, resizeable_ = true, hasClose_ = true, hasMaximize_ = true,
         hasMinimize_ = true, hasBackground_ = false, menuBarVisible_ = true;
    fw::Color background_{0x00ffffff};
    std::int64_t type_ = 0, defaultLocation_ = 0;
};

// The live implicit instance kept under a full class name, or nothing. A window becomes the
// implicit instance of its class when it is constructed while none is live, and stops being
// it when it closes.
std::shared_ptr<Window> GetImplicitWindow(std::string_view className);
// Every open window, oldest first.
std::vector<std::shared_ptr<Window>> OpenWindows();

}  // namespace fw
