#include "gui/check_box.h"

#include <algorithm>
#include <cstdlib>

#include "engine/graphics.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/state.h"
#include "gui/support.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::CheckBox, &kit_TCheckBox::LoadSkin);

constexpr int kCell = 15;

const ImageHandle& box_image() {
    static const ImageHandle none;
    const std::vector<ImageHandle>& images = kit_SkinOf(kit_SkinSlot::CheckBox).Images;
    return images.empty() ? none : images[0];
}

// Cuts up to two cells out of a file too small for the usual strip; pixels
// outside the file are transparent.
ImageHandle cut_cells(const ImageHandle& source) {
    const int columns = std::max(1, img_width(source) / kCell);
    const int cells = (img_width(source) / kCell) * (img_height(source) / kCell);
    const int frames = std::clamp(cells, 1, 2);
    ImageHandle image = img_create(kCell, kCell, frames, -1);
    const Pixmap from = img_lock(source, 0, 1, 0);
    for (int f = 0; f < frames; ++f) {
        const Pixmap to = img_lock(image, f, 0, 1);
        const int ox = (f % columns) * kCell, oy = (f / columns) * kCell;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                pix_write_pixel(to, x, y, pix_read_pixel(from, ox + x, oy + y));
            }
        }
        img_unlock(image, f);
    }
    img_unlock(source, 0);
    return image;
}

}  // namespace

void kit_TCheckBox::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const int y = static_cast<int>(parentY + Y);
    // A one-frame image has no frame 1: the checked box then draws nothing.
    gfx_draw_image_with(box_image(), parentX + BoxX, y, Checked != 0 ? 1 : 0,
                        kit_Params(Color, Alpha));
    kit_DrawText(Text, parentX + TextX, y, Font, kit_Params(TextColor, Alpha));
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TCheckBox::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TCheckBox::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
}

void kit_TCheckBox::OnMouseUp(int parentX, int parentY) {
    Toggle();
    kit_TGadget::OnMouseUp(parentX, parentY);
    kit_TEvent::Create(kit_EventGadgetAction, Self(), Checked, 0, 0, nullptr);
}

void kit_TCheckBox::Refresh() {
    int tw = 0;
    {
        const kit_FontScope use(Font);
        tw = gfx_text_width(Text);
    }
    const int iw = BoxWidth();
    if (BoxSide == 0) {
        BoxX = AnchorX;
        TextX = AnchorX + iw + 5;
        X = static_cast<float>(AnchorX);
    } else {
        BoxX = AnchorX - iw;
        TextX = AnchorX - iw - tw - 5;
        X = static_cast<float>(TextX);
    }
    W = static_cast<float>(iw + tw + 5);
}

void kit_TCheckBox::SetPosition(int x, int y) {
    AnchorX = x;
    Y = static_cast<float>(y);
    Refresh();
}

void kit_TCheckBox::Move(int dx, int dy) {
    AnchorX += dx;
    Y += static_cast<float>(dy);
    Refresh();
}

void kit_TCheckBox::SetBoxSide(int side) {
    if (side != 0 && side != 1) return;
    BoxSide = side;
    Refresh();
}

void kit_TCheckBox::SetText(const std::string& text) {
    Text = text;
    Refresh();
}

void kit_TCheckBox::Toggle() {
    Checked = std::abs(Checked - 1);
}

std::shared_ptr<kit_TCheckBox> kit_TCheckBox::Create(const std::string& name,
                                                     const std::string& text, float x, float y,
                                                     int side, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto box = std::make_shared<kit_TCheckBox>();
    box->Init(name, x, y, 1, 1, parent);
    box->AnchorX = static_cast<int>(x);
    box->SetText(text);
    box->SetBoxSide(side);
    box->H = static_cast<float>(BoxHeight());
    return box;
}

void kit_TCheckBox::LoadSkin() {
    const std::string path = kit_SkinFile("/graphics/checkbox.png");
    ImageHandle image = img_load_anim(path, kCell, kCell, 0, 2, -1);
    if (!image) {
        // Not a two-cell strip: take what the file has.
        if (const ImageHandle source = kit_LoadSkinImage(path, -1)) image = cut_cells(source);
    }
    kit_SkinOf(kit_SkinSlot::CheckBox).Images = {image};
}

int kit_TCheckBox::BoxWidth() {
    const ImageHandle& image = box_image();
    return image ? img_width(image) : kCell;
}

int kit_TCheckBox::BoxHeight() {
    const ImageHandle& image = box_image();
    return image ? img_height(image) : kCell;
}

std::shared_ptr<kit_TCheckBox> kit_CreateCheckBox(const std::string& name, const std::string& text,
                                                  float x, float y, int side,
                                                  const kit_GadgetRef& parent) {
    return kit_TCheckBox::Create(name, text, x, y, side, parent);
}
