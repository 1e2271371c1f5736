#pragma once

#include <cstdint>
#include <string>

#include "fw/Control.h"

namespace fw {

// A control the user can type into. Text() reads what the field holds now, typing included.
class TextEdit : public RectControl, public FontStyled {
public:
    FW_OBJECT;

    TextEdit();

    std::string Text() const;
    void SetText(const std::string& text);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool HasBorder() const { return hasBorder_; }
    void SetHasBorder(bool hasBorder);
    fw::Color TextColor() const { return textColor_; }
    void SetTextColor(fw::Color color);
    fw::Color BackgroundColor() const { return background_; }
    void SetBackgroundColor(fw::Color color);
    std::int64_t TextAlignment() const { return alignment_; }
    void SetTextAlignment(std::int64_t alignment);
    // 0: no limit.
    std::int64_t MaximumCharactersAllowed() const { return maxChars_; }
    void SetMaximumCharactersAllowed(std::int64_t count);
    // True: the Tab key types a tab into the text. False: Tab and Shift+Tab move the focus on
    // to the next and previous control of the window's tab order.
    bool AllowTabs() const { return allowTabs_; }
    void SetAllowTabs(bool allowTabs);

protected:
    void SyncWidget() override;
    void FontChanged() override;
    // Shows a text the program set; the user's own edits are copied back into text_.
    virtual void SetWidgetText(const std::string& text) = 0;
    virtual void SyncEditState() = 0;

    std::string text_;
    bool readOnly_ = false, hasBorder_ = true, allowTabs_ = false;
    fw::Color textColor_{0}, background_{0x00ffffff};
    std::int64_t alignment_ = 0, maxChars_ = 0;
};

// A one-line text field.
class TextField : public TextEdit {
public:
    FW_OBJECT;

    TextField();

    bool Password() const { return password_; }
    void SetPassword(bool password);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void SetWidgetText(const std::string& text) override;
    void SyncEditState() override;

private:
    bool password_ = false;
};

// A text area of one or more lines. With MultiLine True it takes the Return key for a line
// break; otherwise Return goes on to the window (its default button).
class TextArea : public TextEdit {
public:
    FW_OBJECT;

    TextArea();

    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    bool HasVerticalScrollbar() const { return vScroll_; }
    void SetHasVerticalScrollbar(bool v);
    bool HasHorizontalScrollbar() const { return hScroll_; }
    void SetHasHorizontalScrollbar(bool v);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void SetWidgetText(const std::string& text) override;
    void SyncEditState() override;

private:
    bool multiLine_ = true, vScroll_ = true, hScroll_ = false;
};

}  // namespace fw
