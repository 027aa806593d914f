#pragma once
// Images: one or more frames of equal size, each kept as CPU pixels and
// drawn through a power-of-two texture made on first use.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics.h"

namespace engine_detail {
class PixelTexture;
}

/// Image flags.
enum ImageFlags : int {
    kImageMasked = 1,     ///< pixels of the mask colour become transparent at load
    kImageFiltered = 2,   ///< bilinear sampling when scaled or rotated
    kImageMipmapped = 4,  ///< treated as filtered
    kImageDynamic = 8,    ///< pixels may change after creation
};
constexpr int kImageDefaultFlags = kImageMasked | kImageFiltered;

/// A locked frame's pixels as 32-bit ARGB. Reads outside the frame give 0
/// (transparent); writes outside are ignored.
struct Pixmap {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;  ///< values per row
    bool readable = false;
    bool writeable = false;
};

class Image {
public:
    struct Frame;
    Image(int width, int height, int frames, int flags);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int flags() const { return flags_; }
    int frame_count() const { return static_cast<int>(frames_.size()); }
    float handle_x = 0.0f;
    float handle_y = 0.0f;
    std::uint8_t mask_r = 0, mask_g = 0, mask_b = 0;

    Frame* frame(int index);

private:
    int width_;
    int height_;
    int flags_;
    std::vector<std::shared_ptr<Frame>> frames_;
    friend std::shared_ptr<Image> img_share(const std::shared_ptr<Image>& image);
};
using ImageHandle = std::shared_ptr<Image>;

/// Loads a PNG, JPEG, BMP or TGA file as a one-frame image; flags -1 means
/// masked and filtered. Null when the file is missing or unreadable.
ImageHandle img_load(const std::string& path, int flags);
/// Cuts a strip or grid of `cell_w` x `cell_h` cells into frames, left to
/// right then top to bottom, taking `count` cells from cell `first`. Null
/// when the cells do not fit the file or the file is unreadable.
ImageHandle img_load_anim(const std::string& path, int cell_w, int cell_h, int first, int count,
                          int flags);
/// A transparent image; flag 8 (dynamic) is always added. Null for sizes
/// below 1.
ImageHandle img_create(int width, int height, int frames, int flags);
/// A second image of the same pixels and textures (a later write through
/// either shows in both) with its own handle, starting at (0, 0) as after a
/// load. Lets one file serve objects that set different handles on it
/// without decoding it again. Null for Null.
ImageHandle img_share(const ImageHandle& image);
/// A one-frame image from 32-bit ARGB pixels (row-major, `width` a row), as
/// if loaded from a file: flags -1 are the defaults, and a masked image's
/// pixels of the mask colour become transparent.
ImageHandle img_from_pixels(int width, int height, const std::uint32_t* argb, int flags);

int img_width(const ImageHandle& image);
int img_height(const ImageHandle& image);
int img_frames(const ImageHandle& image);
void img_set_handle(const ImageHandle& image, double x, double y);
/// Handle at the centre (width x 0.5, height x 0.5).
void img_mid_handle(const ImageHandle& image);
/// The mask colour captured by images loaded after this call (default black).
void img_set_mask_color(int r, int g, int b);
void img_get_mask_color(int* r, int* g, int* b);
/// Texture coordinates (fractions of the frame's power-of-two texture) that
/// the frame shows when drawn.
void img_set_frame_uv(const ImageHandle& image, int frame, double u0, double v0, double u1,
                      double v1);
void img_get_frame_uv(const ImageHandle& image, int frame, double* u0, double* v0, double* u1,
                      double* v1);
/// Size of the frame's texture (powers of two).
void img_texture_size(const ImageHandle& image, int* w, int* h);

/// Gives access to a frame's pixels until `img_unlock`; an empty pixmap for
/// Null or a frame out of range.
Pixmap img_lock(const ImageHandle& image, int frame, int read, int write);
/// Ends access; pixels written are uploaded before the next draw.
void img_unlock(const ImageHandle& image, int frame);
std::uint32_t pix_read_pixel(const Pixmap& pixmap, int x, int y);
void pix_write_pixel(const Pixmap& pixmap, int x, int y, std::uint32_t argb);

/// Draws a frame with its handle at (x, y) through the drawing state.
void gfx_draw_image(const ImageHandle& image, double x, double y, int frame);
/// `gfx_draw_image` with the parameters given instead of the drawing
/// state's transform, colour, alpha and blend; the state is left as it was.
void gfx_draw_image_with(const ImageHandle& image, double x, double y, int frame,
                         const DrawParams& params);
/// The same, stretched to w x h before rotation.
void gfx_draw_image_rect(const ImageHandle& image, double x, double y, double w, double h,
                         int frame);

/// One piece of a frame for `gfx_draw_image_cells`: the source rectangle in
/// frame pixels and where it goes, relative to the draw position.
struct ImageCell {
    float x, y, w, h;
    float sx, sy, sw, sh;
};
/// Draws many pieces of one frame (a tile atlas, a glyph sheet) through the
/// drawing state in a single batch: cheaper than one draw per piece.
void gfx_draw_image_cells(const ImageHandle& image, double x, double y, int frame,
                          const ImageCell* cells, int count);

/// Saves 32-bit ARGB pixels (row-major, `width` a row) as a PNG file.
/// Returns 1 on success.
int pix_save_png(int width, int height, const std::uint32_t* argb, const std::string& path);
