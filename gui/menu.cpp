#include "gui/menu.h"

#include <algorithm>

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/support.h"
#include "gui/table.h"

namespace {
[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::Menu, &kit_TMenu::LoadSkin);
}

void kit_TMenu::Draw(float parentX, float parentY) {
    if (Hidden) return;
    kit_DrawNineSlice(kit_SkinOf(kit_SkinSlot::Menu).Tiles, static_cast<int>(parentX + X),
                      static_cast<int>(parentY + Y), W, H, kit_Params(Color, Alpha));
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TMenu::Update(int parentX, int parentY) {
    kit_TGadget::Update(parentX, parentY);
    if (Hidden) return;
    // The list had the first chance at the mouse: a wheel movement it did
    // not take came from elsewhere, and is still the open list's; a press
    // it did not take is outside the list.
    Table->TakeWheel();
    if (kit_GUI::MayUseMouse(Self()) && in_mouse_down(1)) OnMouseDown(parentX, parentY);
    // Escape closes the open list as a press outside it does.
    if (!Hidden && in_key_hit(vk::kEscape)) {
        kit_TEvent::Create(kit_EventGadgetClose, Self(), 0, 0, 0, Self());
        Hide();
    }
}

void kit_TMenu::OnMouseDown(int parentX, int parentY) {
    kit_TGadget::OnMouseDown(parentX, parentY);
    // The press handler runs every frame while the button is held: only
    // the first one closes the menu.
    if (Hidden) return;
    kit_TEvent::Create(kit_EventGadgetClose, Self(), 0, 0, 0, Self());
    Hide();
}

void kit_TMenu::Refresh() {
    if (!Table) return;
    const int wanted = ItemCount() * (Table->RowHeight + 2) + 8;
    H = static_cast<float>(std::min(wanted, MaxHeight));
    Table->H = H - 10;
    Table->Refresh();
}

bool kit_TMenu::ChildReleased(kit_TGadget& child) {
    if (&child != Table.get()) return false;
    CloseAndNotify();
    Hide();
    return true;
}

void kit_TMenu::AddItem(const std::string& text, int data, const kit_ObjectRef& extra) {
    Table->AddRow({text}, data, extra);
    Refresh();
}

void kit_TMenu::RemoveItem(int index) {
    Table->RemoveRow(index);
    Refresh();
}

void kit_TMenu::Clear() {
    Table->ClearRows();
    Refresh();
    Select(-1);
}

int kit_TMenu::ItemCount() const {
    return Table->RowCount();
}

void kit_TMenu::Select(int index) {
    if (index == -2) index = Table->GetSelectedIndex();
    Table->Select(index);
    kit_TEvent::Create(kit_EventGadgetSelect, Self(), Table->RowData(-2), 0, index,
                       Table->RowExtra(-2));
}

int kit_TMenu::GetSelectedIndex() const {
    return Table->GetSelectedIndex();
}

std::string kit_TMenu::GetSelectedText() const {
    return Table->CellText(-2, 0);
}

int kit_TMenu::GetSelectedData() const {
    return Table->RowData(-2);
}

std::string kit_TMenu::ItemText(int index) const {
    return Table->CellText(index, 0);
}

int kit_TMenu::ItemData(int index) const {
    return Table->RowData(index);
}

kit_ObjectRef kit_TMenu::ItemExtra(int index) const {
    return Table->RowExtra(index);
}

void kit_TMenu::SetItemText(int index, const std::string& text) {
    Table->SetCellText(index, 0, text);
}

void kit_TMenu::SetItemExtra(int index, const kit_ObjectRef& extra) {
    Table->SetRowExtra(index, extra);
}

void kit_TMenu::SetItemData(int index, int data) {
    Table->SetRowData(index, data);
}

void kit_TMenu::OpenAt(int x, int y) {
    SetPosition(x, y);
    Show();
    kit_GUI::SetCapture(Self());
    kit_TEvent::Create(kit_EventGadgetOpen, Self(), 1, 0, 0, nullptr);
}

void kit_TMenu::Choose() {
    // Telling the owner is part of closing: one choice, one report.
    CloseAndNotify();
    Hide();
}

void kit_TMenu::CloseAndNotify() {
    kit_GUI::ReleaseCapture();
    MouseState = 0;
    if (const kit_GadgetRef owner = Owner.lock()) {
        if (auto* listener = dynamic_cast<kit_MenuOwner*>(owner.get())) listener->OnItemChosen();
        kit_TEvent::Create(kit_EventGadgetClose, owner, 0, 0, 0, Self());
    }
    kit_TEvent::Create(kit_EventGadgetClose, Self(), 0, 0, 0, nullptr);
}

std::shared_ptr<kit_TMenu> kit_TMenu::Create(const std::string& name, float x, float y, float w,
                                             float h, int itemH) {
    if (name.empty()) return nullptr;
    auto menu = std::make_shared<kit_TMenu>();
    menu->Init(name, x, y, w, h, nullptr);
    menu->Hide();
    menu->Table = kit_CreateTable(name + ":Table", 5, 5, h - 10, "Select", static_cast<int>(w) - 25,
                                  itemH, 0, menu);
    // Every row in set 0: the menu shows no selection.
    menu->Table->SetAlpha(0.3f, 1);
    menu->Table->SetHighlightSelection(0);
    menu->MaxHeight = static_cast<int>(h);
    menu->Refresh();
    kit_GUI::AddFloating(menu);
    return menu;
}

void kit_TMenu::LoadSkin() {
    kit_SkinOf(kit_SkinSlot::Menu).Tiles = kit_LoadNineSlice(kit_SkinFile("/graphics/menu.png"));
}

std::shared_ptr<kit_TMenu> kit_CreateMenu(const std::string& name, float x, float y, float w,
                                          float h, int itemH) {
    return kit_TMenu::Create(name, x, y, w, h, itemH);
}
