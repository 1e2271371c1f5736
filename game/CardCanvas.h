#pragma once

#include <cstdint>

#include "fw/Canvas.h"

namespace game {

// The class of the ten card frames (control set "CardCanvas"); registered as
// "KarutaWindow.CardCanvas". It adds no state: the window's handlers do the work.
class CardCanvas : public fw::Canvas {
public:
    FW_OBJECT;

    static void ctblinit();

    // The run-time path: sets the canvas up as a further member of its set by itself.
    void Constructor() override;
    // The window's path: carries its set index before it is registered.
    void Constructor(std::int64_t index);
};

}  // namespace game
