#include "game/MessageWindow.h"

#include "fw/Control.h"
#include "fw/DesignRecord.h"
#include "fw/Event.h"
#include "fw/Exceptions.h"
#include "fw/Object.h"

namespace game {

namespace {

constexpr std::string_view kClassName = "MessageWindow.MessageWindow";

// Creates a control the design way: through the window, constructed, registered under its
// name, fetched back by that name and cast, and only then given its design record.
template <class T>
void CreateControl(MessageWindow& window, std::string_view name, const std::string& record) {
    fw::ObjectRef control = window.New(T::Lookup());
    fw::RuntimeCheckCast<fw::RectControl>(control)->Constructor();
    window.AddControl(name, control);
    fw::SetProperties(*fw::RuntimeCheckCast<T>(window.ControlByName(name)), record);
}

}  // namespace

const fw::ClassRecord& MessageWindow::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = std::string(kClassName),
        .super = &fw::Window::Lookup(),
        .factory = [] { return std::make_shared<MessageWindow>(); },
        .members = {{"Layout", "", {}},
                    {"CreateControls", "", {}},
                    {"_CreateControls0", "", {{"Hidden", ""}}},
                    {"Message", "", {}},
                    {"OKButton", "", {}},
                    {"OKButton_Action", "sender As PushButton", {}}},
        .events = {"CreateControls", "Layout"},
        .implicitInstance = [] { return fw::ObjectRef(Implicit()); },
    });
    return record;
}

const fw::ClassRecord& MessageWindow::Class() const { return Lookup(); }

void MessageWindow::ctblinit() { Lookup(); }

std::shared_ptr<MessageWindow> MessageWindow::Implicit() {
    fw::ObjectRef window = fw::GetImplicitWindow(kClassName);
    if (!window) {
        auto made = fw::RuntimeCheckCast<MessageWindow>(fw::RuntimeNewObject(Lookup()));
        made->Constructor();
        window = made;
    }
    return fw::RuntimeCheckCast<MessageWindow>(window);
}

bool MessageWindow::IsEventImplemented(std::string_view event) const {
    return fw::RuntimeIsEventHandled(*this, kClassName, event, true);
}

void MessageWindow::Layout() { fw::SetProperties(*this, WindowRecord()); }

void MessageWindow::CreateControls() { CreateControls0(); }

void MessageWindow::CreateControls0() {
    CreateControl<fw::Label>(*this, "Message", MessageRecord());
    CreateControl<fw::PushButton>(*this, "OKButton", OKButtonRecord());
    auto button = OKButton();
    if (!button) throw fw::NilObjectException("the result window has no OKButton");
    auto self = std::static_pointer_cast<MessageWindow>(shared_from_this());
    fw::RuntimeAddEventHandler(button->Action,
                               fw::RuntimeCreateDelegate(self, &MessageWindow::OKButton_Action));
}

std::shared_ptr<fw::Label> MessageWindow::Message() const {
    return fw::RuntimeCheckCast<fw::Label>(ControlByName("Message"));
}

std::shared_ptr<fw::PushButton> MessageWindow::OKButton() const {
    return fw::RuntimeCheckCast<fw::PushButton>(ControlByName("OKButton"));
}

void MessageWindow::OKButton_Action(const std::shared_ptr<fw::PushButton>&) {
    // Closes the implicit instance, which is this window: the program opens result windows
    // only through Implicit(). A press that arrives once it is closed finds none and does
    // nothing, rather than building a window only to close it.
    if (auto window = fw::GetImplicitWindow(kClassName))
        fw::RuntimeCheckCast<MessageWindow>(window)->Close();
}

const std::string& MessageWindow::WindowRecord() {
    static const std::string record = fw::DesignRecordWriter(Lookup())
                                          .Integer("Width", 388)
                                          .Integer("Height", 100)
                                          .Integer("MinimumWidth", 64)
                                          .Integer("MinimumHeight", 64)
                                          .Integer("MaximumWidth", 32000)
                                          .Integer("MaximumHeight", 32000)
                                          .Integer("Type", 0)
                                          .String("Title", "")
                                          .Boolean("HasCloseButton", true)
                                          .Boolean("HasMaximizeButton", true)
                                          .Boolean("HasMinimizeButton", true)
                                          .Boolean("HasFullScreenButton", false)
                                          .Boolean("Resizeable", true)
                                          .Boolean("Composite", false)
                                          .Integer("MacProcID", 0)
                                          .Boolean("FullScreen", false)
                                          .Integer("DefaultLocation", 0)
                                          .Boolean("Visible", true)
                                          .Boolean("HasBackgroundColor", false)
                                          .Color("BackgroundColor", fw::Color{0x00ffffff})
                                          .Boolean("MenuBarVisible", true)
                                          .Boolean("LiveResize", false)
                                          .Bytes();
    return record;
}

const std::string& MessageWindow::MessageRecord() {
    static const std::string record = fw::DesignRecordWriter(fw::Label::Lookup())
                                          .FontUnits("FontUnit", 0)
                                          .Single("FontSize", 12.0f)
                                          .String("FontName", "MS明朝")
                                          .Integer("TextAlignment", 0)
                                          .String("Tooltip", "")
                                          .Boolean("AllowAutoDeactivate", true)
                                          .String("InitialParent", "")
                                          .String("DataField", "")
                                          .String("DataSource", "")
                                          .Boolean("Underline", false)
                                          .Boolean("Italic", false)
                                          .Boolean("Bold", false)
                                          .Boolean("Visible", true)
                                          .String("Text", "")
                                          .Boolean("Transparent", false)
                                          .Color("TextColor", fw::Color{0x00000000})
                                          .Boolean("Selectable", false)
                                          .Boolean("Multiline", true)
                                          .Boolean("Enabled", true)
                                          .Boolean("TabStop", true)
                                          .Integer("TabPanelIndex", 0)
                                          .Integer("TabIndex", 0)
                                          .Boolean("LockBottom", false)
                                          .Boolean("LockRight", false)
                                          .Boolean("LockTop", false)
                                          .Boolean("LockLeft", false)
                                          .Integer("Height", 52)
                                          .Integer("Width", 348)
                                          .Integer("Top", 14)
                                          .Integer("Left", 20)
                                          .Integer("Index", fw::kNoIndex)
                                          .String("Name", "Message")
                                          .Bytes();
    return record;
}

const std::string& MessageWindow::OKButtonRecord() {
    static const std::string record = fw::DesignRecordWriter(fw::PushButton::Lookup())
                                          .FontUnits("FontUnit", 0)
                                          .Single("FontSize", 12.0f)
                                          .String("FontName", "System")
                                          .String("Tooltip", "")
                                          .Integer("MacButtonStyle", 0)
                                          .Boolean("AllowAutoDeactivate", true)
                                          .String("InitialParent", "")
                                          .Boolean("Underline", false)
                                          .Boolean("Italic", false)
                                          .Boolean("Bold", false)
                                          .Boolean("Visible", true)
                                          .Boolean("Transparent", true)
                                          .Boolean("Enabled", true)
                                          .Boolean("Default", true)
                                          .String("Caption", "OK")
                                          .Boolean("Cancel", false)
                                          .Boolean("TabStop", true)
                                          .Integer("TabPanelIndex", 0)
                                          .Integer("TabIndex", 1)
                                          .Boolean("LockBottom", false)
                                          .Boolean("LockRight", false)
                                          .Boolean("LockTop", false)
                                          .Boolean("LockLeft", false)
                                          .Integer("Height", 22)
                                          .Integer("Width", 69)
                                          .Integer("Top", 71)
                                          .Integer("Left", 240)
                                          .Integer("Index", fw::kNoIndex)
                                          .String("Name", "OKButton")
                                          .Bytes();
    return record;
}

}  // namespace game
