#pragma once

#include <optional>
#include <string>

namespace fw::detail {

// Qt's X11 platform aborts the process, with a core dump and a page of advice, when it cannot
// open its display. When Qt would take X11, this opens the display first, and says why in a
// few words when it cannot (Problem()); otherwise (another platform, or a display that
// answers) there is no problem.
//
// Keep it alive until Qt has made its own connection: an X server with no other client resets
// when its last client leaves, and a client that connects during the reset is turned away.
class DisplayCheck {
public:
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    const std::optional<std::string>& Problem() const { return problem_; }

private:
    std::optional<std::string> problem_;
    void* connection_ = nullptr;  // the X connection held open, on X11
};

}  // namespace fw::detail
