#include "gui/search_box.h"

#include <utility>

#include "engine/graphics.h"
#include "gui/button.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/support.h"
#include "gui/table.h"
#include "gui/text_field.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kBoxRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::SearchBox, &kit_TSearchBox::LoadSkin);
[[maybe_unused]] const kit_SkinLoader kPanelRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::SearchPanel, &kit_TSearchPanel::LoadSkin);

constexpr const char* kNoneText = "[None]";

}  // namespace

// ---------------------------------------------------------------------------
// The pop-up.

void kit_TSearchPanel::Hide() {
    kit_TPopupPanel::Hide();
    if (!SearchField) return;
    if (kit_GUI::GetFocusGadget() == SearchField) kit_GUI::SetFocus(nullptr);
    if (kit_GUI::GetCaptureGadget() == SearchField) {
        // A press on the field ends with the pop-up: its release is nobody's.
        kit_GUI::ReleaseCapture();
        SearchField->MouseState = 0;
    }
}

bool kit_TSearchPanel::ChildReleased(kit_TGadget& child) {
    const auto owner = std::dynamic_pointer_cast<kit_TSearchBox>(Owner.lock());
    if (&child == SearchField.get()) {
        // The pop-up stays open to show what the search found.
        if (owner) owner->RunSearch(SearchField->GetText());
        return true;
    }
    const bool none = &child == NoneButton.get();
    if (!none && &child != Results.get()) return false;
    CloseAndNotify();
    if (owner) {
        if (none) {
            owner->SetSelection("", 0);
        } else {
            owner->SetSelection(Results->CellText(-2, 0), Results->RowData(-2));
        }
    }
    Hide();
    return true;
}

std::shared_ptr<kit_TSearchPanel> kit_TSearchPanel::Create(const std::string& name, float w,
                                                           float h, int rowHeight,
                                                           const kit_GadgetRef& owner) {
    if (name.empty()) return nullptr;
    if (w == 0 && owner) w = owner->W;
    if (h == 0) h = 200;
    auto panel = std::make_shared<kit_TSearchPanel>();
    panel->Init(name, 0, 0, w, h, nullptr);
    kit_GUI::AddFloating(panel);
    panel->NoneButton = kit_CreateButton(name + ":Null", "None", 5, 5, 40, 20, panel);
    panel->SearchField = kit_CreateTextField(name + ":Search", "", 50, 5, w - 55, 20, 1, panel);
    panel->Results = kit_CreateTable(name + ":Results", 5, 30, h - 35, "", static_cast<int>(w) - 28,
                                     rowHeight, 0, panel);
    panel->Owner = owner;
    panel->Hide();
    return panel;
}

void kit_TSearchPanel::LoadSkin() {
    kit_SkinOf(kit_SkinSlot::SearchPanel).Tiles =
        kit_LoadNineSlice(kit_SkinFile("/graphics/menu.png"));
}

// ---------------------------------------------------------------------------
// The search box.

void kit_TSearchBox::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const int bx = static_cast<int>(parentX + X), by = static_cast<int>(parentY + Y);
    const kit_Skin& skin = kit_SkinOf(kit_SkinSlot::SearchBox);
    kit_DrawNineSlice(skin.Tiles, bx, by, W, H, kit_Params(Color, Alpha));
    const DrawParams text = kit_Params(TextColor, Alpha);
    kit_DrawText(DisplayText, bx + 5, by + 3, Font, text);
    // Where a search field puts its icon: the right end, centred, in the
    // text's colour.
    if (!skin.Images.empty()) {
        gfx_draw_image_with(skin.Images[0], bx + (W - 16), by + (H - 2) / 2 - 4, 0, text);
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TSearchBox::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TSearchBox::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
}

void kit_TSearchBox::OnMouseUp(int parentX, int parentY) {
    const int bx = static_cast<int>(X + static_cast<float>(parentX));
    const int by = static_cast<int>(Y + static_cast<float>(parentY));
    OpenPanel(bx, kit_TPopupPanel::PlaceBelowOrAbove(by, H, Panel->H));
    // Gives back the capture the pop-up just took.
    kit_TGadget::OnMouseUp(parentX, parentY);
}

void kit_TSearchBox::ClearResults() {
    Panel->Results->ClearRows();
}

void kit_TSearchBox::AddResult(const std::string& text, int data) {
    Panel->Results->AddRow({text}, data);
}

void kit_TSearchBox::SetSelection(const std::string& text, int data) {
    if (text.empty()) {
        DisplayText = kNoneText;
        SelectedData = NoneData;
    } else {
        DisplayText = text;
        SelectedData = data;
    }
}

void kit_TSearchBox::SetSearchCallback(kit_SearchCallback callback) {
    SearchCallback = std::move(callback);
}

void kit_TSearchBox::RunSearch(const std::string& text) {
    if (SearchCallback) SearchCallback(*this, text);
}

void kit_TSearchBox::OpenPanel(int x, int y) {
    Panel->OpenAt(x, y);
    kit_TEvent::Create(kit_EventGadgetOpen, Self(), 1, 0, 0, Panel);
}

void kit_TSearchBox::ClosePanel() {
    Panel->Hide();
    Panel->CloseAndNotify();
}

std::shared_ptr<kit_TSearchBox> kit_TSearchBox::Create(const std::string& name, float x, float y,
                                                       float w, float h, float panelW, float panelH,
                                                       int rowHeight, int noneData,
                                                       const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto box = std::make_shared<kit_TSearchBox>();
    box->Init(name, x, y, w, h, parent);
    box->Panel = kit_CreateSearchPanel(name + ":Panel", panelW, panelH, rowHeight, box);
    box->NoneData = noneData;
    box->SetSelection("", 0);
    return box;
}

void kit_TSearchBox::LoadSkin() {
    kit_Skin& skin = kit_SkinOf(kit_SkinSlot::SearchBox);
    skin.Tiles = kit_LoadNineSlice(kit_SkinFile("/graphics/combobox.png"));
    skin.Images = {kit_LoadSkinImage(kit_SkinFile("/graphics/search.png"), -1)};
}

std::shared_ptr<kit_TSearchBox> kit_CreateSearchBox(const std::string& name, float x, float y,
                                                    float w, float h, float panelW, float panelH,
                                                    int rowHeight, int noneData,
                                                    const kit_GadgetRef& parent) {
    return kit_TSearchBox::Create(name, x, y, w, h, panelW, panelH, rowHeight, noneData, parent);
}

std::shared_ptr<kit_TSearchPanel> kit_CreateSearchPanel(const std::string& name, float w, float h,
                                                        int rowHeight, const kit_GadgetRef& owner) {
    return kit_TSearchPanel::Create(name, w, h, rowHeight, owner);
}
