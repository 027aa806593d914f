#include "gui/panel.h"

#include "engine/graphics.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/support.h"

namespace {
[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::Panel, &kit_TPanel::LoadSkin);
}

void kit_TPanel::Draw(float parentX, float parentY) {
    if (Hidden) return;
    if (DrawBackground == 1) {
        const DrawParams params = kit_Params(Color, Alpha);
        const kit_NineImages& tiles = kit_SkinOf(kit_SkinSlot::Panel).Tiles;
        const int x = static_cast<int>(parentX + X), y = static_cast<int>(parentY + Y);
        if (DrawFrame == 1) {
            kit_DrawNineSlice(tiles, x, y, W, H, params);
        } else {
            kit_DrawStretched(tiles[4], static_cast<float>(x), static_cast<float>(y), W, H, params);
        }
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TPanel::Update(int parentX, int parentY) {
    const bool pressInside = kit_GUI::CaptureWithin(*this);
    if (Hidden && !pressInside) return;
    const int x = static_cast<int>(parentX + X), y = static_cast<int>(parentY + Y);
    if (!Hidden && kit_GUI::PanelMayUpdate(*this) &&
        kit_MouseInRect(parentX + X, parentY + Y, W, H)) {
        kit_GUI::SetMousePanel(std::static_pointer_cast<kit_TPanel>(Self()));
        UpdateChildren(x, y);
    } else if (pressInside) {
        // The pressed gadget follows the button wherever the pointer went;
        // its siblings cannot use the mouse meanwhile.
        UpdateChildren(x, y);
    }
    MouseState = 0;
}

std::shared_ptr<kit_TPanel> kit_TPanel::Create(const std::string& name, float x, float y, float w,
                                               float h, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto panel = std::make_shared<kit_TPanel>();
    panel->Init(name, x, y, w, h, parent);
    kit_GUI::AddPanel(panel);
    return panel;
}

void kit_TPanel::LoadSkin() {
    kit_SkinOf(kit_SkinSlot::Panel).Tiles = kit_LoadNineSlice(kit_SkinFile("/graphics/panel.png"));
}

std::shared_ptr<kit_TPanel> kit_CreatePanel(const std::string& name, float x, float y, float w,
                                            float h, const kit_GadgetRef& parent) {
    return kit_TPanel::Create(name, x, y, w, h, parent);
}
