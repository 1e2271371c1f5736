#include "fw/Label.h"

#include <QLabel>

#include "PropertyTables.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

namespace {

Qt::Alignment AlignmentOf(std::int64_t alignment, bool multiLine) {
    Qt::Alignment h = alignment == 2   ? Qt::AlignHCenter
                      : alignment == 3 ? Qt::AlignRight
                                       : Qt::AlignLeft;
    return h | (multiLine ? Qt::AlignTop : Qt::AlignVCenter);
}

}  // namespace

Label::Label() = default;

QWidget* Label::CreateWidget(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(false);
    return label;
}

void Label::SyncText() {
    auto* label = static_cast<QLabel*>(NativeHandle());
    if (!label) return;
    QString shown = detail::DisplayText(text_);
    if (!multiLine_) shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    label->setText(shown);
    label->setWordWrap(multiLine_);
    label->setAlignment(AlignmentOf(alignment_, multiLine_));
    label->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    const QColor color(textColor_.Red(), textColor_.Green(), textColor_.Blue());
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == color) return;  // a new palette restyles the label
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

void Label::SyncWidget() {
    ApplyFont(NativeHandle());
    SyncText();
    RectControl::SyncWidget();
}

void Label::FontChanged() { ApplyFont(NativeHandle()); }

void Label::SetText(const std::string& text) {
    RequireUIThread();
    text_ = text;
    SyncText();
}
void Label::SetMultiLine(bool multiLine) {
    RequireUIThread();
    multiLine_ = multiLine;
    SyncText();
}
void Label::SetSelectable(bool selectable) {
    RequireUIThread();
    selectable_ = selectable;
    SyncText();
}
void Label::SetTextAlignment(std::int64_t alignment) {
    RequireUIThread();
    alignment_ = alignment;
    SyncText();
}
void Label::SetTextColor(fw::Color color) {
    RequireUIThread();
    textColor_ = color;
    SyncText();
}

const ClassRecord& Label::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Label",
        .super = &RectControl::Lookup(),
        .factory = [] { return std::make_shared<Label>(); },
        .members = {{"Text", "", {}}, {"FontName", "", {}}},
        .properties = detail::Join(
            {
                BoundProperty<Label>("Text", PropertyType::String, &Label::Text, &Label::SetText),
                BoundProperty<Label>("MultiLine", PropertyType::Boolean, &Label::MultiLine,
                                     &Label::SetMultiLine),
                BoundProperty<Label>("Selectable", PropertyType::Boolean, &Label::Selectable,
                                     &Label::SetSelectable),
                BoundProperty<Label>("TextAlignment", PropertyType::Integer, &Label::TextAlignment,
                                     &Label::SetTextAlignment),
                BoundProperty<Label>("TextColor", PropertyType::Color, &Label::TextColor,
                                     &Label::SetTextColor),
                detail::StoredText("DataSource"),
                detail::StoredText("DataField"),
            },
            detail::FontProperties<Label>()),
    });
    return record;
}
const ClassRecord& Label::Class() const { return Lookup(); }

}  // namespace fw
