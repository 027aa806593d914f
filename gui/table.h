#pragma once
// A multi-column list of text rows with an optional header, row selection
// and a vertical scroll bar of its own. Rows are `RowHeight` + 2 pixels
// apart and columns their width + 3; the table's width follows its columns.
//
// The scroll bar is a sibling of the table (a child of the table's parent,
// added after it), placed 2 pixels right of the last column and shown only
// while the rows do not fit. A table made without a parent leaves its bar
// without one too: the caller adds both to the screen.
//
// A click on a row selects it: the row under the release, wherever the
// press began. The table then calls its parent's `ChildReleased`: a pop-up
// holding the table (a drop-down menu) handles the choice there and returns
// true; otherwise the table posts GadgetSelect with Data the row's data, X
// the column and Y the row. The mouse wheel over the table scrolls it three
// rows a notch.
//
// Wherever a row is taken, -2 means the selected row. Colour, text colour
// and the alphas have three sets, chosen by the `index` of the colour
// operations: 0 rows, 1 the selected row, 2 the header.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gui/gadget.h"
#include "gui/table_item.h"

class kit_TScrollBar;

class kit_TTable : public kit_TGadget {
public:
    std::vector<std::string> ColumnTitles;
    std::vector<int> ColumnWidths;
    int RowHeight = 20;  ///< also the header's height
    std::vector<kit_TableItemRef> Rows;
    int ShowHeader = 0;
    int HighlightSelection = 1;  ///< 1 = the selected row is drawn in set 1
    std::array<kit_RGB, 3> BackColors{kit_RGB{255, 255, 255}, kit_RGB{0, 0, 0},
                                      kit_RGB{255, 255, 255}};
    std::array<kit_RGB, 3> TextColors{kit_RGB{0, 0, 0}, kit_RGB{255, 255, 255}, kit_RGB{0, 0, 0}};
    std::array<float, 3> BackAlphas{1.0f, 1.0f, 1.0f};
    std::array<float, 3> TextAlphas{1.0f, 1.0f, 1.0f};
    int SelectedIndex = -1;
    kit_TableItemRef SelectedItem;
    std::shared_ptr<kit_TScrollBar> ScrollBar;
    int ScrollOffset = 0;  ///< minus the scroll bar's value, set in every update
    int HoverRow = -1;     ///< may be past the last row
    int HoverColumn = -1;
    /// 0: backgrounds for every row (0 = only the selected one); 1: header
    /// cell backgrounds.
    std::array<int, 2> Flags{1, 1};

    void Draw(float parentX, float parentY) override;
    void Update(int parentX, int parentY) override;
    /// Takes the wheel, then finds the row and column under the mouse.
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    /// A release on a row selects that row and reports it (see above).
    void OnMouseUp(int parentX, int parentY) override;
    /// The width from the columns; the scroll bar's place, length and total.
    void Refresh() override;
    void SetColor(int r, int g, int b, int index = 0) override;
    void SetColorHex(const std::string& hex, int index = 0) override;
    void SetTextColor(int r, int g, int b, int index = 0) override;
    void SetTextColorHex(const std::string& hex, int index = 0) override;
    void SetAlpha(float a, int index = 0) override;
    void SetTextAlpha(float a, int index = 0) override;

    /// A column at least as wide as its title plus 6 pixels.
    virtual void AddColumn(const std::string& title, int width);
    virtual void SetHighlightSelection(int flag) { HighlightSelection = flag; }
    /// Ignored for a column that does not exist; the layout is not redone.
    virtual void SetColumnWidth(int index, int width);
    /// The cells are cut or padded with empty texts to the column count.
    virtual void AddRow(std::vector<std::string> cells, int data = 0,
                        const kit_ObjectRef& extra = nullptr);
    /// Leaves the selection as it was: its index may then name another row
    /// (or none) while its item is still the removed one.
    virtual void RemoveRow(int row);
    /// Removes every row and the selection.
    virtual void ClearRows();
    virtual int RowCount() const { return static_cast<int>(Rows.size()); }
    /// Stored; the layout is not redone.
    virtual void SetShowHeader(int flag) { ShowHeader = flag; }
    /// Ignored for an index other than 0 or 1.
    virtual void SetFlag(int index, int value);
    /// Selects a row; any other value clears the selection. Posts nothing.
    virtual void Select(int row);
    virtual int GetSelectedIndex() const { return SelectedIndex; }
    /// Empty when the row or column does not exist.
    virtual std::string CellText(int row, int column) const;
    virtual std::vector<std::string> RowCells(int row) const;
    virtual int RowData(int row) const;
    /// First row from `start` on whose data equals `data`; -1 when none.
    virtual int FindRowByData(int data, int start = 0) const;
    virtual kit_ObjectRef RowExtra(int row) const;
    virtual void SetCellText(int row, int column, const std::string& text);
    /// Cut or padded to the column count.
    virtual void SetRowCells(int row, std::vector<std::string> cells);
    virtual void SetRowExtra(int row, const kit_ObjectRef& extra);
    virtual void SetRowData(int row, int data);
    /// Scrolls by the frame's wheel movement when the rows do not fit (see
    /// `kit_TScrollBar::TakeWheel`); true when it took a movement.
    virtual bool TakeWheel();

    static std::shared_ptr<kit_TTable> Create(const std::string& name, float x, float y, float h,
                                              const std::string& firstTitle, int firstWidth,
                                              int rowHeight, int showHeader,
                                              const kit_GadgetRef& parent);

protected:
    /// The row item, or Null for a row that does not exist (-2 the selected).
    kit_TableItemRef Item(int row) const;

private:
    /// Height of the header with its gap, 0 without a header.
    int HeaderSpace(int gap) const { return (RowHeight + gap) * ShowHeader; }
    /// Whether the mouse is over the rows area below the header.
    bool MouseOverRows(int parentX, int parentY) const;
    /// `HoverRow` and `HoverColumn` from the mouse position (both -1 off the
    /// rows area); true when the mouse is over the rows area.
    bool FindHover(int parentX, int parentY);
    void FitCells(std::vector<std::string>& cells) const;
};

std::shared_ptr<kit_TTable> kit_CreateTable(const std::string& name, float x, float y, float h,
                                            const std::string& firstTitle, int firstWidth,
                                            int rowHeight, int showHeader,
                                            const kit_GadgetRef& parent = nullptr);
