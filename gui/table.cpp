#include "gui/table.h"

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/scroll_bar.h"
#include "gui/state.h"
#include "gui/support.h"

namespace {

bool valid_set(int index) {
    return index >= 0 && index < 3;
}

}  // namespace

void kit_TTable::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const float gx = parentX + X;
    float gy = parentY + Y;
    if (ShowHeader) {
        if (Flags[1]) {
            const DrawParams back = kit_Params(BackColors[2], BackAlphas[2]);
            float s = 0;
            for (const int width : ColumnWidths) {
                gfx_draw_rect_with(gx + s, gy, width, RowHeight, back);
                s += static_cast<float>(width + 3);
            }
        }
        const DrawParams text = kit_Params(TextColors[2], TextAlphas[2]);
        float t = 3;
        for (std::size_t i = 0; i < ColumnTitles.size(); ++i) {
            kit_DrawText(ColumnTitles[i], gx + t, gy + 3, Font, text);
            t += static_cast<float>(ColumnWidths[i] + 3);
        }
    } else {
        gy -= static_cast<float>(RowHeight + 2);
    }
    const auto pitch = static_cast<float>(RowHeight + 2);
    {
        const GfxStateGuard keep;
        kit_ClipViewport(static_cast<int>(gx), static_cast<int>(gy + pitch), static_cast<int>(W),
                         static_cast<int>(H - pitch * static_cast<float>(ShowHeader)));
        for (std::size_t n = 0; n < Rows.size(); ++n) {
            const float rowY =
                gy + static_cast<float>(n + 1) * pitch + static_cast<float>(ScrollOffset);
            const bool selected = static_cast<int>(n) == SelectedIndex;
            const std::size_t set = selected && HighlightSelection == 1 ? 1 : 0;
            if (Flags[0] || selected) {
                const DrawParams back = kit_Params(BackColors[set], BackAlphas[set]);
                float s = 0;
                for (const int width : ColumnWidths) {
                    if (kit_RectVisible(static_cast<int>(gx + s), static_cast<int>(rowY), width)) {
                        gfx_draw_rect_with(gx + s, rowY, width, RowHeight, back);
                    }
                    s += static_cast<float>(width + 3);
                }
            }
            const DrawParams text = kit_Params(TextColors[set], TextAlphas[set]);
            float t = 3;
            for (std::size_t i = 0; i < ColumnWidths.size(); ++i) {
                const int width = ColumnWidths[i];
                if (kit_RectVisible(static_cast<int>(gx + t - 3), static_cast<int>(rowY), width)) {
                    kit_DrawText(Rows[n]->Cell(static_cast<int>(i)), gx + t, rowY + 3, Font, text);
                }
                t += static_cast<float>(width + 3);
            }
        }
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TTable::Update(int parentX, int parentY) {
    ScrollOffset = ScrollBar ? -ScrollBar->GetValue() : 0;
    kit_TGadget::Update(parentX, parentY);
}

bool kit_TTable::MouseOverRows(int parentX, int parentY) const {
    const auto left = static_cast<float>(static_cast<int>(static_cast<float>(parentX) + X));
    const auto top =
        static_cast<float>(static_cast<int>(static_cast<float>(parentY) + Y) + HeaderSpace(2));
    return kit_MouseInRect(left, top, static_cast<float>(static_cast<int>(W)),
                           static_cast<float>(static_cast<int>(H - HeaderSpace(2))));
}

void kit_TTable::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
    TakeWheel();
    FindHover(parentX, parentY);
}

bool kit_TTable::TakeWheel() {
    if (!ScrollBar || !ScrollBar->TakeWheel()) return false;
    // The rows move in this frame, so the row under the pointer is found
    // where they are drawn next.
    ScrollOffset = -ScrollBar->GetValue();
    return true;
}

bool kit_TTable::FindHover(int parentX, int parentY) {
    if (!MouseOverRows(parentX, parentY)) {
        HoverRow = -1;
        HoverColumn = -1;
        return false;
    }
    const int firstRowTop = static_cast<int>(static_cast<float>(parentY) + Y) + HeaderSpace(2);
    const int rowTop = firstRowTop + ScrollOffset;
    HoverRow = (in_mouse_y() - rowTop) / (RowHeight + 2);
    // Right of the last column (widths changed without a new layout) no
    // column matches.
    HoverColumn = -1;
    const int x = in_mouse_x() - static_cast<int>(static_cast<float>(parentX) + X);
    int edge = -1;
    for (std::size_t i = 0; i < ColumnWidths.size(); ++i) {
        edge += ColumnWidths[i] + 3;
        if (x < edge) {
            HoverColumn = static_cast<int>(i);
            break;
        }
    }
    return true;
}

void kit_TTable::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
}

void kit_TTable::OnMouseUp(int parentX, int parentY) {
    // The pointer may have moved to another row since the press: the row
    // let go on is the one chosen.
    const bool onRows = FindHover(parentX, parentY);
    kit_TGadget::OnMouseUp(parentX, parentY);
    if (!onRows || HoverRow < 0 || HoverRow >= RowCount()) return;
    Select(HoverRow);
    // A pop-up built around the table takes the choice itself.
    if (const kit_GadgetRef parent = GetParent(); parent && parent->ChildReleased(*this)) return;
    kit_TEvent::Create(kit_EventGadgetSelect, Self(), RowData(HoverRow), HoverColumn, HoverRow,
                       nullptr);
}

void kit_TTable::Refresh() {
    int w = -3;
    for (const int width : ColumnWidths) w += width + 3;
    W = static_cast<float>(w);
    if (!ScrollBar) return;
    ScrollBar->SetPosition(static_cast<int>(X + W + 2),
                           static_cast<int>(Y + static_cast<float>(HeaderSpace(3))));
    const int visible = static_cast<int>(H - static_cast<float>(HeaderSpace(3)));
    const int total = RowCount() * (RowHeight + 2) - 2;
    ScrollBar->SetLength(visible);
    ScrollBar->SetVisible(visible);
    ScrollBar->SetTotal(total);
    if (visible < total) {
        ScrollBar->Show();
    } else {
        ScrollBar->Hide();
    }
}

void kit_TTable::SetColor(int r, int g, int b, int index) {
    if (valid_set(index)) BackColors[static_cast<std::size_t>(index)] = kit_RGB{r, g, b};
}

void kit_TTable::SetColorHex(const std::string& hex, int index) {
    int r = 0, g = 0, b = 0;
    kit_ParseHexColor(hex, r, g, b);
    SetColor(r, g, b, index);
}

void kit_TTable::SetTextColor(int r, int g, int b, int index) {
    if (valid_set(index)) TextColors[static_cast<std::size_t>(index)] = kit_RGB{r, g, b};
}

void kit_TTable::SetTextColorHex(const std::string& hex, int index) {
    int r = 0, g = 0, b = 0;
    kit_ParseHexColor(hex, r, g, b);
    SetTextColor(r, g, b, index);
}

void kit_TTable::SetAlpha(float a, int index) {
    if (valid_set(index)) BackAlphas[static_cast<std::size_t>(index)] = a;
}

void kit_TTable::SetTextAlpha(float a, int index) {
    if (valid_set(index)) TextAlphas[static_cast<std::size_t>(index)] = a;
}

void kit_TTable::AddColumn(const std::string& title, int width) {
    int least = 0;
    {
        const kit_FontScope use(Font);
        least = gfx_text_width(title) + 6;
    }
    ColumnTitles.push_back(title);
    ColumnWidths.push_back(width < least ? least : width);
    Refresh();
}

void kit_TTable::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= static_cast<int>(ColumnWidths.size())) return;
    ColumnWidths[static_cast<std::size_t>(index)] = width;
}

void kit_TTable::FitCells(std::vector<std::string>& cells) const {
    cells.resize(ColumnWidths.size());
}

void kit_TTable::AddRow(std::vector<std::string> cells, int data, const kit_ObjectRef& extra) {
    FitCells(cells);
    Rows.push_back(kit_TTableItem::Create(std::move(cells), data, extra));
    Refresh();
}

void kit_TTable::RemoveRow(int row) {
    if (row == -2) row = SelectedIndex;
    if (row < 0 || row >= RowCount()) return;
    Rows.erase(Rows.begin() + row);
    Refresh();
}

void kit_TTable::ClearRows() {
    Rows.clear();
    Select(-1);
    Refresh();
}

void kit_TTable::SetFlag(int index, int value) {
    if (index == 0 || index == 1) Flags[static_cast<std::size_t>(index)] = value;
}

void kit_TTable::Select(int row) {
    if (row >= 0 && row < RowCount()) {
        SelectedIndex = row;
        SelectedItem = Rows[static_cast<std::size_t>(row)];
    } else {
        SelectedIndex = -1;
        SelectedItem.reset();
    }
}

kit_TableItemRef kit_TTable::Item(int row) const {
    if (row == -2) row = SelectedIndex;
    if (row < 0 || row >= RowCount()) return nullptr;
    return Rows[static_cast<std::size_t>(row)];
}

std::string kit_TTable::CellText(int row, int column) const {
    const kit_TableItemRef item = Item(row);
    return item ? item->Cell(column) : std::string();
}

std::vector<std::string> kit_TTable::RowCells(int row) const {
    const kit_TableItemRef item = Item(row);
    return item ? item->GetCells() : std::vector<std::string>();
}

int kit_TTable::RowData(int row) const {
    const kit_TableItemRef item = Item(row);
    return item ? item->GetData() : 0;
}

int kit_TTable::FindRowByData(int data, int start) const {
    for (int row = start < 0 ? 0 : start; row < RowCount(); ++row) {
        if (Rows[static_cast<std::size_t>(row)]->GetData() == data) return row;
    }
    return -1;
}

kit_ObjectRef kit_TTable::RowExtra(int row) const {
    const kit_TableItemRef item = Item(row);
    return item ? item->GetExtra() : nullptr;
}

void kit_TTable::SetCellText(int row, int column, const std::string& text) {
    if (const kit_TableItemRef item = Item(row)) item->SetCell(column, text);
}

void kit_TTable::SetRowCells(int row, std::vector<std::string> cells) {
    if (const kit_TableItemRef item = Item(row)) {
        FitCells(cells);
        item->SetCells(std::move(cells));
    }
}

void kit_TTable::SetRowExtra(int row, const kit_ObjectRef& extra) {
    if (const kit_TableItemRef item = Item(row)) item->SetExtra(extra);
}

void kit_TTable::SetRowData(int row, int data) {
    if (const kit_TableItemRef item = Item(row)) item->SetData(data);
}

std::shared_ptr<kit_TTable> kit_TTable::Create(const std::string& name, float x, float y, float h,
                                               const std::string& firstTitle, int firstWidth,
                                               int rowHeight, int showHeader,
                                               const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto table = std::make_shared<kit_TTable>();
    table->Init(name, x, y, 0, h, parent);
    table->RowHeight = rowHeight == 0 ? 20 : rowHeight;
    table->ShowHeader = showHeader;
    const int pitch = table->RowHeight + 2;
    const auto length = static_cast<int>(h) - table->RowHeight - 3;
    table->ScrollBar =
        kit_CreateScrollBar(name + ":Scroll", x + 2, y + static_cast<float>(table->RowHeight + 3),
                            length, 0, 0, length, parent);
    table->ScrollBar->SetStep(pitch);
    table->ScrollBar->SetPageStep(pitch * 10);
    table->ScrollBar->WheelStep = pitch * 3;
    table->AddColumn(firstTitle, firstWidth);
    table->Refresh();
    return table;
}

std::shared_ptr<kit_TTable> kit_CreateTable(const std::string& name, float x, float y, float h,
                                            const std::string& firstTitle, int firstWidth,
                                            int rowHeight, int showHeader,
                                            const kit_GadgetRef& parent) {
    return kit_TTable::Create(name, x, y, h, firstTitle, firstWidth, rowHeight, showHeader, parent);
}
