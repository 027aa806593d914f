#pragma once
// A combo box: a skinned box showing the current choice, with an arrow at
// its right end. A click opens its drop-down menu under it, or above it
// when the menu would pass the bottom of the kit's screen; choosing an
// entry there makes it the combo box's selection and reports it.
//
// The selection is the menu's. Wherever an index is taken, -2 means the
// selected entry.
//
// Events (Source the combo box): GadgetSelect when an entry was chosen or
// selected from the program (Data the entry's data, Y its index, Extra its
// extra); GadgetOpen when the menu opens (Data 1, Extra the menu);
// GadgetClose when the menu closes after a choice (Extra the menu). The
// menu posts its own events as well (see gui/menu.h).

#include <memory>
#include <string>

#include "gui/gadget.h"
#include "gui/menu.h"

class kit_TComboBox : public kit_TGadget, public kit_MenuOwner {
public:
    std::string Prompt;  ///< shown while nothing is selected
    std::string DisplayText;
    std::shared_ptr<kit_TMenu> Menu;

    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    /// Opens the menu below the box, or above it when there is no room.
    void OnMouseUp(int parentX, int parentY) override;

    virtual void SetDisplayText(const std::string& text) { DisplayText = text; }
    /// Shows the menu's selection (the prompt when there is none) and
    /// posts GadgetSelect.
    void OnItemChosen() override;
    virtual void AddItem(const std::string& text, int data = 0,
                         const kit_ObjectRef& extra = nullptr);
    virtual void RemoveItem(int index);
    /// Removes every entry, shows the prompt and posts GadgetSelect for the
    /// empty selection.
    virtual void ClearItems();
    virtual int ItemCount() const;
    /// Selects an existing entry and reports it; other values (-2 too) are
    /// ignored.
    virtual void Select(int index);
    virtual int GetSelectedIndex() const;
    virtual std::string GetSelectedText() const;
    virtual int GetSelectedData() const;
    virtual std::string ItemText(int index) const;
    virtual int ItemData(int index) const;
    virtual kit_ObjectRef ItemExtra(int index) const;
    /// The box's text follows when the entry is the selected one.
    virtual void SetItemText(int index, const std::string& text);
    virtual void SetItemExtra(int index, const kit_ObjectRef& extra);
    virtual void SetItemData(int index, int data);
    /// Opens the menu at screen position (x, y) and posts GadgetOpen.
    virtual void OpenMenu(int x, int y);
    /// Hides the menu and reports its selection as a choice.
    virtual void CloseMenu();

    /// A menu width of 0 takes `w`, a menu height of 0 is 200 and an item
    /// height of 0 is 20.
    static std::shared_ptr<kit_TComboBox> Create(const std::string& name, const std::string& text,
                                                 float x, float y, float w, float h, float menuW,
                                                 float menuH, int itemH,
                                                 const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/combobox.png" and the arrow
    /// "/graphics/combobox arrow.png".
    static void LoadSkin();

private:
    bool ValidIndex(int index) const;
};

std::shared_ptr<kit_TComboBox> kit_CreateComboBox(const std::string& name, const std::string& text,
                                                  float x, float y, float w, float h,
                                                  float menuW = 0, float menuH = 0, int itemH = 0,
                                                  const kit_GadgetRef& parent = nullptr);
