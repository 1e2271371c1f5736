#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "fw/Exceptions.h"

namespace game {

// An accessor gives nothing for a control it does not find; that surfaces here, where the
// result is first used, as the framework's nil-object error rather than a crash.
template <class T>
T& Use(const std::shared_ptr<T>& object, std::string_view what) {
    if (!object) throw fw::NilObjectException(std::string(what) + " is nil");
    return *object;
}

}  // namespace game
