#include "game/testing/Play.h"

#include "fw/Window.h"

namespace game::testing {

std::optional<std::int64_t> RightSlot(const KarutaWindow& window) {
    for (std::int64_t slot = 0; slot <= window.FudaNum->Ubound(); ++slot)
        if ((*window.FudaNum)(slot) == window.OdaiNum) return slot;
    return std::nullopt;
}

std::shared_ptr<MessageWindow> ResultWindow() {
    return std::dynamic_pointer_cast<MessageWindow>(
        fw::GetImplicitWindow("MessageWindow.MessageWindow"));
}

std::size_t OpenResultWindows() {
    std::size_t count = 0;
    for (const auto& window : fw::OpenWindows())
        if (std::dynamic_pointer_cast<MessageWindow>(window)) ++count;
    return count;
}

}  // namespace game::testing
