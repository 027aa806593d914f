#include "gui/combo_box.h"

#include "engine/graphics.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/support.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::ComboBox, &kit_TComboBox::LoadSkin);

ImageHandle arrow_image() {
    const std::vector<ImageHandle>& images = kit_SkinOf(kit_SkinSlot::ComboBox).Images;
    return images.empty() ? nullptr : images[0];
}

}  // namespace

void kit_TComboBox::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const int bx = static_cast<int>(parentX + X), by = static_cast<int>(parentY + Y);
    kit_DrawNineSlice(kit_SkinOf(kit_SkinSlot::ComboBox).Tiles, bx, by, W, H,
                      kit_Params(Color, Alpha));
    // The arrow in the text's colour.
    const DrawParams text = kit_Params(TextColor, Alpha);
    kit_DrawText(DisplayText, bx + 5, by + 3, Font, text);
    gfx_draw_image_with(arrow_image(), bx + W - 12, by + H - 10, 0, text);
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TComboBox::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TComboBox::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
}

void kit_TComboBox::OnMouseUp(int parentX, int parentY) {
    const int bx = static_cast<int>(X + static_cast<float>(parentX));
    const int by = static_cast<int>(Y + static_cast<float>(parentY));
    int top = static_cast<int>(static_cast<float>(by) + H + 2);
    if (static_cast<float>(top) + Menu->H > static_cast<float>(kit_GUI::GetHeight())) {
        top = static_cast<int>(static_cast<float>(by - 2) - Menu->H);
    }
    OpenMenu(bx, top);
    // Gives back the capture the menu just took: the open menu waits for
    // the next press.
    kit_TGadget::OnMouseUp(parentX, parentY);
}

void kit_TComboBox::OnItemChosen() {
    const int index = Menu->GetSelectedIndex();
    DisplayText = index < 0 ? Prompt : Menu->GetSelectedText();
    kit_TEvent::Create(kit_EventGadgetSelect, Self(), Menu->GetSelectedData(), 0, index,
                       Menu->ItemExtra(-2));
}

void kit_TComboBox::AddItem(const std::string& text, int data, const kit_ObjectRef& extra) {
    Menu->AddItem(text, data, extra);
}

bool kit_TComboBox::ValidIndex(int index) const {
    return index >= 0 && index < ItemCount();
}

void kit_TComboBox::RemoveItem(int index) {
    if (index == -2) index = GetSelectedIndex();
    if (ValidIndex(index)) Menu->RemoveItem(index);
}

void kit_TComboBox::ClearItems() {
    Menu->Clear();
    DisplayText = Prompt;
    kit_TEvent::Create(kit_EventGadgetSelect, Self(), Menu->GetSelectedData(), 0,
                       Menu->GetSelectedIndex(), nullptr);
}

int kit_TComboBox::ItemCount() const {
    return Menu->ItemCount();
}

void kit_TComboBox::Select(int index) {
    // Unlike the other operations, -2 is ignored here: a setting that was
    // never saved reads as -2 and must leave the choice alone.
    if (!ValidIndex(index)) return;
    Menu->Select(index);
    OnItemChosen();
}

int kit_TComboBox::GetSelectedIndex() const {
    return Menu->GetSelectedIndex();
}

std::string kit_TComboBox::GetSelectedText() const {
    return Menu->GetSelectedText();
}

int kit_TComboBox::GetSelectedData() const {
    return Menu->GetSelectedData();
}

std::string kit_TComboBox::ItemText(int index) const {
    return Menu->ItemText(index);
}

int kit_TComboBox::ItemData(int index) const {
    return Menu->ItemData(index);
}

kit_ObjectRef kit_TComboBox::ItemExtra(int index) const {
    return Menu->ItemExtra(index);
}

void kit_TComboBox::SetItemText(int index, const std::string& text) {
    if (index == -2) index = GetSelectedIndex();
    if (!ValidIndex(index)) return;
    Menu->SetItemText(index, text);
    if (index == GetSelectedIndex()) DisplayText = text;
}

void kit_TComboBox::SetItemExtra(int index, const kit_ObjectRef& extra) {
    Menu->SetItemExtra(index, extra);
}

void kit_TComboBox::SetItemData(int index, int data) {
    Menu->SetItemData(index, data);
}

void kit_TComboBox::OpenMenu(int x, int y) {
    Menu->OpenAt(x, y);
    kit_TEvent::Create(kit_EventGadgetOpen, Self(), 1, 0, 0, Menu);
}

void kit_TComboBox::CloseMenu() {
    Menu->Hide();
    Menu->CloseAndNotify();
}

std::shared_ptr<kit_TComboBox> kit_TComboBox::Create(const std::string& name,
                                                     const std::string& text, float x, float y,
                                                     float w, float h, float menuW, float menuH,
                                                     int itemH, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto box = std::make_shared<kit_TComboBox>();
    box->Init(name, x, y, w, h, parent);
    box->DisplayText = text;
    box->Prompt = text;
    if (itemH == 0) itemH = 20;
    if (menuH == 0) menuH = 200;
    if (menuW == 0) menuW = w;
    box->Menu = kit_CreateMenu(name + ":Menu", x, y + h + 2, menuW, menuH, itemH);
    box->Menu->SetOwner(box);
    return box;
}

void kit_TComboBox::LoadSkin() {
    kit_Skin& skin = kit_SkinOf(kit_SkinSlot::ComboBox);
    skin.Tiles = kit_LoadNineSlice(kit_SkinFile("/graphics/combobox.png"));
    skin.Images = {kit_LoadSkinImage(kit_SkinFile("/graphics/combobox arrow.png"), -1)};
}

std::shared_ptr<kit_TComboBox> kit_CreateComboBox(const std::string& name, const std::string& text,
                                                  float x, float y, float w, float h, float menuW,
                                                  float menuH, int itemH,
                                                  const kit_GadgetRef& parent) {
    return kit_TComboBox::Create(name, text, x, y, w, h, menuW, menuH, itemH, parent);
}
