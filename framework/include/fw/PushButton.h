#pragma once

#include <string>

#include "fw/Control.h"
#include "fw/Event.h"

namespace fw {

// A push button. Action reaches its handlers when the user presses it.
class PushButton : public RectControl, public FontStyled {
public:
    FW_OBJECT;

    PushButton();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The window's default button answers the Return key.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel);

    // Handlers receive the button.
    Event<void(const ObjectRef&)> Action;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void SyncWidget() override;
    void FontChanged() override;

private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

}  // namespace fw
