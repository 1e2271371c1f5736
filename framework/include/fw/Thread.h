#pragma once

namespace fw {

// Raises ThreadAccessingUIException unless called on the GUI thread (the thread that
// initialised the framework). Every user-interface member calls it first.
void RequireUIThread();
bool OnUIThread();

}  // namespace fw
