#pragma once

#include <string>
#include <vector>

#include "fw/Object.h"

namespace fw {

// A file type the application knows. Changing a value withdraws the type's registration;
// converting it to text registers it again with its current values.
class FileType : public Object {
public:
    FW_OBJECT;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v);
    const std::string& Extensions() const { return extensions_; }
    void SetExtensions(const std::string& v);
    const std::string& MacType() const { return macType_; }
    void SetMacType(const std::string& v);
    const std::string& MacCreator() const { return macCreator_; }
    void SetMacCreator(const std::string& v);
    const std::string& MimeType() const { return mimeType_; }
    void SetMimeType(const std::string& v);
    bool Imported() const { return imported_; }
    void SetImported(bool v);
    const std::string& ConformsTo() const { return conformsTo_; }
    void SetConformsTo(const std::string& v);
    const std::string& UTI() const { return uti_; }
    void SetUTI(const std::string& v);

    bool IsRegistered() const { return registered_; }
    // Registers the type when it is not registered, and yields its name.
    std::string Operator_Convert();

private:
    void Withdraw();

    std::string name_, extensions_, macType_, macCreator_, mimeType_, conformsTo_, uti_;
    bool imported_ = false, registered_ = false;
};

// What the framework was handed at each registration, in order.
struct FileTypeRegistration {
    std::string name, macCreator, macType, extensions, uti;
};
std::vector<FileTypeRegistration> FileTypeRegistrations();

}  // namespace fw
