#pragma once
// The search box: a combo-box-like gadget showing a chosen entry (or
// "[None]") with a search icon at its right end. A click opens its search
// pop-up: a "None" button, a text field with a search icon and a table of
// results. Enter in the field, or a click on its icon, hands the text to
// the caller's search callback, which fills the results with `AddResult`;
// a click on a result chooses it, and "None" chooses nothing. Both close
// the pop-up.
//
// The pop-up behaves like a drop-down menu while open (see
// `kit_TPopupPanel`, gui/date.h). Events: GadgetOpen when it opens (from the
// pop-up, and from the search box with Data 1 and Extra the pop-up);
// GadgetClose when it closes (from the pop-up, and after a choice from the
// search box with Extra the pop-up). A choice posts no GadgetSelect: the
// caller reads `GetSelectedData`.

#include <functional>
#include <memory>
#include <string>

#include "gui/date.h"
#include "gui/gadget.h"

class kit_TButton;
class kit_TSearchBox;
class kit_TTable;
class kit_TTextField;

/// The caller's search: given the search box and the text searched for.
using kit_SearchCallback = std::function<void(kit_TSearchBox&, const std::string&)>;

class kit_TSearchPanel : public kit_TPopupPanel {
public:
    kit_TSearchPanel() : kit_TPopupPanel(kit_SkinSlot::SearchPanel) {}

    std::shared_ptr<kit_TTextField> SearchField;
    std::shared_ptr<kit_TTable> Results;
    std::shared_ptr<kit_TButton> NoneButton;

    /// A field still being edited loses the keyboard focus, and a press on
    /// it the mouse.
    void Hide() override;
    /// The field's confirmed text runs the owner's search; a release on a
    /// result or on "None" chooses it for the owner, closes and hides.
    bool ChildReleased(kit_TGadget& child) override;

    /// A `w` of 0 takes the owner's width, an `h` of 0 is 200. Null for an
    /// empty name.
    static std::shared_ptr<kit_TSearchPanel> Create(const std::string& name, float w, float h,
                                                    int rowHeight, const kit_GadgetRef& owner);
    /// Nine-slice from SkinPath + "/graphics/menu.png".
    static void LoadSkin();
};

class kit_TSearchBox : public kit_TGadget {
public:
    std::string DisplayText;
    int SelectedData = 0;
    int NoneData = 0;  ///< reported while nothing is selected
    kit_SearchCallback SearchCallback;
    std::shared_ptr<kit_TSearchPanel> Panel;

    /// As a combo box, with the search icon in place of the arrow.
    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    /// Opens the pop-up below the box, or above it when there is no room.
    void OnMouseUp(int parentX, int parentY) override;

    virtual void SetDisplayText(const std::string& text) { DisplayText = text; }
    virtual std::string GetDisplayText() const { return DisplayText; }
    virtual void SetSelectedData(int data) { SelectedData = data; }
    virtual int GetSelectedData() const { return SelectedData; }
    /// Empties the result table.
    virtual void ClearResults();
    /// A row of the result table.
    virtual void AddResult(const std::string& text, int data = 0);
    /// Empty text selects nothing: "[None]" with `NoneData`.
    virtual void SetSelection(const std::string& text, int data);
    virtual void SetSearchCallback(kit_SearchCallback callback);
    /// Calls the search callback, when one is set.
    virtual void RunSearch(const std::string& text);
    /// Opens the pop-up at screen position (x, y) and posts GadgetOpen.
    virtual void OpenPanel(int x, int y);
    /// Hides the pop-up and posts its GadgetClose events.
    virtual void ClosePanel();

    static std::shared_ptr<kit_TSearchBox> Create(const std::string& name, float x, float y,
                                                  float w, float h, float panelW, float panelH,
                                                  int rowHeight, int noneData,
                                                  const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/combobox.png" and the icon
    /// "/graphics/search.png".
    static void LoadSkin();
};

/// Null for an empty name.
std::shared_ptr<kit_TSearchBox> kit_CreateSearchBox(const std::string& name, float x, float y,
                                                    float w, float h, float panelW = 0,
                                                    float panelH = 0, int rowHeight = 0,
                                                    int noneData = 0,
                                                    const kit_GadgetRef& parent = nullptr);
/// A hidden pop-up on the floating list; Null for an empty name.
std::shared_ptr<kit_TSearchPanel> kit_CreateSearchPanel(const std::string& name, float w, float h,
                                                        int rowHeight, const kit_GadgetRef& owner);
