#include "gui/table_item.h"

std::shared_ptr<kit_TTableItem> kit_TTableItem::Create(std::vector<std::string> cells, int data,
                                                       const kit_ObjectRef& extra) {
    auto item = std::make_shared<kit_TTableItem>();
    item->Cells = std::move(cells);
    item->Data = data;
    item->Extra = extra;
    return item;
}

std::string kit_TTableItem::Cell(int index) const {
    if (index < 0 || index >= static_cast<int>(Cells.size())) return {};
    return Cells[static_cast<std::size_t>(index)];
}

void kit_TTableItem::SetCell(int index, const std::string& text) {
    if (index < 0 || index >= static_cast<int>(Cells.size())) return;
    Cells[static_cast<std::size_t>(index)] = text;
}
