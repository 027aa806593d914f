// Full-screen backdrops: the loading screen (light concrete, so the black
// "LOADING..." the game writes below the middle reads) and the main menu's
// dark steel arena floor, calm where the menus draw their band and panels.
// The desktop icon is a small scene of the same pieces.

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "tools/datagen/generator.h"
#include "tools/datagen/ui_style.h"
#include "tools/datagen/vehicle_shapes.h"

namespace datagen {

namespace {

using ui::SmoothStep;

constexpr int kW = 1024;
constexpr int kH = 768;
constexpr const char* kTitle = "CRASHMOOR";

// Per-pixel hash in 0..1 (lattice noise sampled on its grid points).
double Hash(double x, double y, std::uint32_t seed) {
    return ui::Noise(std::floor(x), std::floor(y), seed);
}

// Sets up the title's font: DejaVu Sans Bold, slanted forwards, sized so the
// word is `width` px wide. Returns the x of its left edge for centring on `cx`.
double TitleFont(cairo_t* cr, double size, double cx, double* width) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_matrix_t m;
    cairo_matrix_init(&m, size, 0, -0.2 * size, size, 0, 0);
    cairo_set_font_matrix(cr, &m);
    cairo_text_extents_t e;
    cairo_text_extents(cr, kTitle, &e);
    *width = e.width;
    return cx - e.width / 2 - e.x_bearing;
}

// The game's name in hot metal, `width` px wide: dark outline, a drop shadow,
// a gradient from pale yellow over a hard horizon to deep orange, and a lit
// upper-left rim.
void Title(Canvas& c, double cx, double baseline, double width) {
    cairo_t* cr = c.cr();
    double at100 = 0;
    TitleFont(cr, 100, cx, &at100);
    const double size = 100 * width / at100;
    double measured = 0;
    const double x = TitleFont(cr, size, cx, &measured);
    auto path = [&](cairo_t* p) {
        double w = 0;
        TitleFont(p, size, cx, &w);
        cairo_move_to(p, x, baseline);
        cairo_text_path(p, kTitle);
    };
    const double outline = std::max(3.0, size * 0.07);
    // Outline and shadow on a layer of their own, so the shadow sits under
    // the outline only, whatever the backdrop below.
    Canvas layer(c.width(), c.height());
    cairo_t* lc = layer.cr();
    path(lc);
    cairo_set_source_rgb(lc, 0.06, 0.05, 0.05);
    cairo_set_line_width(lc, outline);
    cairo_stroke_preserve(lc);
    cairo_fill(lc);
    DropShadow(layer, size * 0.05, size * 0.07, size * 0.06, 0.75, [&](cairo_t* m) {
        path(m);
        cairo_set_line_width(m, outline);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_stroke_preserve(m);
        cairo_fill(m);
    });
    path(lc);
    const double top = baseline - size * 0.74;
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, baseline);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.95, 0.72);
    cairo_pattern_add_color_stop_rgb(g, 0.46, 0.98, 0.68, 0.22);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.86, 0.38, 0.07);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 0.98, 0.56, 0.12);
    cairo_set_source(lc, g);
    cairo_fill_preserve(lc);
    cairo_pattern_destroy(g);
    // Lit upper-left rim: the glyphs minus a copy shifted down and right.
    cairo_save(lc);
    cairo_clip(lc);
    cairo_push_group(lc);
    path(lc);
    cairo_set_source_rgba(lc, 1, 1, 0.88, 0.7);
    cairo_fill(lc);
    cairo_set_operator(lc, CAIRO_OPERATOR_DEST_OUT);
    cairo_translate(lc, size * 0.018, size * 0.022);
    path(lc);
    cairo_set_source_rgba(lc, 0, 0, 0, 1);
    cairo_fill(lc);
    cairo_pop_group_to_source(lc);
    cairo_paint(lc);
    cairo_restore(lc);
    cairo_set_source_surface(c.cr(), layer.surface(), 0, 0);
    cairo_paint(c.cr());
}

// Two parallel worn tyre tracks along the path built by `path`, `gauge`
// apart, each `tyre` wide, laid over the canvas at `alpha`.
void TyreTracks(Canvas& c, const PathFn& path, double gauge, double tyre, double alpha,
                std::uint32_t seed) {
    Canvas layer(c.width(), c.height());
    cairo_t* cr = layer.cr();
    path(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_source_rgb(cr, 0.08, 0.07, 0.06);
    cairo_set_line_width(cr, gauge + tyre);
    cairo_stroke_preserve(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_set_line_width(cr, gauge - tyre);
    cairo_stroke(cr);
    // Rubber is laid unevenly: fade the tracks in patches.
    Canvas wear(c.width(), c.height());
    ui::Paint(wear, [&](double x, double y) {
        const double n = ui::Fractal(x / 45, y / 45, seed, 4);
        const double grain = Hash(x, y, seed + 1);
        return Rgba{0, 0, 0, SmoothStep(0.3, 0.7, n) * (0.75 + 0.25 * grain)};
    });
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(cr, wear.surface(), 0, 0);
    cairo_paint(cr);
    cairo_set_source_surface(c.cr(), layer.surface(), 0, 0);
    cairo_paint_with_alpha(c.cr(), alpha);
}

// A scorch mark stamped at (x, y) with a turn and a size.
void Stamp(Canvas& c, const Canvas& mark, double x, double y, double angle, double scale,
           double alpha) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, mark.surface(), -mark.width() / 2.0, -mark.height() / 2.0);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

// A stylised top-down combat car pointing along +x, 200 x 110 at scale 1,
// centred on the origin: wheels, a wedge body, cockpit glass and a roof gun.
void Car(Canvas& c, double x, double y, double angle, double scale, const Rgba& paint,
         const Rgba& stripe, double shadow) {
    auto body = [](cairo_t* p) {
        cairo_move_to(p, -96, -44);
        cairo_line_to(p, 62, -46);
        cairo_curve_to(p, 92, -44, 100, -30, 100, 0);
        cairo_curve_to(p, 100, 30, 92, 44, 62, 46);
        cairo_line_to(p, -96, 44);
        cairo_curve_to(p, -102, 44, -104, 38, -104, 30);
        cairo_line_to(p, -104, -30);
        cairo_curve_to(p, -104, -38, -102, -44, -96, -44);
        cairo_close_path(p);
    };
    auto wheels = [](cairo_t* p) {
        for (double wx : {-66.0, 52.0})
            for (double wy : {-50.0, 50.0}) RoundedRect(p, wx - 20, wy - 11, 40, 22, 6);
    };
    auto place = [&](cairo_t* p) {
        cairo_translate(p, x, y);
        cairo_rotate(p, angle);
        cairo_scale(p, scale, scale);
    };
    DropShadow(c, 10 * scale, 14 * scale, 12 * scale, shadow, [&](cairo_t* m) {
        place(m);
        body(m);
        wheels(m);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_fill(m);
    });
    cairo_t* cr = c.cr();
    cairo_save(cr);
    place(cr);
    const Rgba outline = Hex(ui::kOutline);
    wheels(cr);
    cairo_set_source_rgb(cr, 0.09, 0.09, 0.09);
    cairo_fill_preserve(cr);
    Outline(cr, outline, 4);
    body(cr);
    FillLinear(cr, -100, -46, Shade(paint, 0.25), 60, 60, Shade(paint, -0.35), true);
    Outline(cr, outline, 5);
    // Racing stripes along the body.
    cairo_save(cr);
    body(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, -110, -16, 220, 10);
    cairo_rectangle(cr, -110, 6, 220, 10);
    cairo_set_source_rgba(cr, stripe.r, stripe.g, stripe.b, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
    // Cockpit glass with a sky reflection on the upper left.
    cairo_move_to(cr, 34, -32);
    cairo_curve_to(cr, 46, -20, 46, 20, 34, 32);
    cairo_line_to(cr, -30, 30);
    cairo_curve_to(cr, -38, 14, -38, -14, -30, -30);
    cairo_close_path(cr);
    FillLinear(cr, -30, -32, Hex(0x8FA6B8), 40, 30, Hex(0x1A222A), true);
    Outline(cr, outline, 4);
    // Roof gun pointing forwards.
    RoundedRect(cr, -6, -5, 78, 10, 3);
    FillLinear(cr, 0, -5, Hex(0x8A8A8A), 0, 5, Hex(0x2A2A2A), true);
    Outline(cr, outline, 3);
    cairo_arc(cr, -4, 0, 15, 0, 2 * M_PI);
    FillRadial(cr, -9, -5, 1, Hex(0x9A9A9A), 18, Hex(0x2E2E2E), true);
    Outline(cr, outline, 3.5);
    // Rear lights.
    for (double ly : {-36.0, 30.0}) {
        RoundedRect(cr, -104, ly, 6, 6, 2);
        cairo_set_source_rgb(cr, 0.9, 0.15, 0.1);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// Soft darkening towards the corners around (cx, cy).
void Vignette(Canvas& c, double cx, double cy, double inner, double outer, double strength) {
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 0, 0, c.width(), c.height());
    FillRadial(cr, cx, cy, inner, Rgba{0, 0, 0, 0}, outer, Rgba{0, 0, 0, strength});
}

// Diagonal black-and-orange hazard stripes filling a rectangle.
void Hazard(cairo_t* cr, double x, double y, double w, double h, double alpha) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source_rgba(cr, 0.94, 0.54, 0.14, alpha);
    cairo_fill(cr);
    for (double s = x - h; s < x + w + h; s += 28) {
        cairo_move_to(cr, s, y);
        cairo_line_to(cr, s + 14, y);
        cairo_line_to(cr, s + 14 + h, y + h);
        cairo_line_to(cr, s + h, y + h);
        cairo_close_path(cr);
    }
    cairo_set_source_rgba(cr, 0.07, 0.06, 0.05, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    Outline(cr, Rgba{0.05, 0.04, 0.04, alpha}, 1);
}

Canvas Loading() {
    Canvas c(kW, kH);
    // Pale concrete slabs with grit and stains.
    ui::Paint(c, [](double x, double y) {
        const double broad = ui::Fractal(x / 160, y / 160, 101, 4) - 0.5;
        const double fine = ui::Fractal(x / 6, y / 6, 102, 2) - 0.5;
        const double speck = Hash(x, y, 103);
        double v = 0.79 + broad * 0.14 + fine * 0.07;
        if (speck > 0.992) v -= 0.22;
        if (speck < 0.006) v += 0.08;
        // Slab joints every 256 px: a dark groove with a lit lower lip.
        const double jx = std::fmod(x, 256.0), jy = std::fmod(y + 64, 256.0);
        if (jx < 2 || jy < 2) v -= 0.2;
        if ((jx >= 2 && jx < 3) || (jy >= 2 && jy < 3)) v += 0.05;
        const Rgba base = Hex(0xCFC8BC);
        return Rgba{base.r * v / 0.79, base.g * v / 0.79, base.b * v / 0.79, 1};
    });
    const Canvas scorch_a = ui::Scorch(256, 0x71u);
    const Canvas scorch_b = ui::Scorch(256, 0x93u);
    Stamp(c, scorch_a, 118, 130, 0.6, 1.1, 0.75);
    Stamp(c, scorch_b, 930, 640, 2.1, 1.3, 0.7);
    Stamp(c, scorch_a, 900, 110, 4.0, 0.6, 0.6);
    Stamp(c, scorch_b, 80, 700, 1.2, 0.7, 0.6);
    // Skid marks: a doughnut in the corner and the tracks of the two cars.
    TyreTracks(
        c,
        [](cairo_t* p) {
            cairo_new_sub_path(p);
            cairo_arc(p, 150, 160, 110, 0.3, 2 * M_PI + 1.2);
        },
        84, 16, 0.7, 13);
    TyreTracks(
        c,
        [](cairo_t* p) {
            cairo_move_to(p, -80, 560);
            cairo_curve_to(p, 60, 600, 60, 720, 160, 690);
            cairo_curve_to(p, 180, 684, 200, 676, 230, 664);
        },
        84, 16, 0.75, 11);
    TyreTracks(
        c,
        [](cairo_t* p) {
            cairo_move_to(p, 1010, -40);
            cairo_curve_to(p, 1070, 150, 1040, 396, 930, 446);
        },
        76, 15, 0.7, 12);
    TyreTracks(
        c,
        [](cairo_t* p) {
            cairo_move_to(p, 560, 800);
            cairo_curve_to(p, 640, 690, 760, 700, 1080, 760);
        },
        84, 16, 0.5, 14);
    // Cars that laid the marks.
    Car(c, 290, 640, -0.36, 0.9, Hex(0x34383C), Hex(ui::kAccent), 0.55);
    Car(c, 880, 470, 2.7, 0.8, Hex(0x8C1E18), Hex(0xE8E2D6), 0.55);
    Vignette(c, 512, 440, 330, 760, 0.55);
    // The title over everything.
    Title(c, 512, 262, 860);
    // Tag line under the title.
    cairo_t* cr = c.cr();
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 22);
    const char* tag = "A R E N A    C O M B A T";
    cairo_text_extents_t e;
    cairo_text_extents(cr, tag, &e);
    cairo_move_to(cr, 512 - e.width / 2 - e.x_bearing, 330);
    cairo_set_source_rgba(cr, 0.14, 0.12, 0.11, 0.85);
    cairo_show_text(cr, tag);
    // A pale plate behind "LOADING..." with hazard ends.
    DropShadow(c, 5, 7, 8, 0.45, [](cairo_t* m) {
        RoundedRect(m, 232, 420, 560, 112, 8);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_fill(m);
    });
    RoundedRect(cr, 232, 420, 560, 112, 8);
    FillLinear(cr, 0, 420, Hex(0xFBF8F2), 0, 532, Hex(0xE6E1D8), true);
    Outline(cr, Hex(0x2A2624), 3);
    Hazard(cr, 242, 430, 26, 92, 1.0);
    Hazard(cr, 756, 430, 26, 92, 1.0);
    return c;
}

Canvas MainMenu() {
    Canvas c(kW, kH);
    // Dark diamond plate: raised lozenges alternating at +-45 degrees, lit
    // from the upper left, with grime.
    ui::Paint(c, [](double x, double y) {
        const double cell = 22;
        const double ci = std::floor(x / cell), cj = std::floor(y / cell);
        const double u = x - (ci + 0.5) * cell, v = y - (cj + 0.5) * cell;
        const double s = std::fmod(ci + cj, 2.0) == 0 ? 1.0 : -1.0;
        // Lozenge axes along the diagonal.
        const double a = (u + s * v) / std::sqrt(2.0), b = (v - s * u) / std::sqrt(2.0);
        const double d = (a / 8) * (a / 8) + (b / 2.4) * (b / 2.4);
        double light = 0;
        if (d < 1) {
            // Slope towards the upper left catches the light.
            const double ga = 2 * a / 64, gb = 2 * b / 5.76;
            const double gx = (ga - s * gb) / std::sqrt(2.0), gy = (s * ga + gb) / std::sqrt(2.0);
            light = std::clamp(-(gx + gy) * 0.6, -1.0, 1.0) * SmoothStep(1.0, 0.7, d);
        }
        const double grime = ui::Fractal(x / 120, y / 120, 201, 4);
        const double fine = ui::Fractal(x / 5, y / 5, 202, 2) - 0.5;
        double v0 = 0.125 + (grime - 0.5) * 0.05 + fine * 0.02 + light * 0.055;
        // Seams between plates, with rivets.
        const double sx = std::fmod(x + 96, 256.0), sy = std::fmod(y + 40, 192.0);
        if (sx < 2 || sy < 2) v0 *= 0.45;
        if ((sx >= 2 && sx < 3) || (sy >= 2 && sy < 3)) v0 *= 1.25;
        for (double rx : {9.0, 247.0})
            for (double ry : {9.0, 183.0}) {
                const double rd = std::hypot(sx - rx, sy - ry);
                if (rd < 3.5)
                    v0 = 0.2 - (sx - rx + sy - ry) * 0.02;
                else if (rd < 5)
                    v0 *= 0.6;
            }
        return Rgba{v0 * 1.02, v0, v0 * 0.97, 1};
    });
    // Warm glow of arena lights at the right-hand corners and the header.
    cairo_t* cr = c.cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (const auto& g :
         {std::array<double, 4>{1024, 768, 420, 0.16}, std::array<double, 4>{1024, 0, 360, 0.1},
          std::array<double, 4>{0, 0, 360, 0.1}}) {
        cairo_rectangle(cr, 0, 0, kW, kH);
        FillRadial(cr, g[0], g[1], 0, Hex(ui::kAccent, g[3]), g[2], Hex(ui::kAccent, 0));
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    // Faint skid marks and scorches on the lower floor, off the panels.
    TyreTracks(
        c,
        [](cairo_t* p) {
            cairo_move_to(p, 1080, 520);
            cairo_curve_to(p, 860, 500, 760, 700, 520, 720);
            cairo_curve_to(p, 380, 732, 300, 640, 120, 690);
        },
        88, 20, 0.35, 21);
    TyreTracks(
        c,
        [](cairo_t* p) {
            cairo_new_sub_path(p);
            cairo_arc(p, 880, 640, 90, 0.5, 2 * M_PI + 1.0);
        },
        76, 18, 0.3, 22);
    const Canvas scorch = ui::Scorch(256, 0x2B1u);
    Stamp(c, scorch, 620, 610, 1.0, 0.9, 0.55);
    Stamp(c, scorch, 60, 520, 2.5, 0.7, 0.5);
    // A parked car in the lower right corner, half in shadow.
    Car(c, 905, 665, -2.75, 0.85, Hex(0x2A2D30), Hex(ui::kAccentDark), 0.7);
    // Hazard columns framing the panels at both sides.
    Hazard(cr, 0, 150, 26, 380, 0.5);
    Hazard(cr, kW - 26, 150, 26, 380, 0.5);
    Vignette(c, 512, 330, 360, 800, 0.7);
    // Header: a darker bar with an orange rule under it, the title centred.
    cairo_rectangle(cr, 0, 0, kW, 96);
    FillLinear(cr, 0, 0, Rgba{0.03, 0.03, 0.035, 0.85}, 0, 96, Rgba{0.06, 0.06, 0.065, 0.8});
    cairo_rectangle(cr, 0, 93, kW, 3);
    cairo_set_source_rgb(cr, 0.94, 0.54, 0.14);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 96, kW, 10);
    FillLinear(cr, 0, 96, Rgba{0, 0, 0, 0.55}, 0, 106, Rgba{0, 0, 0, 0});
    Title(c, 512, 70, 440);
    // Footer strip stays dark for the white line of text the game writes.
    cairo_rectangle(cr, 0, 734, kW, 34);
    FillLinear(cr, 0, 734, Rgba{0, 0, 0, 0.3}, 0, 768, Rgba{0, 0, 0, 0.7});
    return c;
}

// A tracer streak from its tail to its hot head.
void Tracer(cairo_t* cr, const Pt& tail, const Pt& head, double width) {
    cairo_pattern_t* g = cairo_pattern_create_linear(tail.x, tail.y, head.x, head.y);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1.0, 0.45, 0.05, 0.0);
    cairo_pattern_add_color_stop_rgba(g, 0.6, 1.0, 0.62, 0.12, 0.8);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 1.0, 0.97, 0.75, 1.0);
    cairo_move_to(cr, tail.x, tail.y);
    cairo_line_to(cr, head.x, head.y);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, width);
    cairo_set_source(cr, g);
    cairo_stroke(cr);
    cairo_pattern_destroy(g);
    Glow(cr, head.x, head.y, width * 1.6, Rgba{1.0, 0.8, 0.35, 0.9});
}

// A four-pointed muzzle flash at (x, y), its long axis along `angle`.
void MuzzleFlash(cairo_t* cr, double x, double y, double angle, double size) {
    Glow(cr, x, y, size * 1.3, Rgba{1.0, 0.6, 0.15, 0.75});
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    const double reach[] = {size, size * 0.42, size * 0.3, size * 0.42};
    cairo_move_to(cr, reach[0], 0);
    for (int i = 1; i <= 8; ++i) {
        const double a = i * M_PI / 4;
        const double r = (i % 2) ? size * 0.14 : reach[(i / 2) % 4];
        cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    FillRadial(cr, 0, 0, 0, Hex(0xFFFDF0), size, Hex(ui::kAccentLight, 0.9));
    cairo_restore(cr);
}

}  // namespace

void MakeBackdrops(Output& out) {
    out.Image("sprites/backdrop/logo.png", Loading(), 1.0);
    out.Image("sprites/backdrop/mainmenu.png", MainMenu(), 1.0);
}

// The desktop icon: a dark steel arena tile in an orange rim, with a red
// combat car firing its roof gun at the far corner, where the shots
// explode. Big shapes and strong contrast keep it readable at the 48 px the
// desktop's menus show it.
Canvas DesktopIcon() {
    constexpr int kSize = 256;
    constexpr double kTile0 = 14, kTileSide = 224, kTileRadius = 40;
    auto tile = [&](cairo_t* p) {
        RoundedRect(p, kTile0, kTile0, kTileSide, kTileSide, kTileRadius);
    };
    // The car: centre, heading (up and to the right) and scale of `Car`.
    constexpr double kCarX = 108, kCarY = 154, kCarAngle = -0.72, kCarScale = 0.74;
    // A point on the car's centre line, `forward` of its centre in the car's
    // own units.
    auto along = [&](double forward) {
        return Pt{kCarX + forward * kCarScale * std::cos(kCarAngle),
                  kCarY + forward * kCarScale * std::sin(kCarAngle)};
    };
    // The shots hit ahead of the car, in the upper right corner; they leave
    // the gun just ahead of the bonnet.
    const Pt hit = along(175), muzzle = along(108);
    auto shot = [&](double t) {
        return Pt{muzzle.x + (hit.x - muzzle.x) * t, muzzle.y + (hit.y - muzzle.y) * t};
    };

    // Floor: worn steel plates, warmer towards the fire.
    Canvas floor(kSize, kSize);
    ui::Paint(floor, [](double x, double y) {
        const double grime = ui::Fractal(x / 70, y / 70, 301, 4);
        const double fine = ui::Fractal(x / 4, y / 4, 302, 2) - 0.5;
        double v = 0.25 + (grime - 0.5) * 0.08 + fine * 0.03;
        const double sx = std::fmod(x + 40, 128.0), sy = std::fmod(y + 88, 128.0);
        if (sx < 2 || sy < 2) v *= 0.5;
        if ((sx >= 2 && sx < 3) || (sy >= 2 && sy < 3)) v *= 1.3;
        return Rgba{v * 1.03, v, v * 0.96, 1};
    });
    cairo_t* fc = floor.cr();
    cairo_set_operator(fc, CAIRO_OPERATOR_ADD);
    cairo_rectangle(fc, 0, 0, kSize, kSize);
    FillRadial(fc, hit.x, hit.y, 0, Hex(ui::kAccent, 0.4), 190, Hex(ui::kAccent, 0));
    cairo_set_operator(fc, CAIRO_OPERATOR_OVER);
    // Scorches of earlier hits in the open corners.
    const Canvas scorch = ui::Scorch(256, 0x3C5u);
    Stamp(floor, scorch, 196, 196, 1.1, 0.5, 0.8);
    Stamp(floor, scorch, 52, 56, 2.6, 0.36, 0.7);

    Canvas c(kSize, kSize);
    cairo_t* cr = c.cr();
    DropShadow(c, 3, 5, 5, 0.6, [&](cairo_t* m) {
        tile(m);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_fill(m);
    });
    tile(cr);
    cairo_set_source_surface(cr, floor.surface(), 0, 0);
    cairo_fill(cr);

    // The explosion where the shots hit, the car, and the tracers flying
    // from its muzzle flash into the fire.
    cairo_save(cr);
    tile(cr);
    cairo_clip(cr);
    Stamp(c, ExplosionSprite(), hit.x, hit.y, 0.5, 0.42, 1.0);
    cairo_restore(cr);
    Car(c, kCarX, kCarY, kCarAngle, kCarScale, Hex(0xC8281C), Hex(0xF2EBDD), 0.7);
    // From, to (as fractions of the way to the hit) and width.
    for (const auto& t :
         {std::array<double, 3>{0.5, 0.8, 5.0}, std::array<double, 3>{0.05, 0.35, 4.5}}) {
        Tracer(cr, shot(t[0]), shot(t[1]), t[2]);
    }
    MuzzleFlash(cr, muzzle.x, muzzle.y, kCarAngle, 24);

    // Darker towards the rim, then the rim: orange with a bevel lit from the
    // upper left, inside a near-black outline.
    cairo_save(cr);
    tile(cr);
    cairo_clip(cr);
    Vignette(c, 128, 128, 80, 180, 0.45);
    cairo_restore(cr);
    RoundedRect(cr, kTile0 + 4, kTile0 + 4, kTileSide - 8, kTileSide - 8, kTileRadius - 4);
    cairo_set_line_width(cr, 7);
    cairo_pattern_t* rim =
        cairo_pattern_create_linear(kTile0, kTile0, kTile0 + kTileSide, kTile0 + kTileSide);
    cairo_pattern_add_color_stop_rgb(rim, 0.0, 1.0, 0.8, 0.45);
    cairo_pattern_add_color_stop_rgb(rim, 0.5, 0.94, 0.54, 0.14);
    cairo_pattern_add_color_stop_rgb(rim, 1.0, 0.6, 0.28, 0.06);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    tile(cr);
    Outline(cr, Hex(ui::kOutline), 4);
    RoundedRect(cr, kTile0 + 8, kTile0 + 8, kTileSide - 16, kTileSide - 16, kTileRadius - 8);
    Outline(cr, Hex(ui::kOutline, 0.8), 2);
    return c;
}

}  // namespace datagen
