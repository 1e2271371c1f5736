// Feeds arbitrary bytes to the design-record reader. The first byte picks the target class
// (see RecordTargets.h); the rest is the record.
// Besides crashes it checks what the reader promises: a record that does not read changes
// nothing on its target, and one that reads is exactly the writer's encoding of its entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "RecordTargets.h"
#include "fw/DesignRecord.h"
#include "fw/Runtime.h"
#include "unit/records/RecordProbe.h"

namespace {

// Objects are made by their class factories: no Constructor() runs, so no native widget or
// window is made.
const fw::ClassRecord& TargetClass(std::uint8_t selector) {
    const std::size_t pick = selector % fuzz::kTargetCount;
    return pick == 0 ? records::RecordProbe::Lookup() : fuzz::kFrameworkTargets[pick - 1]();
}

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
    const fw::ClassRecord& targetClass = TargetClass(data[0]);
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
