// The framework classes the fuzz target reads records against. The first input byte picks
// the target: 0 the test probe, i + 1 kFrameworkTargets[i] (modulo the number of targets).
// The seed writer takes a control's byte from this same list.
#pragma once

#include <cstddef>
#include <iterator>

#include "fw/Canvas.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "fw/Window.h"

namespace fuzz {

using Lookup = const fw::ClassRecord& (*)();

inline constexpr Lookup kFrameworkTargets[] = {
    &fw::Window::Lookup,      // 1
    &fw::Label::Lookup,       // 2
    &fw::PushButton::Lookup,  // 3
    &fw::Listbox::Lookup,     // 4
    &fw::Canvas::Lookup,      // 5
    &fw::Separator::Lookup,   // 6
    &fw::TextField::Lookup,   // 7
    &fw::TextArea::Lookup,    // 8
    &fw::Timer::Lookup,       // 9
};

inline constexpr std::size_t kTargetCount = 1 + std::size(kFrameworkTargets);

}  // namespace fuzz
