#include "game/KarutaLayout.h"

#include "fw/DesignRecord.h"
#include "fw/Exceptions.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/PushButton.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "game/CardCanvas.h"
#include "game/FudaCanvas.h"
#include "game/PoemData.h"
#include "game/Use.h"
#include "game/wrapper_MyTimer.h"

namespace game::layout {

namespace {

using fw::DesignRecordWriter;

constexpr fw::Color kBlack{0x00000000};
constexpr fw::Color kWhite{0x00ffffff};

// The fonts, byte for byte: "MS 明朝" has a blank after "MS", "MS明朝" has none, and the
// title label's name ends in CR LF.
constexpr std::string_view kLabelFont = "MS 明朝";
constexpr std::string_view kPromptFont = "MS明朝";
constexpr std::string_view kTitleFont = "平成明朝\r\n";
constexpr std::string_view kButtonFont = "魚石行書";
constexpr std::string_view kSystemFont = "System";

constexpr std::string_view kFrameNames[] = {
    "CardCanvas$0", "CardCanvas$1", "CardCanvas$2", "CardCanvas$3", "CardCanvas$4",
    "CardCanvas$5", "CardCanvas$6", "CardCanvas$7", "CardCanvas$8", "CardCanvas$9",
};

// A card frame (90 x 170) and the face inside it (70 x 160, TabIndex 0 within the frame).
ControlLayout Frame(std::int64_t slot, std::int64_t left, std::int64_t top, std::int64_t tab) {
    return {.kind = Kind::CardFrame,
            .name = "CardCanvas",
            .index = slot,
            .left = left,
            .top = top,
            .width = 90,
            .height = 170,
            .tabIndex = tab};
}

ControlLayout Face(std::int64_t slot, std::int64_t left, std::int64_t top) {
    return {.kind = Kind::CardFace,
            .name = "FudaCanvas",
            .index = slot,
            .left = left,
            .top = top,
            .width = 70,
            .height = 160,
            .tabIndex = 0,
            .initialParent = kFrameNames[slot]};
}

ControlLayout Caption(std::string_view name, std::int64_t left, std::int64_t top,
                      std::int64_t width, std::int64_t height, std::int64_t tab,
                      std::string_view text, bool bold) {
    return {.kind = Kind::Label,
            .name = name,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tab,
            .text = text,
            .fontName = kLabelFont,
            .fontSize = 12.0f,
            .bold = bold};
}

ControlLayout Field(std::string_view name, std::int64_t left, std::int64_t top, std::int64_t tab) {
    return {.kind = Kind::TextField,
            .name = name,
            .left = left,
            .top = top,
            .width = 60,
            .height = 20,
            .tabIndex = tab,
            .fontName = kSystemFont,
            .fontSize = 12.0f};
}

ControlLayout List(std::string_view name, std::int64_t left, std::int64_t top, std::int64_t width,
                   std::int64_t tab, bool visible, std::string_view rows) {
    return {.kind = Kind::Listbox,
            .name = name,
            .left = left,
            .top = top,
            .width = width,
            .height = 45,
            .tabIndex = tab,
            .visible = visible,
            .text = rows,
            .fontName = kSystemFont,
            .fontSize = 12.0f};
}

ControlLayout Line(std::string_view name, std::int64_t top, std::int64_t tab) {
    return {.kind = Kind::Separator,
            .name = name,
            .left = 0,
            .top = top,
            .width = 630,
            .height = 4,
            .tabIndex = tab};
}

std::vector<ControlLayout> MakeControls() {
    return {
        Frame(1, 132, 67, 0),
        Face(1, 142, 73),
        Frame(0, 21, 69, 1),
        Face(0, 31, 75),
        Caption("StaticText1", 108, 11, 30, 21, 2, "お題", false),
        Caption("StaticText2", 17, 43, 30, 21, 3, "お札", false),
        Caption("StaticText3", 9, 453, 38, 21, 4, "得点:", true),
        Field("ScoreFiled", 55, 454, 5),
        Caption("StaticText4", 9, 484, 50, 16, 6, "総得点:", true),
        Field("TotalScoreField", 55, 482, 7),
        Caption("StaticText5", 156, 454, 38, 21, 8, "時間：", true),
        Field("TimeField", 203, 455, 9),
        {.kind = Kind::Timer, .name = "MyTimer"},
        Line("Separator1", 436, 11),
        {.kind = Kind::PushButton,
         .name = "StartButton",
         .left = 457,
         .top = 10,
         .width = 69,
         .height = 22,
         .tabIndex = 12,
         .lockTop = true,
         .text = "開始",
         .fontName = kButtonFont,
         .fontSize = 12.0f},
        {.kind = Kind::TextArea,
         .name = "OdaiField",
         .left = 145,
         .top = 4,
         .width = 280,
         .height = 41,
         .tabIndex = 13,
         .fontName = kPromptFont,
         .fontSize = 12.0f},
        List("ListBox1", 0, 512, 234, 14, false, kListBox1Rows),
        List("ListBox2", 796, 484, 170, 15, true, kListBox2Rows),
        List("ListBox3", 0, 554, 234, 16, true, kListBox3Rows),
        List("ListBox4", 796, 535, 170, 17, true, kListBox4Rows),
        Caption("StaticText6", 275, 453, 38, 21, 18, "回数：", true),
        Field("KaisuField", 325, 454, 19),
        Caption("StaticText7", 275, 482, 38, 21, 20, "称号：", true),
        Caption("StaticText8", 141, 486, 58, 16, 21, "最高得点:", true),
        Field("HighScoreField", 203, 482, 22),
        {.kind = Kind::Label,
         .name = "ShogoText",
         .left = 316,
         .top = 483,
         .width = 91,
         .height = 20,
         .tabIndex = 23,
         .fontName = kTitleFont,
         .fontSize = 12.0f},
        Line("Separator2", 249, 24),
        Frame(2, 241, 67, 25),
        Face(2, 251, 74),
        Frame(3, 355, 69, 26),
        Face(3, 365, 75),
        Frame(4, 457, 67, 27),
        Face(4, 467, 73),
        Frame(5, 21, 258, 28),
        Face(5, 31, 263),
        Frame(6, 132, 258, 29),
        Face(6, 142, 264),
        Frame(7, 241, 258, 30),
        Face(7, 251, 264),
        Frame(8, 355, 259, 31),
        Face(8, 365, 265),
        Frame(9, 462, 259, 32),
        Face(9, 472, 265),
        {.kind = Kind::TextArea,
         .name = "MyField",
         .left = 355,
         .top = 512,
         .width = 205,
         .height = 30,
         .tabIndex = 33,
         .visible = false,
         .fontName = kSystemFont,
         .fontSize = 12.0f,
         .hasVerticalScrollbar = true,
         .allowStyledText = true},
        {.kind = Kind::Canvas,
         .name = "MyCanvas",
         .left = 476,
         .top = 454,
         .width = 50,
         .height = 50,
         .tabIndex = 34},
        {.kind = Kind::Label,
         .name = "Label1",
         .left = 404,
         .top = 472,
         .width = 100,
         .height = 20,
         .tabIndex = 35,
         .visible = false,
         .lockLeft = true,
         .lockTop = true,
         .text = "正解",
         .fontName = kSystemFont,
         .fontSize = 0.0f},
    };
}

// ---- Kinds of control: record entries, construction and wiring -------------------------

// Name, index, position and size, the locks, and the tab entries: how every record of a
// placed control but a separator's begins.
void Placement(DesignRecordWriter& w, const ControlLayout& c) {
    w.String("Name", c.name)
        .Integer("Index", c.index)
        .Integer("Left", c.left)
        .Integer("Top", c.top)
        .Integer("Width", c.width)
        .Integer("Height", c.height)
        .Boolean("LockLeft", c.lockLeft)
        .Boolean("LockTop", c.lockTop)
        .Boolean("LockRight", false)
        .Boolean("LockBottom", false)
        .Integer("TabIndex", c.tabIndex)
        .Integer("TabPanelIndex", 0)
        .Boolean("TabStop", true)
        .Boolean("AllowAutoDeactivate", true)
        .Boolean("Enabled", true)
        .String("Tooltip", "");
}

void Font(DesignRecordWriter& w, const ControlLayout& c) {
    w.String("FontName", c.fontName)
        .Single("FontSize", c.fontSize)
        .FontUnits("FontUnit", 0)
        .Boolean("Bold", c.bold)
        .Boolean("Italic", false)
        .Boolean("Underline", false);
}

void CanvasEntries(DesignRecordWriter& w, const ControlLayout& c) {
    Placement(w, c);
    w.Boolean("AllowFocusRing", true)
        .Boolean("Visible", c.visible)
        .Boolean("AllowFocus", false)
        .Boolean("AllowTabs", false)
        .Boolean("Transparent", true)
        .Boolean("DoubleBuffer", false)
        .Boolean("Transparent", true)
        .String("InitialParent", c.initialParent);
}

void LabelEntries(DesignRecordWriter& w, const ControlLayout& c) {
    Placement(w, c);
    w.Boolean("Multiline", false)
        .Boolean("Selectable", false)
        .Integer("TextAlignment", 0)
        .Color("TextColor", kBlack)
        .Boolean("Transparent", false)
        .String("Text", c.text)
        .Boolean("Visible", c.visible);
    Font(w, c);
    w.String("DataSource", "").String("DataField", "").String("InitialParent", c.initialParent);
}

void PushButtonEntries(DesignRecordWriter& w, const ControlLayout& c) {
    Placement(w, c);
    w.Integer("MacButtonStyle", 0)
        .Boolean("Cancel", false)
        .String("Caption", c.text)
        .Boolean("Default", true)
        .Boolean("Transparent", true)
        .Boolean("Visible", c.visible);
    Font(w, c);
    w.String("InitialParent", c.initialParent);
}

void TextFieldEntries(DesignRecordWriter& w, const ControlLayout& c) {
    Placement(w, c);
    w.Color("BackgroundColor", kWhite)
        .Boolean("HasBorder", true)
        .String("Format", "")
        .Boolean("Password", false)
        .Color("TextColor", kBlack)
        .Boolean("Transparent", true)
        .Boolean("AllowFocusRing", true)
        .Boolean("Visible", c.visible);
    Font(w, c);
    w.String("Hint", "")
        .String("Text", c.text)
        .Boolean("AllowTabs", false)
        .Integer("TextAlignment", 0)
        .Boolean("AllowSpellChecking", false)
        .Integer("MaximumCharactersAllowed", 0)
        .String("ValidationMask", "")
        .Boolean("ReadOnly", false)
        .String("DataSource", "")
        .String("DataField", "")
        .String("InitialParent", c.initialParent);
}

void TextAreaEntries(DesignRecordWriter& w, const ControlLayout& c) {
    Placement(w, c);
    w.Color("BackgroundColor", kWhite)
        .Boolean("HasBorder", true)
        .String("Format", "")
        .Boolean("HideSelection", true)
        .Double("LineHeight", 0.0)
        .Double("LineSpacing", 1.0)
        .Boolean("Multiline", true)
        .Boolean("HasHorizontalScrollbar", false)
        .Boolean("HasVerticalScrollbar", c.hasVerticalScrollbar)
        .Boolean("AllowStyledText", c.allowStyledText)
        .Color("TextColor", kBlack)
        .Boolean("Transparent", true)
        .Boolean("AllowFocusRing", true)
        .Boolean("Visible", c.visible);
    Font(w, c);
    w.String("Text", c.text)
        .Boolean("AllowTabs", false)
        .Integer("TextAlignment", 0)
        .Boolean("AllowSpellChecking", true)
        .Integer("MaximumCharactersAllowed", 0)
        .String("ValidationMask", "")
        .Boolean("ReadOnly", false)
        .Integer("UnicodeMode", 0)
        .String("DataSource", "")
        .String("DataField", "")
        .String("InitialParent", c.initialParent);
}

void ListboxEntries(DesignRecordWriter& w, const ControlLayout& c) {
    Placement(w, c);
    w.Integer("_ScrollOffset", 0)
        .Integer("_ScrollWidth", -1)
        .Boolean("HasBorder", true)
        .Integer("ColumnCount", 1)
        .String("ColumnWidths", "")
        .Integer("DefaultRowHeight", -1)
        .Integer("GridLinesHorizontalStyle", 0)
        .Integer("GridLinesVerticalStyle", 0)
        .Boolean("HasHeader", false)
        .Integer("HeadingIndex", -1)
        .String("InitialValue", c.text)
        .Boolean("HasHorizontalScrollbar", false)
        .Boolean("HasVerticalScrollbar", true)
        .Boolean("DropIndicatorVisible", false)
        .Boolean("Transparent", true)
        .Boolean("AllowFocusRing", true)
        .Boolean("Visible", c.visible);
    Font(w, c);
    w.Boolean("AllowAutoHideScrollbars", true)
        .Boolean("AllowResizableColumns", false)
        .Boolean("AllowRowDragging", false)
        .Boolean("AllowRowReordering", false)
        .Boolean("AllowExpandableRows", false)
        .Boolean("RequiresSelection", false)
        .Integer("RowSelectionType", 0)
        .String("DataSource", "")
        .String("DataField", "")
        .String("InitialParent", c.initialParent);
}

// A separator's record opens with these two and keeps TabPanelIndex before TabIndex.
void SeparatorEntries(DesignRecordWriter& w, const ControlLayout& c) {
    w.Boolean("AllowAutoDeactivate", true)
        .Boolean("Transparent", true)
        .String("Name", c.name)
        .Integer("Index", c.index)
        .Integer("Left", c.left)
        .Integer("Top", c.top)
        .Integer("Width", c.width)
        .Integer("Height", c.height)
        .Boolean("LockLeft", false)
        .Boolean("LockTop", false)
        .Boolean("LockRight", false)
        .Boolean("LockBottom", false)
        .Integer("TabPanelIndex", 0)
        .Integer("TabIndex", c.tabIndex)
        .Boolean("TabStop", true)
        .Boolean("Enabled", true)
        .String("Tooltip", "")
        .Boolean("Visible", c.visible)
        .String("InitialParent", c.initialParent);
}

// Repeating, every 1000 ms; a timer has no name, place or tab entry of its own.
void TimerEntries(DesignRecordWriter& w, const ControlLayout&) {
    w.Integer("RunMode", 2).Integer("Period", 1000);
}

// A member of a canvas set carries its index before it is registered.
template <class C>
void ConstructSetMember(const fw::ObjectRef& made, const ControlLayout& c) {
    Use(fw::RuntimeCheckCast<C>(made), c.name).Constructor(c.index);
}

// A plain control runs RectControl's constructor, the timer its own class's.
template <class C>
void ConstructPlain(const fw::ObjectRef& made, const ControlLayout& c) {
    Use(fw::RuntimeCheckCast<C>(made), c.name).Constructor();
}

// The control as the window holds it: by name and index for a set member, else by name.
template <class T>
std::shared_ptr<T> Reach(const KarutaWindow& window, const ControlLayout& c) {
    auto found =
        c.IsSetMember() ? window.ControlByNameIndex(c.name, c.index) : window.ControlByName(c.name);
    auto cast = fw::RuntimeCheckCast<T>(found);
    Use(cast, c.name);
    return cast;
}

template <class T>
fw::ObjectRef ReachAs(const KarutaWindow& window, const ControlLayout& c) {
    return Reach<T>(window, c);
}

using W = KarutaWindow;

void WireCardFrame(const std::shared_ptr<W>& self, const ControlLayout& c) {
    fw::RuntimeAddEventHandler(Reach<fw::Canvas>(*self, c)->Open,
                               fw::RuntimeCreateDelegate(self, &W::CardCanvas_Open));
    fw::RuntimeAddEventHandler(Reach<fw::Canvas>(*self, c)->Paint,
                               fw::RuntimeCreateDelegate(self, &W::CardCanvas_Paint));
}

void WireCardFace(const std::shared_ptr<W>& self, const ControlLayout& c) {
    fw::RuntimeAddEventHandler(Reach<fw::Canvas>(*self, c)->MouseDown,
                               fw::RuntimeCreateDelegate(self, &W::FudaCanvas_MouseDown));
    fw::RuntimeAddEventHandler(Reach<fw::Canvas>(*self, c)->Open,
                               fw::RuntimeCreateDelegate(self, &W::FudaCanvas_Open));
    fw::RuntimeAddEventHandler(Reach<fw::Canvas>(*self, c)->Paint,
                               fw::RuntimeCreateDelegate(self, &W::FudaCanvas_Paint));
}

struct FieldHandler {
    std::string_view name;
    void (W::*open)(const std::shared_ptr<fw::TextField>&);
};

// The text fields that have an Open handler; TimeField has none.
constexpr FieldHandler kFieldHandlers[] = {
    {"ScoreFiled", &W::ScoreFiled_Open},
    {"TotalScoreField", &W::TotalScoreField_Open},
    {"KaisuField", &W::KaisuField_Open},
    {"HighScoreField", &W::HighScoreField_Open},
};

void WireTextField(const std::shared_ptr<W>& self, const ControlLayout& c) {
    for (const FieldHandler& h : kFieldHandlers)
        if (h.name == c.name)
            fw::RuntimeAddEventHandler(Reach<fw::TextField>(*self, c)->Open,
                                       fw::RuntimeCreateDelegate(self, h.open));
}

void WirePushButton(const std::shared_ptr<W>& self, const ControlLayout& c) {
    fw::RuntimeAddEventHandler(Reach<fw::PushButton>(*self, c)->Action,
                               fw::RuntimeCreateDelegate(self, &W::StartButton_Action));
}

void WireTimer(const std::shared_ptr<W>& self, const ControlLayout& c) {
    fw::RuntimeAddEventHandler(Reach<fw::Timer>(*self, c)->Action,
                               fw::RuntimeCreateDelegate(self, &W::MyTimer_Action));
}

// Labels, text areas, list boxes, separators and MyCanvas have no handlers.
void NoHandlers(const std::shared_ptr<W>&, const ControlLayout&) {}

// Indexed by Kind. Card frames, card faces and MyCanvas are reached as Canvas, the timer as
// Timer, every other control as its own class.
constexpr KindDescriptor kKinds[] = {
    {Kind::CardFrame, &CardCanvas::Lookup, CanvasEntries, ConstructSetMember<CardCanvas>,
     ReachAs<fw::Canvas>, WireCardFrame},
    {Kind::CardFace, &FudaCanvas::Lookup, CanvasEntries, ConstructSetMember<FudaCanvas>,
     ReachAs<fw::Canvas>, WireCardFace},
    {Kind::Canvas, &fw::Canvas::Lookup, CanvasEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::Canvas>, NoHandlers},
    {Kind::Label, &fw::Label::Lookup, LabelEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::Label>, NoHandlers},
    {Kind::TextField, &fw::TextField::Lookup, TextFieldEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::TextField>, WireTextField},
    {Kind::TextArea, &fw::TextArea::Lookup, TextAreaEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::TextArea>, NoHandlers},
    {Kind::Listbox, &fw::Listbox::Lookup, ListboxEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::Listbox>, NoHandlers},
    {Kind::PushButton, &fw::PushButton::Lookup, PushButtonEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::PushButton>, WirePushButton},
    {Kind::Separator, &fw::Separator::Lookup, SeparatorEntries, ConstructPlain<fw::RectControl>,
     ReachAs<fw::Separator>, NoHandlers},
    {Kind::Timer, &W::wrapper_MyTimer::Lookup, TimerEntries, ConstructPlain<W::wrapper_MyTimer>,
     ReachAs<fw::Timer>, WireTimer},
};

constexpr bool InKindOrder() {
    for (std::size_t i = 0; i < std::size(kKinds); ++i)
        if (kKinds[i].kind != static_cast<Kind>(i)) return false;
    return true;
}
static_assert(InKindOrder(), "kKinds is indexed by Kind");

std::string Encode(const ControlLayout& c) {
    const KindDescriptor& kind = Describe(c.kind);
    DesignRecordWriter w(kind.madeOf());
    kind.entries(w, c);
    return w.Bytes();
}

}  // namespace

const KindDescriptor& Describe(Kind kind) {
    const auto i = static_cast<std::size_t>(kind);
    if (i >= std::size(kKinds))
        throw fw::InvalidArgumentException("kind of control " + std::to_string(i) +
                                           " has no descriptor");
    return kKinds[i];
}

const std::vector<ControlLayout>& Controls() {
    static const std::vector<ControlLayout> controls = MakeControls();
    return controls;
}

const std::vector<std::string>& ControlRecords() {
    static const std::vector<std::string> records = [] {
        std::vector<std::string> out;
        for (const ControlLayout& c : Controls()) out.push_back(Encode(c));
        return out;
    }();
    return records;
}

const std::string& WindowRecord() {
    static const std::string record = DesignRecordWriter(KarutaWindow::Lookup())
                                          .Integer("Width", 560)
                                          .Integer("Height", 562)
                                          .Integer("MinimumWidth", 64)
                                          .Integer("MinimumHeight", 64)
                                          .Integer("MaximumWidth", 32000)
                                          .Integer("MaximumHeight", 32000)
                                          .Integer("Type", 0)
                                          .String("Title", "Ukisomi")
                                          .Boolean("HasCloseButton", true)
                                          .Boolean("HasMaximizeButton", false)
                                          .Boolean("HasMinimizeButton", false)
                                          .Boolean("HasFullScreenButton", false)
                                          .Boolean("Resizeable", false)
                                          .Boolean("Composite", false)
                                          .Integer("MacProcID", 0)
                                          .Boolean("FullScreen", false)
                                          .Integer("DefaultLocation", 0)
                                          .Boolean("Visible", true)
                                          .Boolean("HasBackgroundColor", true)
                                          .Color("BackgroundColor", fw::Color{0x00ff9029})
                                          .Boolean("MenuBarVisible", false)
                                          .Boolean("LiveResize", false)
                                          .Bytes();
    return record;
}

const std::string& RecordOf(std::string_view name, std::int64_t index) {
    const auto& controls = Controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name && controls[i].index == index) return ControlRecords()[i];
    throw fw::InvalidArgumentException("the game window has no control " + std::string(name) +
                                       " with index " + std::to_string(index));
}

const fw::ClassRecord& ClassOf(Kind kind) { return Describe(kind).madeOf(); }

}  // namespace game::layout
