#include <algorithm>
#include <cmath>

#include "tools/datagen/generator.h"

namespace datagen {
namespace {

constexpr int kSheetWidth = 2400;
constexpr int kPad = 12;
constexpr int kLabel = 16;

// Cairo surface of a sheet item (premultiplied for drawing).
cairo_surface_t* ItemSurface(const SheetItem& item) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, item.width, item.height);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < item.height; ++y) {
        for (int x = 0; x < item.width; ++x) {
            const std::uint32_t p = item.argb[y * item.width + x];
            const std::uint32_t a = p >> 24;
            auto pm = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) =
                (a << 24) | (pm((p >> 16) & 0xFF) << 16) | (pm((p >> 8) & 0xFF) << 8) |
                pm(p & 0xFF);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

struct View {
    double scale;
    Rgba background;
    const char* caption;
};

// The views of an item: 1:1 on grey, game scale on grey and on dark, and a
// magnified copy of tiny images.
std::vector<View> ViewsOf(const SheetItem& item) {
    std::vector<View> views{{1.0, Hex(0x808080), "1:1"}};
    if (std::fabs(item.game_scale - 1.0) > 1e-9)
        views.push_back({item.game_scale, Hex(0x808080), "game"});
    views.push_back({item.game_scale, Hex(0x1c1c1c), "game, dark"});
    if (std::max(item.width, item.height) <= 32) views.push_back({4.0, Hex(0x808080), "x4"});
    return views;
}

}  // namespace

bool WriteContactSheet(const Output& out, const std::string& path) {
    // Flow layout: cells left to right, wrapping at the sheet width.
    struct Placed {
        const SheetItem* item;
        double x, y;
    };
    std::vector<Placed> placed;
    double x = kPad, y = kPad, row_h = 0;
    auto cell_size = [](const SheetItem& item, double* w, double* h) {
        *w = 0;
        *h = 0;
        for (const View& v : ViewsOf(item)) {
            *w += item.width * v.scale + kPad;
            *h = std::max(*h, item.height * v.scale);
        }
        *w = std::max(*w, 220.0);
        *h += kLabel * 2;
    };
    for (const SheetItem& item : out.sheet()) {
        double w, h;
        cell_size(item, &w, &h);
        if (x + w > kSheetWidth && x > kPad) {
            x = kPad;
            y += row_h + kPad;
            row_h = 0;
        }
        placed.push_back({&item, x, y});
        x += w + kPad;
        row_h = std::max(row_h, h);
    }
    const int height = static_cast<int>(y + row_h + kPad);
    Canvas sheet(kSheetWidth, std::max(height, 64));
    sheet.Clear(Hex(0x3a3a3a));
    cairo_t* cr = sheet.cr();
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    for (const Placed& p : placed) {
        const SheetItem& item = *p.item;
        char label[256];
        std::snprintf(label, sizeof label, "%s  %dx%d  scale %.2f", item.path.c_str(), item.width,
                      item.height, item.game_scale);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, p.x, p.y + 12);
        cairo_show_text(cr, label);
        cairo_surface_t* image = ItemSurface(item);
        double vx = p.x;
        const double vy = p.y + kLabel;
        for (const View& v : ViewsOf(item)) {
            const double w = item.width * v.scale, h = item.height * v.scale;
            cairo_set_source_rgba(cr, v.background.r, v.background.g, v.background.b, 1);
            cairo_rectangle(cr, vx, vy, std::max(w, 1.0), std::max(h, 1.0));
            cairo_fill(cr);
            cairo_save(cr);
            cairo_translate(cr, vx, vy);
            cairo_scale(cr, v.scale, v.scale);
            cairo_set_source_surface(cr, image, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr),
                                     v.scale > 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
            cairo_move_to(cr, vx, vy + h + 12);
            cairo_show_text(cr, v.caption);
            vx += w + kPad;
        }
        cairo_surface_destroy(image);
    }
    return sheet.SavePng(path);
}

}  // namespace datagen
