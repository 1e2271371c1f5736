#include "fw/TextEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "PropertyTables.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

namespace {

Qt::Alignment HorizontalAlignment(std::int64_t alignment) {
    return alignment == 2 ? Qt::AlignHCenter : alignment == 3 ? Qt::AlignRight : Qt::AlignLeft;
}

void SetColors(QWidget* w, fw::Color text, fw::Color background) {
    const QColor textColor(text.Red(), text.Green(), text.Blue());
    const QColor baseColor(background.Red(), background.Green(), background.Blue());
    QPalette palette = w->palette();
    // Setting a palette restyles the widget: skip it when nothing changes.
    if (palette.color(QPalette::Text) == textColor && palette.color(QPalette::Base) == baseColor)
        return;
    palette.setColor(QPalette::Text, textColor);
    palette.setColor(QPalette::Base, baseColor);
    w->setPalette(palette);
}

// A line edit passes Tab on to the focus chain; this one types it when its field allows tabs.
class FieldWidget : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool takesTabs = false;

protected:
    bool focusNextPrevChild(bool next) override {
        return TakesTab() ? false : QLineEdit::focusNextPrevChild(next);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (TakesTab() && event->key() == Qt::Key_Tab &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            insert(QStringLiteral("\t"));
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    bool TakesTab() const { return takesTabs && !isReadOnly(); }
};

// A plain-text edit takes every Return; a text area that is not multi-line leaves it to the
// window, whose default button answers it.
class AreaWidget : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    bool multiLine = true;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!multiLine && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            event->ignore();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

}  // namespace

TextEdit::TextEdit() = default;

std::string TextEdit::Text() const {
    RequireUIThread();
    return text_;
}

void TextEdit::SetText(const std::string& text) {
    RequireUIThread();
    text_ = text;
    if (NativeHandle()) SetWidgetText(text);
}

void TextEdit::SyncWidget() {
    ApplyFont(NativeHandle());
    SetWidgetText(text_);
    SyncEditState();
    RectControl::SyncWidget();
}

void TextEdit::FontChanged() { ApplyFont(NativeHandle()); }

#define FW_EDIT_SETTER(Setter, Type, field)  \
    void TextEdit::Setter(Type value) {      \
        RequireUIThread();                   \
        field = value;                       \
        if (NativeHandle()) SyncEditState(); \
    }
FW_EDIT_SETTER(SetReadOnly, bool, readOnly_)
FW_EDIT_SETTER(SetHasBorder, bool, hasBorder_)
FW_EDIT_SETTER(SetTextColor, fw::Color, textColor_)
FW_EDIT_SETTER(SetBackgroundColor, fw::Color, background_)
FW_EDIT_SETTER(SetTextAlignment, std::int64_t, alignment_)
FW_EDIT_SETTER(SetMaximumCharactersAllowed, std::int64_t, maxChars_)
FW_EDIT_SETTER(SetAllowTabs, bool, allowTabs_)
#undef FW_EDIT_SETTER

namespace {

template <class C>
std::vector<PropertyDesc> TextEditProperties() {
    using detail::StoredBool;
    using detail::StoredText;
    return detail::Join(
        {
            BoundProperty<C>("Text", PropertyType::String, &C::Text, &C::SetText),
            BoundProperty<C>("ReadOnly", PropertyType::Boolean, &C::ReadOnly, &C::SetReadOnly),
            BoundProperty<C>("HasBorder", PropertyType::Boolean, &C::HasBorder, &C::SetHasBorder),
            BoundProperty<C>("TextColor", PropertyType::Color, &C::TextColor, &C::SetTextColor),
            BoundProperty<C>("BackgroundColor", PropertyType::Color, &C::BackgroundColor,
                             &C::SetBackgroundColor),
            BoundProperty<C>("TextAlignment", PropertyType::Integer, &C::TextAlignment,
                             &C::SetTextAlignment),
            BoundProperty<C>("MaximumCharactersAllowed", PropertyType::Integer,
                             &C::MaximumCharactersAllowed, &C::SetMaximumCharactersAllowed),
            StoredText("Format"),
            StoredBool("AllowFocusRing", true),
            BoundProperty<C>("AllowTabs", PropertyType::Boolean, &C::AllowTabs, &C::SetAllowTabs),
            StoredBool("AllowSpellChecking"),
            StoredText("ValidationMask"),
            StoredText("DataSource"),
            StoredText("DataField"),
        },
        detail::FontProperties<C>());
}

}  // namespace

const ClassRecord& TextEdit::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "TextEdit",
        .super = &RectControl::Lookup(),
        .members = {{"Text", "", {}}},
        .properties = TextEditProperties<TextEdit>(),
    });
    return record;
}
const ClassRecord& TextEdit::Class() const { return Lookup(); }

TextField::TextField() = default;

QWidget* TextField::CreateWidget(QWidget* parent) {
    auto* edit = new FieldWidget(parent);
    // Only the user's own edits are copied back; programmatic ones are already in text_.
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this](const QString& t) { text_ = detail::FromQt(t); });
    return edit;
}

void TextField::SetWidgetText(const std::string& text) {
    if (auto* edit = static_cast<QLineEdit*>(NativeHandle())) {
        edit->setText(detail::ToQt(text));
        // A narrow field the player is not typing in shows the start of a long text.
        if (!edit->hasFocus()) edit->setCursorPosition(0);
    }
}

void TextField::SyncEditState() {
    auto* edit = static_cast<FieldWidget*>(NativeHandle());
    if (!edit) return;
    edit->takesTabs = allowTabs_;
    edit->setReadOnly(readOnly_);
    edit->setFrame(hasBorder_);
    edit->setAlignment(HorizontalAlignment(alignment_) | Qt::AlignVCenter);
    edit->setEchoMode(password_ ? QLineEdit::Password : QLineEdit::Normal);
    edit->setMaxLength(maxChars_ > 0 && maxChars_ < 32767 ? static_cast<int>(maxChars_) : 32767);
    SetColors(edit, textColor_, background_);
}

void TextField::SetPassword(bool password) {
    RequireUIThread();
    password_ = password;
    SyncEditState();
}

const ClassRecord& TextField::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "TextField",
        .super = &TextEdit::Lookup(),
        .factory = [] { return std::make_shared<TextField>(); },
        .properties = {BoundProperty<TextField>("Password", PropertyType::Boolean,
                                                &TextField::Password, &TextField::SetPassword),
                       detail::StoredText("Hint")},
    });
    return record;
}
const ClassRecord& TextField::Class() const { return Lookup(); }

TextArea::TextArea() = default;

QWidget* TextArea::CreateWidget(QWidget* parent) {
    auto* edit = new AreaWidget(parent);
    // Programmatic changes block the signal, so only the user's edits are copied back.
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                     [this, edit] { text_ = detail::FromQt(edit->toPlainText()); });
    return edit;
}

void TextArea::SetWidgetText(const std::string& text) {
    auto* edit = static_cast<QPlainTextEdit*>(NativeHandle());
    if (!edit) return;
    const QSignalBlocker quiet(edit);
    edit->setPlainText(detail::DisplayText(text));
}

void TextArea::SyncEditState() {
    auto* edit = static_cast<AreaWidget*>(NativeHandle());
    if (!edit) return;
    edit->multiLine = multiLine_;
    edit->setTabChangesFocus(!allowTabs_);
    edit->setReadOnly(readOnly_);
    edit->setFrameShape(hasBorder_ ? QFrame::StyledPanel : QFrame::NoFrame);
    edit->setLineWrapMode(multiLine_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(vScroll_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(hScroll_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    SetColors(edit, textColor_, background_);
}

void TextArea::SetMultiLine(bool multiLine) {
    RequireUIThread();
    multiLine_ = multiLine;
    SyncEditState();
}
void TextArea::SetHasVerticalScrollbar(bool v) {
    RequireUIThread();
    vScroll_ = v;
    SyncEditState();
}
void TextArea::SetHasHorizontalScrollbar(bool v) {
    RequireUIThread();
    hScroll_ = v;
    SyncEditState();
}

const ClassRecord& TextArea::Lookup() {
    using detail::StoredBool;
    static const ClassRecord& record = RegisterClass({
        .name = "TextArea",
        .super = &TextEdit::Lookup(),
        .factory = [] { return std::make_shared<TextArea>(); },
        .properties =
            {
                BoundProperty<TextArea>("MultiLine", PropertyType::Boolean, &TextArea::MultiLine,
                                        &TextArea::SetMultiLine),
                BoundProperty<TextArea>("HasVerticalScrollbar", PropertyType::Boolean,
                                        &TextArea::HasVerticalScrollbar,
                                        &TextArea::SetHasVerticalScrollbar),
                BoundProperty<TextArea>("HasHorizontalScrollbar", PropertyType::Boolean,
                                        &TextArea::HasHorizontalScrollbar,
                                        &TextArea::SetHasHorizontalScrollbar),
                StoredBool("HideSelection", true),
                StoredProperty("LineHeight", PropertyType::Double, 0.0),
                StoredProperty("LineSpacing", PropertyType::Double, 1.0),
                StoredBool("AllowStyledText"),
                detail::StoredInt("UnicodeMode"),
            },
    });
    return record;
}
const ClassRecord& TextArea::Class() const { return Lookup(); }

}  // namespace fw
