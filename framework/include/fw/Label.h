#pragma once

#include <cstdint>
#include <string>

#include "fw/Control.h"

namespace fw {

// A text on a window. Lines of the text may be separated by CR, LF or CR LF; the text reads
// back byte for byte as it was set.
class Label : public RectControl, public FontStyled {
public:
    FW_OBJECT;

    Label();

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    bool Selectable() const { return selectable_; }
    void SetSelectable(bool selectable);
    // 0 default (left), 1 left, 2 centre, 3 right.
    std::int64_t TextAlignment() const { return alignment_; }
    void SetTextAlignment(std::int64_t alignment);
    fw::Color TextColor() const { return textColor_; }
    void SetTextColor(fw::Color color);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void SyncWidget() override;
    void FontChanged() override;

private:
    void SyncText();

    std::string text_;
    bool multiLine_ = false, selectable_ = false;
    std::int64_t alignment_ = 0;
    fw::Color textColor_{0};
};

}  // namespace fw
