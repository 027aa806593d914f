// The aiming mark (drawn with its top-left pixel on the mouse, the point the
// gun aims at) and the Big Dog marker shown over the leading car.

#include <cmath>

#include "tools/datagen/generator.h"
#include "tools/datagen/ui_style.h"

namespace datagen {

namespace {

// A reticle corner: an arrowhead whose tip is pixel (0, 0) inside a quarter
// ring around the tip, bright yellow-white on a dark outline so that it reads
// on any floor.
Canvas Target() {
    Canvas c(32, 32);
    cairo_t* cr = c.cr();
    auto arrow = [](cairo_t* p) {
        cairo_move_to(p, 0.3, 0.3);
        cairo_line_to(p, 16.5, 6.5);
        cairo_line_to(p, 9.5, 9.5);
        cairo_line_to(p, 6.5, 16.5);
        cairo_close_path(p);
    };
    auto ring = [](cairo_t* p) {
        cairo_new_sub_path(p);
        cairo_arc(p, 0, 0, 24, 0.22, M_PI / 2 - 0.22);
    };
    // Dark outline first, then the bright strokes over it.
    cairo_set_source_rgba(cr, 0.05, 0.04, 0.04, 0.95);
    cairo_set_line_width(cr, 5);
    ring(cr);
    cairo_stroke(cr);
    arrow(cr);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    cairo_set_line_width(cr, 2.2);
    cairo_set_source_rgb(cr, 1.0, 0.86, 0.42);
    ring(cr);
    cairo_stroke(cr);
    arrow(cr);
    FillLinear(cr, 0, 0, Hex(0xFFFFF0), 12, 12, Hex(0xFFAE2A));
    return c;
}

// A gold crown with jewels, bold enough to read at three quarters scale.
Canvas BigDog() {
    Canvas c(96, 96);
    cairo_t* cr = c.cr();
    auto crown = [](cairo_t* p) {
        cairo_move_to(p, 14, 70);
        cairo_line_to(p, 10, 30);
        cairo_line_to(p, 31, 47);
        cairo_line_to(p, 48, 20);
        cairo_line_to(p, 65, 47);
        cairo_line_to(p, 86, 30);
        cairo_line_to(p, 82, 70);
        cairo_close_path(p);
    };
    const double tips[3][2] = {{10, 28}, {48, 17}, {86, 28}};
    // Drawn on a 96 px grid, shrunk about the centre to leave the shadow room.
    auto fit = [](cairo_t* p) {
        cairo_translate(p, 48, 49);
        cairo_scale(p, 0.86, 0.86);
        cairo_translate(p, -48, -49);
    };
    DropShadow(c, 3, 4, 4, 0.6, [&](cairo_t* m) {
        fit(m);
        crown(m);
        RoundedRect(m, 12, 66, 72, 14, 4);
        for (const auto& t : tips) cairo_arc(m, t[0], t[1], 6.5, 0, 2 * M_PI);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_fill(m);
    });
    fit(cr);
    // Tips' balls.
    for (const auto& t : tips) {
        cairo_arc(cr, t[0], t[1], 6, 0, 2 * M_PI);
        FillRadial(cr, t[0] - 2, t[1] - 2, 0, Hex(0xFFF6C0), 7, Hex(0xC8901A), true);
        Outline(cr, Hex(ui::kOutline), 3);
    }
    crown(cr);
    FillLinear(cr, 10, 20, Hex(0xFFE27A), 86, 74, Hex(0xC07A10), true);
    Outline(cr, Hex(ui::kOutline), 4);
    // Inner highlight along the left of the points.
    cairo_move_to(cr, 17, 64);
    cairo_line_to(cr, 15, 40);
    cairo_move_to(cr, 36, 44);
    cairo_line_to(cr, 48, 26);
    Outline(cr, Rgba{1, 1, 0.85, 0.7}, 2.5);
    // Band with jewels.
    RoundedRect(cr, 12, 64, 72, 16, 4);
    FillLinear(cr, 0, 64, Hex(ui::kGold), 0, 80, Hex(0x9A5E0C), true);
    Outline(cr, Hex(ui::kOutline), 4);
    const std::uint32_t jewels[3] = {0xE8303A, 0x38C8F0, 0xE8303A};
    for (int i = 0; i < 3; ++i) {
        const double jx = 28 + i * 20, jy = 72;
        cairo_arc(cr, jx, jy, 4.6, 0, 2 * M_PI);
        FillRadial(cr, jx - 1.5, jy - 1.5, 0, Shade(Hex(jewels[i]), 0.6), 5, Hex(jewels[i]), true);
        Outline(cr, Hex(ui::kOutline), 2);
    }
    // A centre jewel on the crown's front.
    cairo_move_to(cr, 48, 40);
    cairo_line_to(cr, 55, 50);
    cairo_line_to(cr, 48, 60);
    cairo_line_to(cr, 41, 50);
    cairo_close_path(cr);
    FillLinear(cr, 41, 40, Hex(0xFF8A90), 55, 60, Hex(0xA0101C), true);
    Outline(cr, Hex(ui::kOutline), 2.5);
    return c;
}

}  // namespace

void MakeMarkers(Output& out) {
    out.Image("Sprites/target.png", Target(), 1.0);
    out.Image("sprites/bigdog.png", BigDog(), 0.75);
}

}  // namespace datagen
