#include "game/FudaCanvas.h"

#include "fw/DesignRecord.h"
#include "fw/Window.h"
#include "game/KarutaLayout.h"
#include "game/KarutaWindow.h"

namespace game {

namespace {

std::shared_ptr<KarutaWindow> GameWindowOf(const fw::Control& control) {
    auto window = fw::RuntimeCheckCast<KarutaWindow>(control.Window());
    if (!window) throw fw::NilObjectException("the card face has no game window");
    return window;
}

}  // namespace

void FudaCanvas::Constructor(std::int64_t index) {
    SetIndex(index);
    fw::RectControl::Constructor();
}

// Sets the canvas up by itself as a further member of the set, from member 1's design (which
// places it inside card frame 1).
void FudaCanvas::Constructor() {
    fw::SetProperties(*this, layout::RecordOf("FudaCanvas", 1));
    fw::RuntimeAddEventHandler(
        MouseDown,
        fw::RuntimeCreateDelegate(GameWindowOf(*this), &KarutaWindow::FudaCanvas_MouseDown));
    fw::RuntimeAddEventHandler(
        Open, fw::RuntimeCreateDelegate(GameWindowOf(*this), &KarutaWindow::FudaCanvas_Open));
    fw::RuntimeAddEventHandler(
        Paint, fw::RuntimeCreateDelegate(GameWindowOf(*this), &KarutaWindow::FudaCanvas_Paint));
    SetIndex(0);
    auto window = Window();
    if (!window) throw fw::NilObjectException("the card face has no window");
    window->AddControl("FudaCanvas", shared_from_this());
    fw::RectControl::Constructor();
}

void FudaCanvas::ctblinit() { Lookup(); }

const fw::ClassRecord& FudaCanvas::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "KarutaWindow.FudaCanvas",
        .super = &fw::Canvas::Lookup(),
        .factory = [] { return std::make_shared<FudaCanvas>(); },
        .members = {{"Constructor", "", {}}, {"Constructor", "index As Integer", {}}},
        .attributes = {{"DefaultEvent", "Paint"}},
    });
    return record;
}

const fw::ClassRecord& FudaCanvas::Class() const { return Lookup(); }

}  // namespace game
