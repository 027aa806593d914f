#pragma once
// The skin: images of the skin folder that give the gadgets their look.
//
// Each skinned gadget class owns one `kit_Skin` in the kit's module state,
// addressed by its slot, and registers a loader that (re)fills it from the
// current skin folder. `kit_SetSkin` runs the registered loaders in slot
// order, so a class added to the kit later registers its loader at its own
// slot (usually at static initialisation, next to its factory):
//
//     [[maybe_unused]] const bool registered =
//         kit_RegisterSkinLoader(kit_SkinSlot::ComboBox, &kit_TComboBox::LoadSkin);
//
// Nine-slice images: a 15 x 15 file read as a 3 x 3 grid of 5 x 5 tiles,
// tile index = (row div 5) * 3 + (column div 5): 0 1 2 the top corners and
// edge, 3 4 5 the left edge, centre and right edge, 6 7 8 the bottom row.
// Corners are drawn at their size, edges and centre stretched.
//
// A missing skin file is reported once on the console with its path and
// leaves the images Null, which draw nothing: the gadget works unskinned.
// A file smaller than the tiles reads as transparent outside its pixels.

#include <array>
#include <string>
#include <vector>

#include "engine/image.h"

/// Skin slots, in the order `kit_SetSkin` reloads them.
enum class kit_SkinSlot : int {
    Panel,
    Button,
    ComboBox,
    Menu,
    ProgressBar,
    CheckBox,
    ScrollBar,
    TextField,
    Date,
    DatePanel,
    SearchBox,
    SearchPanel,
    Slider,
};
constexpr int kit_SkinSlotCount = 13;

/// Side of a nine-slice tile in pixels.
constexpr int kit_TileSize = 5;

using kit_NineImages = std::array<ImageHandle, 9>;

/// One class's skin images: the nine-slice tiles (when the class has them)
/// and any further images in an order the class defines.
struct kit_Skin {
    kit_NineImages Tiles;
    std::vector<ImageHandle> Images;
};

using kit_SkinLoader = void (*)();

/// Registers the loader of a slot, replacing any earlier one, and returns
/// the one it replaced (Null when none). Loaders are code, not state: they
/// survive `kit_GUI::Initialise`.
kit_SkinLoader kit_RegisterSkinLoader(kit_SkinSlot slot, kit_SkinLoader loader);
/// Runs every registered loader in slot order.
void kit_LoadRegisteredSkins();
/// The skin images of a slot (empty until its loader ran).
kit_Skin& kit_SkinOf(kit_SkinSlot slot);

/// SkinPath followed by `relative` (which begins with "/").
std::string kit_SkinFile(const std::string& relative);
/// `img_load` that reports a missing or unreadable file once.
ImageHandle kit_LoadSkinImage(const std::string& path, int flags);
/// Cuts the nine tiles of a nine-slice file; all Null when it is missing.
kit_NineImages kit_LoadNineSlice(const std::string& path);

/// Draws a frame image stretched to (w, h) with these parameters, leaving the
/// drawing state as it was; sizes at or below 0 draw nothing.
void kit_DrawStretched(const ImageHandle& image, float x, float y, float w, float h,
                       const DrawParams& params, int frame = 0);
/// The nine-slice frame of a (w, h) rectangle at (x, y) with these
/// parameters: corners, edges and, when `centre` is set, the centre tile.
/// Gadgets smaller than two corners draw overlapping corners and no edges.
void kit_DrawNineSlice(const kit_NineImages& tiles, int x, int y, float w, float h,
                       const DrawParams& params, bool centre = true);
