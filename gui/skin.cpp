#include "gui/skin.h"

#include "engine/log.h"
#include "gui/gui_detail.h"

namespace {

std::array<kit_SkinLoader, kit_SkinSlotCount>& loaders() {
    // Function-local: loaders register during static initialisation, in any
    // order between files.
    static std::array<kit_SkinLoader, kit_SkinSlotCount> table{};
    return table;
}

}  // namespace

kit_SkinLoader kit_RegisterSkinLoader(kit_SkinSlot slot, kit_SkinLoader loader) {
    kit_SkinLoader& entry = loaders()[static_cast<std::size_t>(slot)];
    const kit_SkinLoader previous = entry;
    entry = loader;
    return previous;
}

void kit_LoadRegisteredSkins() {
    for (const kit_SkinLoader loader : loaders()) {
        if (loader) loader();
    }
}

kit_Skin& kit_SkinOf(kit_SkinSlot slot) {
    return kit_detail::Module().Skins[static_cast<std::size_t>(slot)];
}

std::string kit_SkinFile(const std::string& relative) {
    return kit_detail::Module().SkinPath + relative;
}

ImageHandle kit_LoadSkinImage(const std::string& path, int flags) {
    ImageHandle image = img_load(path, flags);
    if (!image) kit_detail::ReportMissingFile(path);
    return image;
}

kit_NineImages kit_LoadNineSlice(const std::string& path) {
    kit_NineImages tiles;
    const ImageHandle source = kit_LoadSkinImage(path, -1);
    if (!source) return tiles;
    const Pixmap from = img_lock(source, 0, 1, 0);
    std::array<Pixmap, 9> to;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        // Unfiltered: a stretched tile then repeats its outer pixels exactly
        // instead of fading into the transparent padding of its texture.
        tiles[i] = img_create(kit_TileSize, kit_TileSize, 1, kImageMasked);
        to[i] = img_lock(tiles[i], 0, 0, 1);
    }
    constexpr int side = 3 * kit_TileSize;
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const auto tile = static_cast<std::size_t>((r / kit_TileSize) * 3 + c / kit_TileSize);
            // Reads outside a smaller file give 0: transparent.
            pix_write_pixel(to[tile], c % kit_TileSize, r % kit_TileSize,
                            pix_read_pixel(from, c, r));
        }
    }
    for (const ImageHandle& tile : tiles) img_unlock(tile, 0);
    img_unlock(source, 0);
    return tiles;
}

void kit_DrawStretched(const ImageHandle& image, float x, float y, float w, float h,
                       const DrawParams& params, int frame) {
    if (!image || w <= 0.0f || h <= 0.0f) return;
    const GfxStateGuard keep;
    gfx_apply_params(params);
    gfx_draw_image_rect(image, x, y, w, h, frame);
}

void kit_DrawNineSlice(const kit_NineImages& tiles, int x, int y, float w, float h,
                       const DrawParams& params, bool centre) {
    constexpr float t = kit_TileSize;
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    gfx_draw_image_with(tiles[0], fx, fy, 0, params);
    gfx_draw_image_with(tiles[2], fx + w - t, fy, 0, params);
    gfx_draw_image_with(tiles[6], fx, fy + h - t, 0, params);
    gfx_draw_image_with(tiles[8], fx + w - t, fy + h - t, 0, params);
    kit_DrawStretched(tiles[1], fx + t, fy, w - 2 * t, t, params);
    kit_DrawStretched(tiles[7], fx + t, fy + h - t, w - 2 * t, t, params);
    kit_DrawStretched(tiles[3], fx, fy + t, t, h - 2 * t, params);
    kit_DrawStretched(tiles[5], fx + w - t, fy + t, t, h - 2 * t, params);
    if (centre) kit_DrawStretched(tiles[4], fx + t, fy + t, w - 2 * t, h - 2 * t, params);
}
