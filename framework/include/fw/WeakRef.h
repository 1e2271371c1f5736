#pragma once

#include <memory>

#include "fw/Object.h"

namespace fw {

// A reference that does not keep its object alive.
class WeakRef : public Object {
public:
    FW_OBJECT;

    explicit WeakRef(const ObjectRef& object) : target_(object) {}
    // The object, or nothing once it has been destroyed.
    ObjectRef Value() const { return target_.lock(); }

private:
    std::weak_ptr<Object> target_;
};

}  // namespace fw
