#include "engine/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "engine/builtin_font_bitmap.h"
#include "engine/engine_detail.h"
#include "engine/filesystem.h"
#include "engine/graphics.h"

namespace {

struct LibraryDeleter {
    void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
using LibraryPtr = std::shared_ptr<std::remove_pointer_t<FT_Library>>;

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

LibraryPtr g_library;
FontHandle g_current;
FontHandle g_builtin;

constexpr int kAtlasWidth = 512;
constexpr int kAtlasMaxHeight = 4096;

// Decodes UTF-8; a byte that does not start a valid sequence stands for itself
// (Latin-1), so any text draws without skipping.
std::vector<int> code_points(const std::string& text) {
    std::vector<int> out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        int extra = 0, code = c;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            code = c & 0x07;
        }
        bool valid = end - p > extra;
        for (int i = 1; valid && i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (p[i] & 0x3F);
        }
        if (extra > 0 && valid) {
            out.push_back(code);
            p += extra + 1;
        } else {
            out.push_back(c);
            ++p;
        }
    }
    return out;
}

}  // namespace

class ImageFont {
public:
    struct Glyph {
        float advance = 0.0f;
        int left = 0, top = 0, w = 0, h = 0;  // bitmap offset from pen and baseline
        int atlas_x = 0, atlas_y = 0;
    };

    /// A FreeType font.
    ImageFont(LibraryPtr library, FacePtr face, int size, int style)
        : library_(std::move(library)),
          face_(std::move(face)),
          style_(style),
          atlas_(kAtlasWidth, 64) {
        const FT_Size_Metrics& m = face_->size->metrics;
        height_ = static_cast<int>((m.height + 63) >> 6);
        ascent_ = static_cast<int>((m.ascender + 63) >> 6);
        (void)size;
    }

    /// The built-in bitmap font.
    ImageFont() : style_(0), atlas_(kAtlasWidth, 64), builtin_(true) {
        height_ = 16;
        ascent_ = 16;
    }

    int height() const { return height_; }
    int ascent() const { return ascent_; }
    bool smooth() const { return (style_ & kFontSmooth) != 0; }
    engine_detail::PixelTexture& atlas() { return atlas_; }

    /// The glyph of a character; null when the font has none (built-in font
    /// outside 32..127).
    const Glyph* Find(int code) {
        auto it = glyphs_.find(code);
        if (it != glyphs_.end()) return it->second.valid ? &it->second.glyph : nullptr;
        Entry& e = glyphs_[code];
        e.valid = builtin_ ? MakeBuiltin(code, e.glyph) : MakeFreeType(code, e.glyph);
        return e.valid ? &e.glyph : nullptr;
    }

private:
    struct Entry {
        Glyph glyph;
        bool valid = false;
    };

    bool MakeBuiltin(int code, Glyph& g) {
        if (code < 32 || code > 127) return false;
        g.advance = 8.0f;
        g.w = 8;
        g.h = 16;
        g.left = 0;
        g.top = 16;
        std::vector<std::uint8_t> coverage(8 * 16);
        for (int row = 0; row < 16; ++row) {
            for (int col = 0; col < 8; ++col) {
                const bool on = (kBuiltinFontBitmap[code - 32][row] >> (7 - col)) & 1;
                coverage[static_cast<std::size_t>(row) * 8 + col] = on ? 255 : 0;
            }
        }
        return Place(g, coverage.data(), 8);
    }

    bool MakeFreeType(int code, Glyph& g) {
        FT_Face face = face_.get();
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_DEFAULT) != 0) return false;
        FT_GlyphSlot slot = face->glyph;
        if (style_ & kFontBold) FT_GlyphSlot_Embolden(slot);
        if (style_ & kFontItalic) FT_GlyphSlot_Oblique(slot);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
        const FT_Bitmap& bm = slot->bitmap;
        g.advance = static_cast<float>(slot->advance.x) / 64.0f;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.w = static_cast<int>(bm.width);
        g.h = static_cast<int>(bm.rows);
        if (g.w == 0 || g.h == 0) return true;  // a space: advance only
        std::vector<std::uint8_t> coverage(static_cast<std::size_t>(g.w) * g.h);
        for (int y = 0; y < g.h; ++y) {
            const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            for (int x = 0; x < g.w; ++x) {
                std::uint8_t v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    v = row[x];
                else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
                coverage[static_cast<std::size_t>(y) * g.w + x] = v;
            }
        }
        return Place(g, coverage.data(), g.w);
    }

    // Packs a coverage bitmap into the atlas on shelves, growing it as needed.
    bool Place(Glyph& g, const std::uint8_t* coverage, int stride) {
        if (g.w + 2 > kAtlasWidth) return false;
        if (shelf_x_ + g.w + 1 > kAtlasWidth) {
            shelf_x_ = 1;
            shelf_y_ += shelf_h_ + 1;
            shelf_h_ = 0;
        }
        while (shelf_y_ + g.h + 1 > atlas_.height()) {
            const int grown = atlas_.height() * 2;
            if (grown > kAtlasMaxHeight) return false;
            engine_detail::SurfacePtr bigger = engine_detail::make_argb_surface(kAtlasWidth, grown);
            if (!bigger) return false;
            SDL_BlitSurface(atlas_.surface(), nullptr, bigger.get(), nullptr);
            atlas_.Replace(std::move(bigger));
        }
        g.atlas_x = shelf_x_;
        g.atlas_y = shelf_y_;
        std::uint32_t* px = atlas_.pixels();
        for (int y = 0; y < g.h; ++y) {
            for (int x = 0; x < g.w; ++x) {
                const std::uint32_t a = coverage[static_cast<std::size_t>(y) * stride + x];
                px[(g.atlas_y + y) * atlas_.pitch() + g.atlas_x + x] = (a << 24) | 0x00FFFFFFu;
            }
        }
        atlas_.MarkDirty();
        shelf_x_ += g.w + 1;
        shelf_h_ = std::max(shelf_h_, g.h);
        return true;
    }

    LibraryPtr library_;
    FacePtr face_;
    int style_;
    int height_ = 0;
    int ascent_ = 0;
    engine_detail::PixelTexture atlas_;
    bool builtin_ = false;
    std::unordered_map<int, Entry> glyphs_;
    int shelf_x_ = 1, shelf_y_ = 1, shelf_h_ = 0;
};

namespace engine_detail {

void fonts_start() {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) == 0) g_library = LibraryPtr(lib, LibraryDeleter{});
}

void fonts_stop() {
    g_current.reset();
    g_builtin.reset();
    g_library.reset();  // fonts still alive keep the library until they go
}

}  // namespace engine_detail

namespace {

ImageFont& selected_font() {
    if (g_current) return *g_current;
    return *font_builtin();
}

std::string base_name(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

// The game names Windows fonts ("C:\windows\fonts\tahoma.ttf", the skin's
// "trebucbd.ttf"). Where such a file does not exist, the free fonts copied
// into the data folder's "fonts/" stand in: metric-compatible Tahoma clones
// for Tahoma, the bold clone for other bold faces, DejaVu Sans for the rest.
std::string font_fallback_path(const std::string& path) {
    if (fs_file_type(path) == 1) return fs_resolve(path);
    std::string name = base_name(path);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<std::string> candidates;
    if (fs_file_type("fonts/" + name) == 1) candidates.push_back("fonts/" + name);
    const bool bold =
        name.find("bd") != std::string::npos || name.find("bold") != std::string::npos;
    if (bold) {
        candidates.push_back("fonts/tahomabd.ttf");
        candidates.push_back("fonts/DejaVuSans-Bold.ttf");
    }
    candidates.push_back("fonts/tahoma.ttf");
    candidates.push_back("fonts/DejaVuSans.ttf");
    for (const std::string& c : candidates) {
        if (fs_file_type(c) == 1) return fs_resolve(c);
    }
    return std::string();
}

FontHandle font_load(const std::string& path, int size, int style) {
    if (!g_library || size <= 0) return nullptr;
    const std::string file = font_fallback_path(path);
    if (file.empty()) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(g_library.get(), file.c_str(), 0, &face) != 0) return nullptr;
    FacePtr owned(face);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::min(size, 1024))) != 0)
        return nullptr;
    return std::make_shared<ImageFont>(g_library, std::move(owned), size, style);
}

FontHandle font_builtin() {
    if (!g_builtin) g_builtin = std::make_shared<ImageFont>();
    return g_builtin;
}

int font_height(const FontHandle& font) {
    return font ? font->height() : 0;
}

void gfx_set_font(const FontHandle& font) {
    g_current = font;
}
FontHandle gfx_get_font() {
    return g_current;
}

void gfx_draw_text(const std::string& text, double x, double y) {
    if (!engine_detail::can_draw() || text.empty()) return;
    ImageFont& font = selected_font();
    double hx = 0.0, hy = 0.0;
    gfx_get_handle(&hx, &hy);
    std::vector<engine_detail::LocalQuad> quads;
    float pen = 0.0f;
    for (int code : code_points(text)) {
        const ImageFont::Glyph* g = font.Find(code);
        if (!g) continue;
        if (g->w > 0 && g->h > 0) {
            const float x0 = pen + static_cast<float>(g->left) - static_cast<float>(hx);
            const float y0 = static_cast<float>(font.ascent() - g->top) - static_cast<float>(hy);
            quads.push_back(engine_detail::LocalQuad{x0, y0, x0 + g->w, y0 + g->h, 0, 0, 0, 0});
            engine_detail::LocalQuad& q = quads.back();
            q.u0 = static_cast<float>(g->atlas_x);
            q.v0 = static_cast<float>(g->atlas_y);
            q.u1 = static_cast<float>(g->atlas_x + g->w);
            q.v1 = static_cast<float>(g->atlas_y + g->h);
        }
        pen += g->advance;
    }
    if (quads.empty()) return;
    // Texture coordinates are fractions of the atlas, whose size is final
    // only once every glyph of the text has been placed.
    engine_detail::PixelTexture& atlas = font.atlas();
    const float tw = static_cast<float>(atlas.tex_width()),
                th = static_cast<float>(atlas.tex_height());
    for (engine_detail::LocalQuad& q : quads) {
        q.u0 /= tw;
        q.u1 /= tw;
        q.v0 /= th;
        q.v1 /= th;
    }
    SDL_Texture* tex = atlas.Texture(engine_detail::blend_is_mask(), font.smooth());
    engine_detail::draw_quads(tex, static_cast<float>(x), static_cast<float>(y), quads.data(),
                              static_cast<int>(quads.size()));
}

int gfx_text_width(const std::string& text) {
    ImageFont& font = selected_font();
    double width = 0.0;
    for (int code : code_points(text)) {
        const ImageFont::Glyph* g = font.Find(code);
        if (g) width = std::trunc(width + g->advance);
    }
    return static_cast<int>(width);
}

int gfx_text_height() {
    return selected_font().height();
}
