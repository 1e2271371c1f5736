#include "fw/Listbox.h"

#include <QListWidget>

#include "PropertyTables.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

namespace {

std::vector<std::string> SplitRows(std::string_view value) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\r' && value[i] != '\n') continue;
        rows.emplace_back(value.substr(start, i - start));
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < value.size()) rows.emplace_back(value.substr(start));
    return rows;
}

}  // namespace

Listbox::Listbox() = default;

void Listbox::SetInitialValue(const std::string& value) {
    RequireUIThread();
    initialValue_ = value;
    rows_ = SplitRows(value);
    SyncRows();
}

std::string Listbox::List(std::int64_t row) const {
    RequireUIThread();
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException("row " + std::to_string(row) + " of a list of " +
                                   std::to_string(ListCount()));
    return rows_[static_cast<std::size_t>(row)];
}

void Listbox::AddRow(const std::string& text) {
    RequireUIThread();
    rows_.push_back(text);
    if (auto* list = static_cast<QListWidget*>(NativeHandle())) list->addItem(detail::ToQt(text));
}

QWidget* Listbox::CreateWidget(QWidget* parent) { return new QListWidget(parent); }

void Listbox::SyncRows() {
    auto* list = static_cast<QListWidget*>(NativeHandle());
    if (!list) return;
    list->clear();
    for (const std::string& row : rows_) list->addItem(detail::ToQt(row));
}

void Listbox::SyncWidget() {
    ApplyFont(NativeHandle());
    SyncRows();
    RectControl::SyncWidget();
}

void Listbox::FontChanged() { ApplyFont(NativeHandle()); }

const ClassRecord& Listbox::Lookup() {
    using detail::StoredBool;
    using detail::StoredInt;
    using detail::StoredText;
    static const ClassRecord& record = RegisterClass({
        .name = "Listbox",
        .super = &RectControl::Lookup(),
        .factory = [] { return std::make_shared<Listbox>(); },
        .members = {{"List", "row As Integer", {}},
                    {"ListCount", "", {}},
                    {"AddRow", "text As String", {}}},
        .properties = detail::Join(
            {
                BoundProperty<Listbox>("InitialValue", PropertyType::String, &Listbox::InitialValue,
                                       &Listbox::SetInitialValue),
                StoredInt("_ScrollOffset"),
                StoredInt("_ScrollWidth", -1),
                StoredBool("HasBorder", true),
                StoredInt("ColumnCount", 1),
                StoredText("ColumnWidths"),
                StoredInt("DefaultRowHeight", -1),
                StoredInt("GridLinesHorizontalStyle"),
                StoredInt("GridLinesVerticalStyle"),
                StoredBool("HasHeader"),
                StoredInt("HeadingIndex", -1),
                StoredBool("HasHorizontalScrollbar"),
                StoredBool("HasVerticalScrollbar", true),
                StoredBool("DropIndicatorVisible"),
                StoredBool("AllowFocusRing", true),
                StoredBool("AllowAutoHideScrollbars", true),
                StoredBool("AllowResizableColumns"),
                StoredBool("AllowRowDragging"),
                StoredBool("AllowRowReordering"),
                StoredBool("AllowExpandableRows"),
                StoredBool("RequiresSelection"),
                StoredInt("RowSelectionType"),
                StoredText("DataSource"),
                StoredText("DataField"),
            },
            detail::FontProperties<Listbox>()),
    });
    return record;
}
const ClassRecord& Listbox::Class() const { return Lookup(); }

}  // namespace fw
