#pragma once

#include <optional>
#include <string>

namespace fw::detail {

// Qt's X11 platform aborts the process, with a core dump and a page of advice, when it cannot
// open its display. When Qt would take X11 and its display cannot be opened, this says why in
// a few words; otherwise (another platform, or a display that answers) it gives nothing.
std::optional<std::string> UnopenableDisplay();

}  // namespace fw::detail
