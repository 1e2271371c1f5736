#include "game/KarutaWindow.h"

#include "fw/DesignRecord.h"
#include "fw/Picture.h"
#include "game/CardCanvas.h"
#include "game/CardPictures.h"
#include "game/FudaCanvas.h"
#include "game/KarutaLayout.h"
#include "game/Use.h"

namespace game {

namespace {

using layout::ControlLayout;

constexpr std::string_view kClassName = "KarutaWindow.KarutaWindow";

// CreateControls0 makes the first 30 controls of the design, CreateControls1 the rest.
constexpr std::size_t kFirstOfSecondPart = 30;

// Makes, constructs, registers, designs and wires control `position` of the design, each step
// as the control's kind describes it.
void CreateControl(const std::shared_ptr<KarutaWindow>& self, std::size_t position) {
    const ControlLayout& c = layout::Controls().at(position);
    const layout::KindDescriptor& kind = layout::Describe(c.kind);
    fw::ObjectRef made = self->New(kind.madeOf());
    kind.construct(made, c);
    self->AddControl(c.name, made);
    made.reset();
    fw::SetProperties(*kind.reach(*self, c), layout::ControlRecords().at(position));
    kind.wire(self, c);
}

// Draws the canvas's backdrop stretched over the whole canvas; without one, nothing.
void PaintBackdrop(const fw::Canvas& canvas, fw::Graphics& g) {
    const std::shared_ptr<fw::Picture> backdrop = canvas.Backdrop();
    if (!backdrop) return;
    g.DrawPicture(backdrop, 0.0, 0.0, static_cast<double>(canvas.Width()),
                  static_cast<double>(canvas.Height()), 0.0, 0.0,
                  static_cast<double>(backdrop->Width()), static_cast<double>(backdrop->Height()));
}

}  // namespace

// ---- The class --------------------------------------------------------------------------

KarutaWindow::KarutaWindow()
    : FudaNum(fw::CreateArray<std::int64_t>(9)),
      OdaiString(fw::CreateArray<std::string>(99)),
      r(fw::CreateArray<std::int64_t>(99)) {}

KarutaWindow::~KarutaWindow() {
    FudaNum.reset();
    OdaiString.reset();
    MyFont = std::string();
    shogo = std::string();
    r.reset();
}

std::shared_ptr<KarutaWindow> KarutaWindow::Implicit() {
    std::shared_ptr<fw::Window> window = fw::GetImplicitWindow(kClassName);
    if (!window) {
        auto made = fw::RuntimeCheckCast<fw::Window>(fw::RuntimeNewObject(Lookup()));
        Use(made, kClassName).Constructor();
        window = made;
    }
    return fw::RuntimeCheckCast<KarutaWindow>(window);
}

void KarutaWindow::ctblinit() { Lookup(); }

bool KarutaWindow::IsEventImplemented(std::string_view event) const {
    Lookup();  // the framework answers from the class record: make sure it is built
    return fw::RuntimeIsEventHandled(*this, kClassName, event, true);
}

namespace {

// The class record: own members in method-table order after the inherited ones of Window.
fw::ClassRecord::Definition ClassDefinition() {
    const std::vector<std::pair<std::string, std::string>> hidden = {{"Hidden", ""}};
    const std::string canvasHandler = "sender As Canvas";
    const std::string paintHandler = "sender As Canvas, g As Graphics, areas() As Rect";
    const std::string fieldHandler = "sender As TextField";
    return {
        .name = std::string(kClassName),
        .super = &fw::Window::Lookup(),
        .factory = [] { return std::make_shared<KarutaWindow>(); },
        .members =
            {
                {"Layout", "", {}},
                {"CreateControls", "", {}},
                {"_CreateControls0", "", hidden},
                {"_CreateControls1", "", hidden},
                {"CardCanvas", "index As Integer", {}},
                {"FudaCanvas", "index As Integer", {}},
                {"StaticText1", "", {}},
                {"StaticText2", "", {}},
                {"StaticText3", "", {}},
                {"ScoreFiled", "", {}},
                {"StaticText4", "", {}},
                {"TotalScoreField", "", {}},
                {"StaticText5", "", {}},
                {"TimeField", "", {}},
                {"MyTimer", "", {}},
                {"Separator1", "", {}},
                {"StartButton", "", {}},
                {"OdaiField", "", {}},
                {"ListBox1", "", {}},
                {"ListBox2", "", {}},
                {"ListBox3", "", {}},
                {"ListBox4", "", {}},
                {"StaticText6", "", {}},
                {"KaisuField", "", {}},
                {"StaticText7", "", {}},
                {"StaticText8", "", {}},
                {"HighScoreField", "", {}},
                {"ShogoText", "", {}},
                {"Separator2", "", {}},
                {"MyField", "", {}},
                {"MyCanvas", "", {}},
                {"Label1", "", {}},
                {"CardCanvas_Open", canvasHandler, {}},
                {"CardCanvas_Paint", paintHandler, {}},
                {"FudaCanvas_MouseDown", "sender As Canvas, x As Integer, y As Integer", {}},
                {"FudaCanvas_Open", canvasHandler, {}},
                {"FudaCanvas_Paint", paintHandler, {}},
                {"ScoreFiled_Open", fieldHandler, {}},
                {"TotalScoreField_Open", fieldHandler, {}},
                {"MyTimer_Action", "sender As Timer", {}},
                {"StartButton_Action", "sender As PushButton", {}},
                {"KaisuField_Open", fieldHandler, {}},
                {"HighScoreField_Open", fieldHandler, {}},
                {"UntitledMenu2", "", {}},
                {"EditMenu", "", {}},
                {"UntitledMenu3", "", {}},
                {"UntitledMenu4", "", {}},
                {"EditClear", "", {}},
                {"EditPaste", "", {}},
                {"EditCopy", "", {}},
                {"EditCut", "", {}},
                {"UntitledMenu0", "", {}},
                {"EditUndo", "", {}},
                {"FileMenu", "", {}},
                {"UntitledMenu5", "", {}},
                {"FileQuit", "", {}},
                {"UntitledMenu1", "", {}},
                {"Event_Open", "", {}},
                {"Fuda", "index As Integer", {}},
            },
        .events = {"CreateControls", "Layout", "Open"},
        .implicitInstance = [] { return fw::ObjectRef(KarutaWindow::Implicit()); },
    };
}

}  // namespace

const fw::ClassRecord& KarutaWindow::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass(ClassDefinition());
    return record;
}

const fw::ClassRecord& KarutaWindow::Class() const { return Lookup(); }

// ---- Construction -----------------------------------------------------------------------

void KarutaWindow::Layout() {
    auto bar = fw::RuntimeCheckCast<fw::MenuBar>(fw::RuntimeImplicitInstance("MenuBar1.MenuBar1"));
    SetMenuBar(bar);
    bar.reset();
    fw::SetProperties(*this, layout::WindowRecord());
}

void KarutaWindow::CreateControls() {
    CreateControls0();
    CreateControls1();
}

void KarutaWindow::CreateControls0() {
    auto self = std::static_pointer_cast<KarutaWindow>(shared_from_this());
    for (std::size_t i = 0; i < kFirstOfSecondPart; ++i) CreateControl(self, i);
}

void KarutaWindow::CreateControls1() {
    auto self = std::static_pointer_cast<KarutaWindow>(shared_from_this());
    for (std::size_t i = kFirstOfSecondPart; i < layout::Controls().size(); ++i)
        CreateControl(self, i);
}

// ---- Control accessors ------------------------------------------------------------------

template <class T>
std::shared_ptr<T> KarutaWindow::Find(std::string_view name) const {
    return fw::RuntimeCheckCast<T>(ControlByName(name));
}

std::shared_ptr<fw::Canvas> KarutaWindow::CardCanvas(std::int64_t index) const {
    return fw::RuntimeCheckCast<fw::Canvas>(ControlByNameIndex("CardCanvas", index));
}
std::shared_ptr<fw::Canvas> KarutaWindow::FudaCanvas(std::int64_t index) const {
    return fw::RuntimeCheckCast<fw::Canvas>(ControlByNameIndex("FudaCanvas", index));
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText1() const {
    return Find<fw::Label>("StaticText1");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText2() const {
    return Find<fw::Label>("StaticText2");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText3() const {
    return Find<fw::Label>("StaticText3");
}
std::shared_ptr<fw::TextField> KarutaWindow::ScoreFiled() const {
    return Find<fw::TextField>("ScoreFiled");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText4() const {
    return Find<fw::Label>("StaticText4");
}
std::shared_ptr<fw::TextField> KarutaWindow::TotalScoreField() const {
    return Find<fw::TextField>("TotalScoreField");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText5() const {
    return Find<fw::Label>("StaticText5");
}
std::shared_ptr<fw::TextField> KarutaWindow::TimeField() const {
    return Find<fw::TextField>("TimeField");
}
std::shared_ptr<fw::Timer> KarutaWindow::MyTimer() const { return Find<fw::Timer>("MyTimer"); }
std::shared_ptr<fw::Separator> KarutaWindow::Separator1() const {
    return Find<fw::Separator>("Separator1");
}
std::shared_ptr<fw::PushButton> KarutaWindow::StartButton() const {
    return Find<fw::PushButton>("StartButton");
}
std::shared_ptr<fw::TextArea> KarutaWindow::OdaiField() const {
    return Find<fw::TextArea>("OdaiField");
}
std::shared_ptr<fw::Listbox> KarutaWindow::ListBox1() const {
    return Find<fw::Listbox>("ListBox1");
}
std::shared_ptr<fw::Listbox> KarutaWindow::ListBox2() const {
    return Find<fw::Listbox>("ListBox2");
}
std::shared_ptr<fw::Listbox> KarutaWindow::ListBox3() const {
    return Find<fw::Listbox>("ListBox3");
}
std::shared_ptr<fw::Listbox> KarutaWindow::ListBox4() const {
    return Find<fw::Listbox>("ListBox4");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText6() const {
    return Find<fw::Label>("StaticText6");
}
std::shared_ptr<fw::TextField> KarutaWindow::KaisuField() const {
    return Find<fw::TextField>("KaisuField");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText7() const {
    return Find<fw::Label>("StaticText7");
}
std::shared_ptr<fw::Label> KarutaWindow::StaticText8() const {
    return Find<fw::Label>("StaticText8");
}
std::shared_ptr<fw::TextField> KarutaWindow::HighScoreField() const {
    return Find<fw::TextField>("HighScoreField");
}
std::shared_ptr<fw::Label> KarutaWindow::ShogoText() const { return Find<fw::Label>("ShogoText"); }
std::shared_ptr<fw::Separator> KarutaWindow::Separator2() const {
    return Find<fw::Separator>("Separator2");
}
std::shared_ptr<fw::TextArea> KarutaWindow::MyField() const {
    return Find<fw::TextArea>("MyField");
}
std::shared_ptr<fw::Canvas> KarutaWindow::MyCanvas() const { return Find<fw::Canvas>("MyCanvas"); }
std::shared_ptr<fw::Label> KarutaWindow::Label1() const { return Find<fw::Label>("Label1"); }

// ---- Menu-item accessors ----------------------------------------------------------------

template <class T>
std::shared_ptr<T> KarutaWindow::FindItem(std::string_view name) const {
    const std::shared_ptr<fw::MenuBar> bar = MenuBar();
    if (!bar) throw fw::NilObjectException("the game window has no menu bar");
    return fw::RuntimeCheckCast<T>(bar->Lookup(name));
}

std::shared_ptr<fw::MenuItem> KarutaWindow::UntitledMenu2() const {
    return FindItem<fw::MenuItem>("UntitledMenu2");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::EditMenu() const {
    return FindItem<fw::MenuItem>("EditMenu");
}
std::shared_ptr<fw::AppMenuItem> KarutaWindow::UntitledMenu3() const {
    return FindItem<fw::AppMenuItem>("UntitledMenu3");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::UntitledMenu4() const {
    return FindItem<fw::MenuItem>("UntitledMenu4");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::EditClear() const {
    return FindItem<fw::MenuItem>("EditClear");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::EditPaste() const {
    return FindItem<fw::MenuItem>("EditPaste");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::EditCopy() const {
    return FindItem<fw::MenuItem>("EditCopy");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::EditCut() const {
    return FindItem<fw::MenuItem>("EditCut");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::UntitledMenu0() const {
    return FindItem<fw::MenuItem>("UntitledMenu0");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::EditUndo() const {
    return FindItem<fw::MenuItem>("EditUndo");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::FileMenu() const {
    return FindItem<fw::MenuItem>("FileMenu");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::UntitledMenu5() const {
    return FindItem<fw::MenuItem>("UntitledMenu5");
}
std::shared_ptr<fw::QuitMenuItem> KarutaWindow::FileQuit() const {
    return FindItem<fw::QuitMenuItem>("FileQuit");
}
std::shared_ptr<fw::MenuItem> KarutaWindow::UntitledMenu1() const {
    return FindItem<fw::MenuItem>("UntitledMenu1");
}

// ---- Opening ----------------------------------------------------------------------------

void KarutaWindow::Event_Open() {
    SetHeight(510);
    SetWidth(570);
    MyPoint = 0;
    TotalPoint = 0;
    HighScore = 0;
    MyFont = "平成明朝";
    Kaisu = 0;
    shogo = "なし";
    Use(ShogoText(), "ShogoText").SetText(shogo);
    auto& poems = Use(OdaiString, "OdaiString");
    for (std::int64_t i = 0; i <= 49; ++i) poems(i) = Use(ListBox1(), "ListBox1").List(i);
    for (std::int64_t j = 50; j <= 99; ++j) poems(j) = Use(ListBox3(), "ListBox3").List(j - 50);
    Use(OdaiField(), "OdaiField").SetFontName(MyFont);
    Use(StartButton(), "StartButton").SetFontName(MyFont);
    Use(StaticText1(), "StaticText1").SetFontName(MyFont);
    Use(StaticText2(), "StaticText2").SetFontName(MyFont);
}

// ---- Card faces -------------------------------------------------------------------------

void KarutaWindow::Fuda(std::int64_t slot) {
    const std::int64_t card = Use(FudaNum, "FudaNum")(slot);
    if (card < 0 || card >= kCardCount) return;
    fw::Canvas& face = Use(FudaCanvas(slot), "FudaCanvas");
    face.SetBackdrop(kCardPictures[static_cast<std::size_t>(card)]());
}

void KarutaWindow::CardCanvas_Open(const std::shared_ptr<fw::Canvas>& sender) {
    Use(fw::RuntimeCheckCast<game::CardCanvas>(sender), "the card frame").SetBackdrop(Green());
}

void KarutaWindow::FudaCanvas_Open(const std::shared_ptr<fw::Canvas>& sender) {
    Use(fw::RuntimeCheckCast<game::FudaCanvas>(sender), "the card face").SetBackdrop(Green());
}

void KarutaWindow::CardCanvas_Paint(const std::shared_ptr<fw::Canvas>& sender, fw::Graphics& g,
                                    const std::vector<fw::Rect>&) {
    PaintBackdrop(Use(fw::RuntimeCheckCast<game::CardCanvas>(sender), "the card frame"), g);
}

void KarutaWindow::FudaCanvas_Paint(const std::shared_ptr<fw::Canvas>& sender, fw::Graphics& g,
                                    const std::vector<fw::Rect>&) {
    PaintBackdrop(Use(fw::RuntimeCheckCast<game::FudaCanvas>(sender), "the card face"), g);
}

}  // namespace game
