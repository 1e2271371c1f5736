#pragma once

#include <cstdint>
#include <memory>

#include "fw/Control.h"
#include "fw/Timer.h"
#include "fw/WeakRef.h"
#include "game/KarutaWindow.h"

namespace game {

// The game window's timer: a Timer that a window can hold among its controls. It knows its
// window only weakly, so it never keeps the window alive.
class KarutaWindow::wrapper_MyTimer : public fw::Timer, public fw::PaneChild {
public:
    FW_OBJECT;

    static void ctblinit();

    wrapper_MyTimer();
    ~wrapper_MyTimer() override;

    void SetWindow(const std::shared_ptr<fw::Window>& window) override;
    std::shared_ptr<fw::Window> Window() const override;
    std::int64_t Index() const override { return index_; }
    void SetIndex(std::int64_t index) override { index_ = index; }
    void Constructor();

    // Hidden: the window that holds the timer, weakly.
    std::shared_ptr<fw::WeakRef> ownerWindow;

private:
    std::int64_t index_ = 0;
};

}  // namespace game
