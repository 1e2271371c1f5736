#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/Object.h"
#include "fw/Thread.h"

namespace fw {

template <class Signature>
class Event;

// The handlers attached to one event of one object, called in attachment order. A handler's
// first argument is the sender.
template <class R, class... A>
class Event<R(A...)> {
public:
    using Handler = std::function<R(A...)>;

    void Attach(Handler handler) {
        RequireUIThread();
        if (!handler) throw NilObjectException("no handler to attach");
        handlers_.push_back(std::move(handler));
    }
    std::size_t HandlerCount() const { return handlers_.size(); }

    // Calls every handler; for a Boolean event the first handler that answers True ends it.
    R Raise(A... args) const {
        const auto handlers = handlers_;  // a handler may attach further handlers
        if constexpr (std::is_same_v<R, bool>) {
            for (const auto& h : handlers)
                if (h(args...)) return true;
            return false;
        } else {
            for (const auto& h : handlers) h(args...);
        }
    }

private:
    std::vector<Handler> handlers_;
};

// A delegate bound to `target` that calls one of its methods with an event's arguments. The
// sender is cast to the method's parameter class; the delegate holds the target weakly, since
// the target (a window) owns the control whose event holds the delegate.
template <class W, class R, class S, class... A>
std::function<R(const ObjectRef&, A...)> RuntimeCreateDelegate(
    const std::shared_ptr<W>& target, R (W::*method)(const std::shared_ptr<S>&, A...)) {
    if (!target) throw NilObjectException("delegate without a target");
    std::weak_ptr<W> weak = target;
    return [weak, method](const ObjectRef& sender, A... args) -> R {
        auto self = weak.lock();
        if (!self) throw NilObjectException("the delegate's target no longer exists");
        return ((*self).*method)(RuntimeCheckCast<S>(sender), args...);
    };
}

// A delegate of a plain function, with the signature text the caller gives it.
template <class F>
class FunctionDelegate {
public:
    FunctionDelegate(F* function, std::string signature)
        : function_(function), signature_(std::move(signature)) {}
    F* FunctionPointer() const { return function_; }
    const std::string& Signature() const { return signature_; }

private:
    F* function_;
    std::string signature_;
};

template <class F>
std::shared_ptr<FunctionDelegate<F>> RuntimeCreateDelegate(F* function, std::string signature) {
    if (!function) throw NilObjectException("delegate without a function");
    return std::make_shared<FunctionDelegate<F>>(function, std::move(signature));
}

template <class Signature, class D>
void RuntimeAddEventHandler(Event<Signature>& event, D&& delegate) {
    event.Attach(std::forward<D>(delegate));
}

}  // namespace fw
