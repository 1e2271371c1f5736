#include "game/wrapper_MyTimer.h"

#include "fw/Window.h"

namespace game {

using Wrapper = KarutaWindow::wrapper_MyTimer;

Wrapper::wrapper_MyTimer() = default;

Wrapper::~wrapper_MyTimer() { ownerWindow.reset(); }

void Wrapper::SetWindow(const std::shared_ptr<fw::Window>& window) {
    ownerWindow = std::make_shared<fw::WeakRef>(window);
}

std::shared_ptr<fw::Window> Wrapper::Window() const {
    if (!ownerWindow) return nullptr;
    return fw::RuntimeCheckCast<fw::Window>(ownerWindow->Value());
}

// A timer needs nothing beyond what making it did.
void Wrapper::Constructor() {}

void Wrapper::ctblinit() { Lookup(); }

const fw::ClassRecord& Wrapper::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "KarutaWindow._wrapper_MyTimer",
        .super = &fw::Timer::Lookup(),
        .factory = [] { return std::make_shared<Wrapper>(); },
        .members = {{"_SetWindow", "w As Window", {{"Hidden", ""}}},
                    {"Window", "", {}},
                    {"_Index", "", {{"Hidden", ""}}},
                    {"_SetIndex", "index As Integer", {{"Hidden", ""}}},
                    {"Constructor", "", {}}},
        .properties = {fw::BoundProperty<Wrapper>("Index", fw::PropertyType::Integer,
                                                  &Wrapper::Index, &Wrapper::SetIndex)},
        .interfaces = {"actionSource", "_PaneChild"},
    });
    return record;
}

const fw::ClassRecord& Wrapper::Class() const { return Lookup(); }

}  // namespace game
