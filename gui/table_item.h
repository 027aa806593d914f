#pragma once
// One row of a table: a text per column, plus a number and an object the
// caller attaches to the row.

#include <memory>
#include <string>
#include <vector>

#include "gui/object.h"

class kit_TTableItem : public kit_Object {
public:
    std::vector<std::string> Cells;
    kit_ObjectRef Extra;
    int Data = 0;

    static std::shared_ptr<kit_TTableItem> Create(std::vector<std::string> cells, int data,
                                                  const kit_ObjectRef& extra);
    /// Empty text for an index outside the cells.
    virtual std::string Cell(int index) const;
    virtual const std::vector<std::string>& GetCells() const { return Cells; }
    virtual kit_ObjectRef GetExtra() const { return Extra; }
    virtual int GetData() const { return Data; }
    /// Ignored for an index outside the cells.
    virtual void SetCell(int index, const std::string& text);
    virtual void SetCells(std::vector<std::string> cells) { Cells = std::move(cells); }
    virtual void SetExtra(const kit_ObjectRef& extra) { Extra = extra; }
    virtual void SetData(int data) { Data = data; }
};
using kit_TableItemRef = std::shared_ptr<kit_TTableItem>;
