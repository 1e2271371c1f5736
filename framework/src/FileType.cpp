#include "fw/FileType.h"

#include <mutex>

namespace fw {

namespace {
std::mutex registryMutex;
std::vector<FileTypeRegistration> registrations;
}  // namespace

void FileType::Withdraw() { registered_ = false; }

#define FW_FILETYPE_SETTER(Setter, Type, field) \
    void FileType::Setter(Type v) {             \
        Withdraw();                             \
        field = v;                              \
    }
FW_FILETYPE_SETTER(SetName, const std::string&, name_)
FW_FILETYPE_SETTER(SetExtensions, const std::string&, extensions_)
FW_FILETYPE_SETTER(SetMacType, const std::string&, macType_)
FW_FILETYPE_SETTER(SetMacCreator, const std::string&, macCreator_)
FW_FILETYPE_SETTER(SetMimeType, const std::string&, mimeType_)
FW_FILETYPE_SETTER(SetImported, bool, imported_)
FW_FILETYPE_SETTER(SetConformsTo, const std::string&, conformsTo_)
FW_FILETYPE_SETTER(SetUTI, const std::string&, uti_)
#undef FW_FILETYPE_SETTER

std::string FileType::Operator_Convert() {
    if (!registered_) {
        std::lock_guard lock(registryMutex);
        registrations.push_back({name_, macCreator_, macType_, extensions_, uti_});
        registered_ = true;
    }
    return name_;
}

std::vector<FileTypeRegistration> FileTypeRegistrations() {
    std::lock_guard lock(registryMutex);
    return registrations;
}

const ClassRecord& FileType::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "FileType",
        .super = &Object::Lookup(),
        .factory = [] { return std::make_shared<FileType>(); },
        .members = {{"Name", "", {}},
                    {"Extensions", "", {}},
                    {"MacType", "", {}},
                    {"MacCreator", "", {}},
                    {"MimeType", "", {}},
                    {"Imported", "", {}},
                    {"ConformsTo", "", {}},
                    {"Operator_Convert", "", {}}},
    });
    return record;
}
const ClassRecord& FileType::Class() const { return Lookup(); }

}  // namespace fw
