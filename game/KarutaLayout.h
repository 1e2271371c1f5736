// The game window's design: its own values and its 46 controls in creation order (which is
// also the tab order), the design records made from them once by the encoder, and for each
// kind of control how the window makes, constructs and wires it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Control.h"
#include "fw/Object.h"

namespace fw {
class DesignRecordWriter;
}

namespace game {
class KarutaWindow;
}

namespace game::layout {

// The kind of a control. Everything that depends on it is in the kind's descriptor (below).
enum class Kind {
    CardFrame,  // KarutaWindow.CardCanvas, a Canvas
    CardFace,   // KarutaWindow.FudaCanvas, a Canvas
    Canvas,
    Label,
    TextField,
    TextArea,
    Listbox,
    PushButton,
    Separator,
    Timer,
};

// No TabIndex: the timer has no place in the tab order.
inline constexpr std::int64_t kNoTab = -1;

// One control's design values. What a value means for a kind that does not carry it (a
// font on a canvas) is nothing: the encoder writes only the entries of the control's kind.
struct ControlLayout {
    Kind kind;
    std::string_view name;
    std::int64_t index = fw::kNoIndex;  // the card slot for a member of a canvas set
    std::int64_t left = 0, top = 0, width = 0, height = 0;
    std::int64_t tabIndex = kNoTab;
    bool visible = true;
    bool lockLeft = false, lockTop = false;
    std::string_view text{};  // Text, Caption, or a list box's InitialValue
    std::string_view fontName{};
    float fontSize = 0.0f;
    bool bold = false;
    bool hasVerticalScrollbar = false, allowStyledText = false;  // text areas
    std::string_view initialParent{};                            // "CardCanvas$i" on a face

    bool IsSetMember() const { return index != fw::kNoIndex; }
};

// What a kind of control is and how the window makes it, one descriptor per kind: adding a
// kind of control means adding its descriptor (in KarutaLayout.cpp) and its layout rows.
struct KindDescriptor {
    Kind kind;
    // The class a control of this kind is made of; its record is written against that class.
    const fw::ClassRecord& (*madeOf)();
    // Writes the entries of the control's design record, in their stored order.
    void (*entries)(fw::DesignRecordWriter& w, const ControlLayout& c);
    // Runs the constructor of a control just made.
    void (*construct)(const fw::ObjectRef& made, const ControlLayout& c);
    // The control as its window holds it, cast to its framework class.
    fw::ObjectRef (*reach)(const KarutaWindow& window, const ControlLayout& c);
    // Attaches the control's event handlers, each to the control reached anew.
    void (*wire)(const std::shared_ptr<KarutaWindow>& window, const ControlLayout& c);
};

const KindDescriptor& Describe(Kind kind);

// The 46 controls, in creation order.
const std::vector<ControlLayout>& Controls();
// Controls()[i]'s design record.
const std::vector<std::string>& ControlRecords();
// The game window's own design record.
const std::string& WindowRecord();

// The class a control of that kind is made of (its descriptor's).
const fw::ClassRecord& ClassOf(Kind kind);

// The record of the control registered under `name` with set index `index` (fw::kNoIndex
// outside a set); InvalidArgumentException when the design has no such control.
const std::string& RecordOf(std::string_view name, std::int64_t index);

}  // namespace game::layout
