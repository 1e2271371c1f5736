#pragma once

// Test helpers that act on the framework's windows as a player would: real mouse and key events
// on the native widgets, timer ticks through the event dispatch, pixels of a grabbed window.

#include <cstdint>
#include <memory>
#include <vector>

#include "fw/Control.h"
#include "fw/Timer.h"
#include "fw/Window.h"

namespace fw::testing {

enum class MouseButton { Left, Middle, Right };

// Presses and releases the button at (x, y) in the window's content coordinates, on whatever
// widget lies there, as a real click does.
void ClickWindowAt(const Window& window, int x, int y, MouseButton button = MouseButton::Left);
// Clicks the middle of a control.
void Click(const RectControl& control, MouseButton button = MouseButton::Left);
// One timer tick, delivered as the event loop delivers it.
void Tick(Timer& timer);

enum class Key { Tab, ShiftTab, Return, Enter, Escape };  // Enter: the keypad's
// Presses and releases a key as the keyboard does: on the widget that has the window's focus
// (the window itself when none has it); a key that widget leaves goes on to its parents.
void PressKey(const Window& window, Key key);
// Puts the keyboard focus on the control, as a click into a text field does.
void Focus(const RectControl& control);
// The control whose widget holds the window's keyboard focus, or nothing.
std::shared_ptr<RectControl> FocusedControl(const Window& window);

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;  // row-major, 0xAARRGGBB
    std::uint32_t Pixel(int x, int y) const {
        return argb[static_cast<std::size_t>(y) * width + x];
    }
    std::uint32_t Rgb(int x, int y) const { return Pixel(x, y) & 0xffffff; }
};

// The window's content area as it paints now, controls included.
Image Grab(const Window& window);

}  // namespace fw::testing
