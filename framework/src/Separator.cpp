#include "fw/Separator.h"

#include <QFrame>

namespace fw {

Separator::Separator() = default;

QWidget* Separator::CreateWidget(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(Width() >= Height() ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

const ClassRecord& Separator::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Separator",
        .super = &RectControl::Lookup(),
        .factory = [] { return std::make_shared<Separator>(); },
    });
    return record;
}
const ClassRecord& Separator::Class() const { return Lookup(); }

}  // namespace fw
