#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "fw/Label.h"
#include "fw/PushButton.h"
#include "fw/Window.h"

namespace game {

// The result window: a multi-line label for the result text and an OK button that closes it.
// Reached only through its implicit instance, so at most one is open at a time.
class MessageWindow : public fw::Window {
public:
    FW_OBJECT;

    // The live result window, or a new one built from its design records.
    static std::shared_ptr<MessageWindow> Implicit();
    // Builds the class record (from the initialiser table at start-up).
    static void ctblinit();

    bool IsEventImplemented(std::string_view event) const override;

    // Construction (window events and the hidden construction method).
    void Layout() override;
    void CreateControls() override;
    void CreateControls0();

    // Control accessors: each looks its control up by name and casts it; nothing is cached.
    std::shared_ptr<fw::Label> Message() const;
    std::shared_ptr<fw::PushButton> OKButton() const;

    void OKButton_Action(const std::shared_ptr<fw::PushButton>& sender);

    // The design records of the window and of its two controls, encoded once.
    static const std::string& WindowRecord();
    static const std::string& MessageRecord();
    static const std::string& OKButtonRecord();
};

}  // namespace game
