#include "gui/image.h"

#include "engine/graphics.h"
#include "engine/log.h"
#include "gui/skin.h"
#include "gui/support.h"

void kit_TImage::Draw(float parentX, float parentY) {
    if (Hidden) return;
    kit_DrawStretched(Image, static_cast<float>(static_cast<int>(parentX + X)),
                      static_cast<float>(static_cast<int>(parentY + Y)), W, H,
                      kit_Params(Color, Alpha));
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TImage::SetSize(int w, int h) {
    W = static_cast<float>(w <= 0 ? img_width(Image) : w);
    H = static_cast<float>(h <= 0 ? img_height(Image) : h);
}

std::shared_ptr<kit_TImage> kit_TImage::Create(const std::string& name, const std::string& path,
                                               float x, float y, float w, float h,
                                               const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    ImageHandle image = img_load(path, kImageFiltered);
    if (!image) {
        dbg_log("Image: " + path + " not loaded.");
        return nullptr;
    }
    auto gadget = std::make_shared<kit_TImage>();
    gadget->Image = std::move(image);
    gadget->Path = path;
    gadget->Init(name, x, y, w, h, parent);
    gadget->SetSize(static_cast<int>(w), static_cast<int>(h));
    return gadget;
}

std::shared_ptr<kit_TImage> kit_CreateImage(const std::string& name, const std::string& path,
                                            float x, float y, float w, float h,
                                            const kit_GadgetRef& parent) {
    return kit_TImage::Create(name, path, x, y, w, h, parent);
}
