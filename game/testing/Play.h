#pragma once

// The game read as its player reads it: which card answers the prompt, and the result window.
// Shared by the tests, the soak and the benchmarks.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"

namespace game::testing {

// The slot whose card answers the prompt, or nothing when no slot holds it.
std::optional<std::int64_t> RightSlot(const KarutaWindow& window);

// The result window if one is open.
std::shared_ptr<MessageWindow> ResultWindow();
// How many result windows are open.
std::size_t OpenResultWindows();

}  // namespace game::testing
