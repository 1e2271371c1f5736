#pragma once

#include <stdexcept>
#include <string>

namespace fw {

// Every error the framework raises derives from RuntimeException. An operation stops at the
// first exception and hands it to its caller; the event loop's dispatch hands whatever leaves a
// handler to the default handler (UnhandledException) and keeps running.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    // The exception's class name as the default handler reports it.
    virtual const char* ClassName() const noexcept { return "RuntimeException"; }
};

#define FW_DECLARE_EXCEPTION(Name)                                        \
    class Name : public RuntimeException {                                \
    public:                                                               \
        using RuntimeException::RuntimeException;                         \
        const char* ClassName() const noexcept override { return #Name; } \
    }

FW_DECLARE_EXCEPTION(NilObjectException);
FW_DECLARE_EXCEPTION(IllegalCastException);
FW_DECLARE_EXCEPTION(OutOfBoundsException);
FW_DECLARE_EXCEPTION(ThreadAccessingUIException);
FW_DECLARE_EXCEPTION(InvalidArgumentException);
// A design record that is malformed or names a property its target lacks.
FW_DECLARE_EXCEPTION(DesignRecordException);

#undef FW_DECLARE_EXCEPTION

}  // namespace fw
