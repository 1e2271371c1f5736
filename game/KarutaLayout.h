// The game window's design: its own values and its 46 controls in creation order (which is
// also the tab order), and the design records made from them once by the encoder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Control.h"
#include "fw/Object.h"

namespace game::layout {

// The kind of a control, which fixes its class and the entries of its record.
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

    bool IsSetMember() const { return kind == Kind::CardFrame || kind == Kind::CardFace; }
};

// The 46 controls, in creation order.
const std::vector<ControlLayout>& Controls();
// Controls()[i]'s design record.
const std::vector<std::string>& ControlRecords();
// The game window's own design record.
const std::string& WindowRecord();

// The class a control of that kind is made of.
const fw::ClassRecord& ClassOf(Kind kind);

// The record of the control registered under `name` with set index `index` (fw::kNoIndex
// outside a set); InvalidArgumentException when the design has no such control.
const std::string& RecordOf(std::string_view name, std::int64_t index);

}  // namespace game::layout
