#pragma once
// A drop-down menu: a pop-up panel on the kit's floating list, drawn above
// the whole screen at screen coordinates, holding a one-column table of
// entries and that table's scroll bar. Entries are table rows: the text in
// the row's only cell, plus the row's data and extra object.
//
// While open, a press on the list captures the mouse for the table, whose
// release chooses the row under the pointer and closes the menu (a release
// off the rows chooses nothing and leaves the menu open); a press anywhere
// else (the gadget that opened it included) closes the menu without a
// choice and is consumed: the hidden menu keeps the capture until the button
// goes up. The mouse wheel scrolls an open menu's list, wherever the pointer
// is.
//
// Events: GadgetSelect on every `Select` (Source the menu, Data the entry's
// data, Y the index, Extra the entry's extra); GadgetOpen when it opens;
// GadgetClose whenever it closes (Source the menu). A choice also reaches
// the owner, which reports it and posts GadgetClose with Source the owner
// and Extra the menu.
//
// Wherever an index is taken, -2 means the selected entry; the accessors
// give empty text, 0 or Null for entries that do not exist.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TTable;

/// What a gadget that opens a menu (a combo box) implements to hear of a
/// choice made in it.
class kit_MenuOwner {
public:
    /// The menu's selection changed by a choice.
    virtual void OnItemChosen() = 0;

protected:
    ~kit_MenuOwner() = default;
};

class kit_TMenu : public kit_TGadget {
public:
    std::weak_ptr<kit_TGadget> Owner;  ///< the gadget the menu serves; it holds the menu
    std::shared_ptr<kit_TTable> Table;
    int MaxHeight = 0;

    void Draw(float parentX, float parentY) override;
    /// The list first; then, while open, the wheel scrolls the list and a
    /// press anywhere else closes the menu.
    void Update(int parentX, int parentY) override;
    /// Takes the capture; an open menu posts GadgetClose and hides.
    void OnMouseDown(int parentX, int parentY) override;
    /// Height from the entries, limited to `MaxHeight`; the table follows.
    void Refresh() override;
    /// A release on the table's rows: close, notify the owner, hide.
    bool ChildReleased(kit_TGadget& child) override;

    virtual void AddItem(const std::string& text, int data = 0,
                         const kit_ObjectRef& extra = nullptr);
    virtual void RemoveItem(int index);
    /// Removes every entry, then `Select(-1)`.
    virtual void Clear();
    virtual int ItemCount() const;
    /// Selects the entry (anything else clears the selection) and posts
    /// GadgetSelect.
    virtual void Select(int index);
    virtual int GetSelectedIndex() const;
    virtual std::string GetSelectedText() const;
    virtual int GetSelectedData() const;
    virtual std::string ItemText(int index) const;
    virtual int ItemData(int index) const;
    virtual kit_ObjectRef ItemExtra(int index) const;
    virtual void SetItemText(int index, const std::string& text);
    virtual void SetItemExtra(int index, const kit_ObjectRef& extra);
    virtual void SetItemData(int index, int data);
    /// Shows the menu at screen position (x, y), takes the mouse and posts
    /// GadgetOpen.
    virtual void OpenAt(int x, int y);
    /// Reports the current selection as a choice and closes the menu.
    virtual void Choose();
    /// Gives the mouse back, tells the owner of the choice and posts the
    /// GadgetClose events. Does not hide the menu.
    virtual void CloseAndNotify();
    virtual void SetOwner(const kit_GadgetRef& gadget) { Owner = gadget; }

    /// A hidden menu of `w` x `h` at most, rows `itemH` high, added to the
    /// kit's floating list.
    static std::shared_ptr<kit_TMenu> Create(const std::string& name, float x, float y, float w,
                                             float h, int itemH);
    /// Nine-slice from SkinPath + "/graphics/menu.png".
    static void LoadSkin();
};

std::shared_ptr<kit_TMenu> kit_CreateMenu(const std::string& name, float x, float y, float w,
                                          float h, int itemH);
