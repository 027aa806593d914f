#include "gui/anim_image.h"

#include "engine/log.h"
#include "engine/text.h"
#include "gui/gui_detail.h"

std::shared_ptr<kit_TAnimImage> kit_TAnimImage::Load(const std::string& path, int cellW, int cellH,
                                                     float handleX, float handleY, int flags) {
    auto anim = std::make_shared<kit_TAnimImage>();
    anim->Image = img_load(path, flags);
    if (!anim->Image) kit_detail::ReportMissingFile(path);
    anim->HandleX = handleX;
    anim->HandleY = handleY;
    const float sw = static_cast<float>(img_width(anim->Image));
    const float sh = static_cast<float>(img_height(anim->Image));
    const int cols = cellW > 0 ? static_cast<int>(sw / static_cast<float>(cellW)) : 0;
    const int rows = cellH > 0 ? static_cast<int>(sh / static_cast<float>(cellH)) : 0;
    const int count = cols * rows;
    const float tw = NextPow2(sw), th = NextPow2(sh);
    const float cx = sw / tw, cy = sh / th;
    for (int i = 0; i < count; ++i) {
        const float left = static_cast<float>(cellW * (i % cols)) * cx;
        const float top = static_cast<float>((i / cols) * cellH) * cy;
        anim->U0.push_back(left / sw);
        anim->V0.push_back(top / sh);
        anim->U1.push_back((left + static_cast<float>(cellW) * cx) / sw);
        anim->V1.push_back((top + static_cast<float>(cellH) * cy) / sh);
    }
    dbg_log("Loaded in image with " + str_from_int(count) + " frames.");
    return anim;
}

float kit_TAnimImage::NextPow2(float n) {
    float p = 1.0f;
    while (p < n) p *= 2.0f;
    return p;
}

void kit_TAnimImage::Free() {
    Image.reset();
}

namespace {

// The two texture edges of one axis: as stored, swapped, or collapsed.
void edges(float lo, float hi, int flip, float& first, float& second) {
    if (flip == 0) {
        first = lo;
        second = hi;
    } else if (flip == 1) {
        first = hi;
        second = lo;
    } else {
        first = second = 0.0f;
    }
}

}  // namespace

void kit_TAnimImage::Draw(float x, float y, float w, float h, int cell, int flipX, int flipY) {
    if (!Image || cell < 0 || cell >= CellCount()) return;
    const auto c = static_cast<std::size_t>(cell);
    float left = 0, right = 0, top = 0, bottom = 0;
    edges(U0[c], U1[c], flipX, left, right);
    edges(V0[c], V1[c], flipY, top, bottom);
    img_set_frame_uv(Image, 0, left, top, right, bottom);
    gfx_draw_image_rect(Image, x - HandleX, y - HandleY, w, h, 0);
}
