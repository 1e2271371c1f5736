#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fw/Control.h"

namespace fw {

// A list of rows.
class Listbox : public RectControl, public FontStyled {
public:
    FW_OBJECT;

    Listbox();

    // The initial rows, separated by CR LF (a lone CR or LF also ends a row). A line end after
    // the last row ends that row and makes no empty row of its own.
    const std::string& InitialValue() const { return initialValue_; }
    void SetInitialValue(const std::string& value);

    std::int64_t ListCount() const { return static_cast<std::int64_t>(rows_.size()); }
    // The text of row `row` (from 0), without its line end; OutOfBoundsException outside.
    std::string List(std::int64_t row) const;
    void AddRow(const std::string& text);

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void SyncWidget() override;
    void FontChanged() override;

private:
    void SyncRows();

    std::string initialValue_;
    std::vector<std::string> rows_;
};

}  // namespace fw
