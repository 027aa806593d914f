#include "gui/button.h"

#include "engine/graphics.h"
#include "engine/log.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/screen.h"
#include "gui/skin.h"
#include "gui/state.h"
#include "gui/support.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::Button, &kit_TButton::LoadSkin);

// A pressed face takes this share of its colour; the pointer over a button
// adds this share of the face once more.
constexpr float kPressedShade = 0.7f;
constexpr float kMouseOverLight = 0.3f;

int Shaded(int channel, float shade) {
    return static_cast<int>(static_cast<float>(channel) * shade);
}

}  // namespace

void kit_TButton::Draw(float parentX, float parentY) {
    if (Hidden) return;
    // Both states come from the previous frame's update: the kit draws
    // before it updates.
    const bool pressed = MouseState == 2;
    const bool over = !pressed && kit_GUI::GetMouseOverGadget().get() == this;
    const float shade = pressed ? kPressedShade : 1.0f;
    const kit_RGB face{Shaded(Color.R, shade), Shaded(Color.G, shade), Shaded(Color.B, shade)};
    DrawParams params = kit_Params(face, Alpha);
    DrawFace(parentX, parentY, params);
    if (over) {
        params.blend = kBlendLight;
        params.alpha = Alpha * kMouseOverLight;
        DrawFace(parentX, parentY, params);
    }
    if (!Image) {
        kit_DrawText(Text, parentX + TextX, parentY + TextY, Font, kit_Params(TextColor, Alpha));
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TButton::DrawFace(float parentX, float parentY, const DrawParams& params) const {
    if (DrawSkin == 1 && Round == 0) {
        kit_DrawNineSlice(kit_SkinOf(kit_SkinSlot::Button).Tiles, static_cast<int>(parentX + X),
                          static_cast<int>(parentY + Y), W, H, params);
    }
    if (Image) gfx_draw_image_with(Image, parentX + TextX, parentY + TextY, 0, params);
}

bool kit_TButton::MouseIsOver(int parentX, int parentY) const {
    if (Round) {
        return kit_MouseInCircle(static_cast<int>(parentX + X), static_cast<int>(parentY + Y),
                                 Radius);
    }
    return kit_MouseInRect(parentX + X, parentY + Y, W, H);
}

void kit_TButton::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TButton::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
    kit_TEvent::Create(kit_EventGadgetAction, Self(), 0, 0, 0, nullptr);
}

void kit_TButton::OnMouseUp(int parentX, int parentY) {
    kit_TGadget::OnMouseUp(parentX, parentY);
    const kit_GadgetRef parent = GetParent();
    if (parent && parent->ChildReleased(*this)) return;
    kit_TEvent::Create(kit_EventGadgetSelect, Self(), 0, 0, 0, nullptr);
    if (const std::shared_ptr<kit_TScreen> target = TargetScreen.lock()) {
        kit_GUI::SetScreen(target);
        kit_TEvent::Create(kit_EventSetScreen, Self(), 0, 0, 0, target);
    }
}

void kit_TButton::Refresh() {
    int tw = 0, th = 0;
    if (Image) {
        tw = img_width(Image) / 2;
        th = img_height(Image) / 2;
    } else {
        const kit_FontScope use(Font);
        tw = gfx_text_width(Text) / 2;
        th = gfx_text_height() / 2;
    }
    if (Round) {
        TextX = static_cast<int>(X - tw);
        TextY = static_cast<int>(Y - th);
    } else {
        TextX = static_cast<int>(X + W / 2 - tw);
        TextY = static_cast<int>(Y + H / 2 - th);
    }
}

void kit_TButton::SetText(const std::string& text) {
    Text = text;
    Refresh();
}

void kit_TButton::SetImage(const ImageHandle& image) {
    if (!image) return;
    Image = image;
    Refresh();
}

void kit_TButton::LoadImage(const std::string& path) {
    const ImageHandle image = img_load(path, -1);
    if (!image) {
        dbg_log("Null image, matey!");
        return;
    }
    SetImage(image);
}

void kit_TButton::SetTargetScreen(const std::shared_ptr<kit_TScreen>& screen) {
    TargetScreen = screen;
}

void kit_TButton::SetTargetScreenByName(const std::string& name) {
    if (const std::shared_ptr<kit_TScreen> screen = kit_GUI::FindScreen(name)) {
        SetTargetScreen(screen);
    }
}

std::shared_ptr<kit_TButton> kit_TButton::Create(const std::string& name, const std::string& text,
                                                 float x, float y, float w, float h,
                                                 const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto button = std::make_shared<kit_TButton>();
    button->Init(name, x, y, w, h, parent);
    button->SetText(text);
    return button;
}

std::shared_ptr<kit_TButton> kit_TButton::CreateImageButton(const std::string& name,
                                                            const std::string& path, float x,
                                                            float y, float w, float h,
                                                            const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto button = std::make_shared<kit_TButton>();
    button->Init(name, x, y, w, h, parent);
    button->LoadImage(path);
    button->SetDrawSkin(0);
    if (button->Image) {
        if (w == 0) button->W = static_cast<float>(img_width(button->Image));
        if (h == 0) button->H = static_cast<float>(img_height(button->Image));
    }
    button->Refresh();
    return button;
}

std::shared_ptr<kit_TButton> kit_TButton::CreateRoundButton(const std::string& name,
                                                            const std::string& path, float x,
                                                            float y, int r,
                                                            const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto button = std::make_shared<kit_TButton>();
    button->Init(name, x, y, static_cast<float>(2 * r), static_cast<float>(2 * r), parent);
    button->Round = 1;
    button->Radius = r;
    button->LoadImage(path);
    button->SetDrawSkin(0);
    button->Refresh();
    return button;
}

void kit_TButton::LoadSkin() {
    kit_SkinOf(kit_SkinSlot::Button).Tiles =
        kit_LoadNineSlice(kit_SkinFile("/graphics/button.png"));
}

std::shared_ptr<kit_TButton> kit_CreateButton(const std::string& name, const std::string& text,
                                              float x, float y, float w, float h,
                                              const kit_GadgetRef& parent) {
    return kit_TButton::Create(name, text, x, y, w, h, parent);
}

std::shared_ptr<kit_TButton> kit_CreateImageButton(const std::string& name, const std::string& path,
                                                   float x, float y, float w, float h,
                                                   const kit_GadgetRef& parent) {
    return kit_TButton::CreateImageButton(name, path, x, y, w, h, parent);
}

std::shared_ptr<kit_TButton> kit_CreateRoundButton(const std::string& name, const std::string& path,
                                                   float x, float y, int r,
                                                   const kit_GadgetRef& parent) {
    return kit_TButton::CreateRoundButton(name, path, x, y, r, parent);
}
