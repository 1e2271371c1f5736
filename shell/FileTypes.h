#pragma once

#include <memory>

#include "fw/Array.h"
#include "fw/FileType.h"
#include "fw/Object.h"

// The program's file-type set: the one type "text", registered at start-up and used by
// nothing else.
namespace shell::FileTypes {

// The one file type; nothing until Initialize() runs.
inline std::shared_ptr<fw::FileType> pText;
// Every file type of the set; empty until Initialize() appends pText.
inline std::shared_ptr<fw::Array<fw::ObjectRef>> pAllFileTypes;

// pText.
std::shared_ptr<fw::FileType> Text();
// Makes the "text" type, sets its values, adds it to the set and registers it. Stops at the
// first exception; what was done by then stays done.
void Initialize();

// Initialisers of the two statics, run from the initialiser table before Main.
void pAllFileTypes_Init();
// pText starts as nothing, so its initialiser has nothing to do.
void pText_Init();

}  // namespace shell::FileTypes
