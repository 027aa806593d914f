#include "gui/progress_bar.h"

#include <algorithm>

#include "engine/graphics.h"
#include "gui/event.h"
#include "gui/skin.h"
#include "gui/state.h"
#include "gui/support.h"

namespace {
[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::ProgressBar, &kit_TProgressBar::LoadSkin);
}

void kit_TProgressBar::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const int bx = static_cast<int>(parentX + X), by = static_cast<int>(parentY + Y);
    const float fbx = static_cast<float>(bx), fby = static_cast<float>(by);
    const kit_NineImages& tiles = kit_SkinOf(kit_SkinSlot::ProgressBar).Tiles;
    const DrawParams frame = kit_Params(Colors[0], Alpha);
    kit_DrawNineSlice(tiles, bx, by, W, H, frame, false);
    const float track = std::max(W - 10, 0.0f);
    // Whole pixels of the track, computed so that 29 % of 100 is 29.
    const int fill = static_cast<int>(track * static_cast<float>(Percent) / 100.0f);
    kit_DrawStretched(tiles[4], fbx + 5 + fill, fby + 5, track - fill, H - 10, frame);
    kit_DrawStretched(tiles[4], fbx + 5, fby + 2, static_cast<float>(fill), H - 4,
                      kit_Params(Colors[1], Alpha));
    kit_DrawText(Text, parentX + TextX, fby + 3, Font, kit_Params(TextColor, Alpha));
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TProgressBar::Refresh() {
    int tw = 0;
    {
        const kit_FontScope use(Font);
        tw = gfx_text_width(Text);
    }
    TextX = static_cast<int>(X + W / 2 - tw / 2);
}

void kit_TProgressBar::SetColor(int r, int g, int b, int index) {
    if (index < 0 || index >= static_cast<int>(Colors.size())) return;
    Colors[static_cast<std::size_t>(index)] = kit_RGB{r, g, b};
}

void kit_TProgressBar::SetColorHex(const std::string& hex, int index) {
    int r = 0, g = 0, b = 0;
    kit_ParseHexColor(hex, r, g, b);
    SetColor(r, g, b, index);
}

void kit_TProgressBar::SetText(const std::string& text) {
    Text = text;
    Refresh();
}

void kit_TProgressBar::SetPercent(int p) {
    Percent = std::clamp(p, 0, 100);
    kit_TEvent::Create(kit_EventGadgetAction, Self(), Percent, 0, 0, nullptr);
}

std::shared_ptr<kit_TProgressBar> kit_TProgressBar::Create(const std::string& name,
                                                           const std::string& text, float x,
                                                           float y, float w, float h,
                                                           const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto bar = std::make_shared<kit_TProgressBar>();
    bar->Init(name, x, y, w, h, parent);
    bar->SetText(text);
    return bar;
}

void kit_TProgressBar::LoadSkin() {
    kit_SkinOf(kit_SkinSlot::ProgressBar).Tiles =
        kit_LoadNineSlice(kit_SkinFile("/graphics/progress.png"));
}

std::shared_ptr<kit_TProgressBar> kit_CreateProgressBar(const std::string& name,
                                                        const std::string& text, float x, float y,
                                                        float w, float h,
                                                        const kit_GadgetRef& parent) {
    return kit_TProgressBar::Create(name, text, x, y, w, h, parent);
}
