#include "game/CardCanvas.h"

#include "fw/DesignRecord.h"
#include "fw/Window.h"
#include "game/KarutaLayout.h"
#include "game/KarutaWindow.h"

namespace game {

namespace {

std::shared_ptr<KarutaWindow> GameWindowOf(const fw::Control& control) {
    auto window = fw::RuntimeCheckCast<KarutaWindow>(control.Window());
    if (!window) throw fw::NilObjectException("the card frame has no game window");
    return window;
}

}  // namespace

void CardCanvas::Constructor(std::int64_t index) {
    SetIndex(index);
    fw::RectControl::Constructor();
}

// Sets the canvas up by itself as a further member of the set, from member 1's design.
void CardCanvas::Constructor() {
    fw::SetProperties(*this, layout::RecordOf("CardCanvas", 1));
    fw::RuntimeAddEventHandler(
        Open, fw::RuntimeCreateDelegate(GameWindowOf(*this), &KarutaWindow::CardCanvas_Open));
    fw::RuntimeAddEventHandler(
        Paint, fw::RuntimeCreateDelegate(GameWindowOf(*this), &KarutaWindow::CardCanvas_Paint));
    SetIndex(0);
    auto window = Window();
    if (!window) throw fw::NilObjectException("the card frame has no window");
    window->AddControl("CardCanvas", shared_from_this());
    fw::RectControl::Constructor();
}

void CardCanvas::ctblinit() { Lookup(); }

const fw::ClassRecord& CardCanvas::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "KarutaWindow.CardCanvas",
        .super = &fw::Canvas::Lookup(),
        .factory = [] { return std::make_shared<CardCanvas>(); },
        .members = {{"Constructor", "", {}}, {"Constructor", "index As Integer", {}}},
        .attributes = {{"DefaultEvent", "Paint"}},
    });
    return record;
}

const fw::ClassRecord& CardCanvas::Class() const { return Lookup(); }

}  // namespace game
