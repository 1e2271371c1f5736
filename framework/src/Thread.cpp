#include "fw/Thread.h"

#include <atomic>
#include <thread>

#include "RuntimeState.h"
#include "fw/Exceptions.h"

namespace fw {

bool OnUIThread() {
    const auto& state = detail::State();
    return !state.initialised || std::this_thread::get_id() == state.guiThread;
}

void RequireUIThread() {
    if (!OnUIThread())
        throw ThreadAccessingUIException(
            "user-interface members may only be used on the GUI thread");
}

}  // namespace fw
