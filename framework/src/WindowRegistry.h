#pragma once

#include <memory>
#include <string_view>

namespace fw {
class Window;
}

namespace fw::detail {

// The framework holds every open window; a window leaves the list when it closes, and is
// released once the event loop next runs.
void HoldOpenWindow(const std::shared_ptr<Window>& window);
void ReleaseClosedWindow(const Window& window);
void SetImplicitIfNone(std::string_view className, const std::shared_ptr<Window>& window);
void CloseAllWindows();

}  // namespace fw::detail
