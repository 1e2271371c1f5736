#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fw/Object.h"
#include "fw/Property.h"

namespace records {

// A class with one design-time property of every type, some inherited, one named in mixed
// case, so that a record can be read against it without a window. Every set is logged, in
// order, so that tests see exactly what a record applied.
class RecordProbeBase : public fw::Object {
public:
    FW_OBJECT;

    std::vector<std::pair<std::string, fw::PropertyValue>> sets;
};

// Own properties: Flag (Boolean), FontUnit (FontUnits), Index (Integer), FontSize (Single),
// LineSpacing (Double), TextColor (Color), Text (String), MultiLine (Boolean), MacProcId
// (Integer), Count (Integer; its setter raises OutOfBoundsException for a negative value).
// Inherited from RecordProbeBase: Left (Integer), Name (String).
class RecordProbe : public RecordProbeBase {
public:
    FW_OBJECT;
};

}  // namespace records
