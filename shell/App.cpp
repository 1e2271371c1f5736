#include "shell/App.h"

#include <memory>

namespace shell {

void App::ctblinit() { Lookup(); }

void App::Constructor() {}

bool App::IsEventImplemented(std::string_view event) const {
    return fw::RuntimeIsEventHandled(*this, "App", event, true);
}

const fw::ClassRecord& App::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "App",
        .super = &fw::Application::Lookup(),
        .factory = [] { return std::make_shared<App>(); },
        .members = {{"Constructor", "", {}}},
    });
    return record;
}

const fw::ClassRecord& App::Class() const { return Lookup(); }

}  // namespace shell
