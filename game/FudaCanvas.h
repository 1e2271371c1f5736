#pragma once

#include <cstdint>

#include "fw/Canvas.h"

namespace game {

// The class of the ten card faces (control set "FudaCanvas"); registered as
// "KarutaWindow.FudaCanvas". Each face lies inside the card frame of the same index. Only the
// left button judges a card: a right or middle click on a face raises no MouseDown and does
// nothing.
class FudaCanvas : public fw::Canvas {
public:
    FW_OBJECT;

    static void ctblinit();

    // The run-time path: sets the canvas up as a further member of its set by itself.
    void Constructor() override;
    // The window's path: carries its set index before it is registered.
    void Constructor(std::int64_t index);
};

}  // namespace game
