// Feeds arbitrary bytes to the design-record reader. The first byte picks the target class
// (its value modulo the number of targets, in the order of kTargets); the rest is the record.
// Besides crashes it checks what the reader promises: a record that does not read changes
// nothing on its target, and one that reads is exactly the writer's encoding of its entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "fw/Canvas.h"
#include "fw/DesignRecord.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Runtime.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "fw/Window.h"
#include "unit/records/RecordProbe.h"

namespace {

using Lookup = const fw::ClassRecord& (*)();

// Objects are made by their class factories: no Constructor() runs, so no native widget or
// window is made.
const Lookup kTargets[] = {
    &records::RecordProbe::Lookup,  // 0
    &fw::Window::Lookup,            // 1
    &fw::Label::Lookup,             // 2
    &fw::PushButton::Lookup,        // 3
    &fw::Listbox::Lookup,           // 4
    &fw::Canvas::Lookup,            // 5
    &fw::Separator::Lookup,         // 6
    &fw::TextField::Lookup,         // 7
    &fw::TextArea::Lookup,          // 8
    &fw::Timer::Lookup,             // 9
};

bool SameBits(const fw::PropertyValue& a, const fw::PropertyValue& b) {
    if (a.index() != b.index()) return false;
    if (auto* f = std::get_if<float>(&a)) {
        const float g = std::get<float>(b);
        return std::memcmp(f, &g, sizeof g) == 0;
    }
    if (auto* d = std::get_if<double>(&a)) {
        const double e = std::get<double>(b);
        return std::memcmp(d, &e, sizeof e) == 0;
    }
    return a == b;
}

// Every design-time property's value, the class's own and its superclasses'.
std::vector<fw::PropertyValue> Snapshot(const fw::Object& object) {
    std::vector<fw::PropertyValue> values;
    for (const fw::ClassRecord* c = &object.Class(); c; c = c->Super())
        for (const fw::PropertyDesc& p : c->OwnProperties())
            if (p.get) values.push_back(p.get(object));
    return values;
}

bool SameSnapshot(const std::vector<fw::PropertyValue>& a,
                  const std::vector<fw::PropertyValue>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i])) return false;
    return true;
}

[[noreturn]] void Violated(const char* what) {
    std::fprintf(stderr, "design-record reader: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::RuntimeInit(nullptr, nullptr, L"", 10);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const fw::ClassRecord& targetClass = kTargets[data[0] % std::size(kTargets)]();
    const std::string_view record(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<fw::DesignRecordEntry> entries;
    bool reads = true;
    try {
        entries = fw::ParseDesignRecord(targetClass, record);
    } catch (const fw::DesignRecordException&) {
        reads = false;
    }

    if (reads) {
        fw::DesignRecordWriter writer(targetClass);
        for (const fw::DesignRecordEntry& e : entries) writer.Entry(e.name, e.value);
        if (writer.Bytes() != record)
            Violated("a record that reads is not the encoding of its entries");
    }

    fw::ObjectRef target = targetClass.NewInstance();
    const std::vector<fw::PropertyValue> before = Snapshot(*target);
    try {
        fw::RuntimeMassPropertySetter(*target, record);
        if (!reads) Violated("applied a record that does not read");
    } catch (const fw::DesignRecordException&) {
        if (reads) Violated("rejected a record that reads");
        if (!SameSnapshot(before, Snapshot(*target)))
            Violated("a rejected record changed its target");
    } catch (const fw::RuntimeException&) {
        // A setter refused a value (say an InitialParent naming no control): an error the
        // caller gets, not a fault of the reader.
    }

    if (auto* probe = dynamic_cast<records::RecordProbe*>(target.get()); probe && reads) {
        if (probe->sets.size() != entries.size()) Violated("not every entry was set once");
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (probe->sets[i].first != entries[i].property->name ||
                !SameBits(probe->sets[i].second, entries[i].value))
                Violated("an entry was set to another property or value");
    }
    return 0;
}
