#include "fw/PushButton.h"

#include <QPushButton>

#include "PropertyTables.h"
#include "fw/Runtime.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

PushButton::PushButton() = default;

QWidget* PushButton::CreateWidget(QWidget* parent) {
    auto* button = new QPushButton(parent);
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        auto self = weak_from_this().lock();
        if (self) Deliver([&] { Action.Raise(self); });
    });
    return button;
}

void PushButton::SyncWidget() {
    if (auto* button = static_cast<QPushButton*>(NativeHandle())) {
        ApplyFont(button);
        button->setText(detail::ToQt(caption_));
        button->setDefault(default_);
        button->setAutoDefault(default_);
    }
    RectControl::SyncWidget();
}

void PushButton::FontChanged() { ApplyFont(NativeHandle()); }

void PushButton::SetCaption(const std::string& caption) {
    RequireUIThread();
    caption_ = caption;
    if (auto* button = static_cast<QPushButton*>(NativeHandle()))
        button->setText(detail::ToQt(caption));
}

void PushButton::SetDefault(bool isDefault) {
    RequireUIThread();
    default_ = isDefault;
    if (auto* button = static_cast<QPushButton*>(NativeHandle())) {
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
    }
}

void PushButton::SetCancel(bool isCancel) {
    RequireUIThread();
    cancel_ = isCancel;
}

const ClassRecord& PushButton::Lookup() {
    using P = PushButton;
    static const ClassRecord& record = RegisterClass({
        .name = "PushButton",
        .super = &RectControl::Lookup(),
        .factory = [] { return std::make_shared<PushButton>(); },
        .members = {{"Push", "", {}}, {"FontName", "", {}}},
        .properties = detail::Join(
            {
                BoundProperty<P>("Caption", PropertyType::String, &P::Caption, &P::SetCaption),
                BoundProperty<P>("Default", PropertyType::Boolean, &P::Default, &P::SetDefault),
                BoundProperty<P>("Cancel", PropertyType::Boolean, &P::Cancel, &P::SetCancel),
                detail::StoredInt("MacButtonStyle"),
            },
            detail::FontProperties<P>()),
    });
    return record;
}
const ClassRecord& PushButton::Class() const { return Lookup(); }

}  // namespace fw
