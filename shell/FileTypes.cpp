#include "shell/FileTypes.h"

#include "fw/Exceptions.h"

namespace shell::FileTypes {

std::shared_ptr<fw::FileType> Text() { return pText; }

void Initialize() {
    pText = fw::RuntimeCheckCast<fw::FileType>(fw::RuntimeNewObject(fw::FileType::Lookup()));
    pText->SetName("text");
    pText->SetExtensions("");
    pText->SetMacType("TEXT");
    pText->SetMacCreator("R*ch");
    pText->SetMimeType("");
    pText->SetImported(true);
    pText->SetConformsTo("");
    if (!pAllFileTypes) throw fw::NilObjectException("the file-type set has no array");
    pAllFileTypes->Insert(pAllFileTypes->Ubound() + 1, pText);
    // Registering last hands the framework the type's final values; every setter above
    // would withdraw an earlier registration.
    Text()->Operator_Convert();
}

void pAllFileTypes_Init() { pAllFileTypes = fw::CreateArray<fw::ObjectRef>(-1); }

void pText_Init() {}

}  // namespace shell::FileTypes
