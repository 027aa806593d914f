// Pickups (health, ammunition, secondary devices), the explosion, the scorch
// mark it leaves, tyre marks and the soft glow every particle emitter uses.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "tools/datagen/generator.h"
#include "tools/datagen/ui_style.h"

namespace datagen {

namespace {

using ui::SmoothStep;

constexpr int kPickupSize = 224;   // canvas; the crate is 156 px with room for its shadow
constexpr double kCrateHalf = 78;  // half the crate's side
constexpr double kPanelHalf = 54;  // half the recessed centre panel's side
constexpr double kPickupScale = 0.35;

// A top-down supply crate: a bevelled frame in `frame` colour, a recessed
// centre panel in `panel` colour and an icon drawn by `icon` around (0, 0).
Canvas Crate(const Rgba& frame, const Rgba& panel, bool stripes,
             const std::function<void(cairo_t*)>& icon) {
    Canvas c(kPickupSize, kPickupSize);
    cairo_t* cr = c.cr();
    const double cx = kPickupSize / 2.0, cy = kPickupSize / 2.0;
    const double x0 = cx - kCrateHalf, side = kCrateHalf * 2;

    // Frame with light from the upper left.
    RoundedRect(cr, x0, x0, side, side, 22);
    FillLinear(cr, x0, x0, Shade(frame, 0.28), x0 + side, x0 + side, Shade(frame, -0.3), true);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    if (stripes) {
        // Hazard stripes across the frame, kept off the panel.
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, kPickupSize, kPickupSize);
        RoundedRect(cr, cx - kPanelHalf - 6, cy - kPanelHalf - 6, (kPanelHalf + 6) * 2,
                    (kPanelHalf + 6) * 2, 14);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_clip(cr);
        cairo_new_path(cr);
        for (double s = -kPickupSize; s < kPickupSize * 2; s += 34) {
            cairo_move_to(cr, s, 0);
            cairo_line_to(cr, s + 16, 0);
            cairo_line_to(cr, s + 16 - kPickupSize, kPickupSize);
            cairo_line_to(cr, s - kPickupSize, kPickupSize);
            cairo_close_path(cr);
        }
        cairo_set_source_rgba(cr, 0.08, 0.07, 0.06, 0.85);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    // Bevel: a bright lip on the upper left, a dark one on the lower right.
    RoundedRect(cr, x0 + 4, x0 + 4, side - 8, side - 8, 18);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(x0, x0, x0 + side, x0 + side);
    cairo_pattern_add_color_stop_rgba(bevel, 0.0, 1, 1, 1, 0.75);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1.0, 0, 0, 0, 0.55);
    cairo_set_source(cr, bevel);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
    cairo_restore(cr);
    cairo_new_path(cr);
    RoundedRect(cr, x0, x0, side, side, 22);
    Outline(cr, Hex(ui::kOutline), 6);

    // Recessed panel: shadowed along its upper-left rim.
    const double p0 = cx - kPanelHalf, pside = kPanelHalf * 2;
    RoundedRect(cr, p0, p0, pside, pside, 12);
    FillLinear(cr, p0, p0, Shade(panel, -0.12), p0 + pside, p0 + pside, Shade(panel, 0.1), true);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_set_line_width(cr, 10);
    cairo_pattern_t* inner = cairo_pattern_create_linear(p0, p0, p0 + pside, p0 + pside);
    cairo_pattern_add_color_stop_rgba(inner, 0.0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(inner, 0.5, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(inner, 1.0, 1, 1, 1, 0.2);
    cairo_set_source(cr, inner);
    cairo_stroke(cr);
    cairo_pattern_destroy(inner);
    cairo_restore(cr);
    cairo_new_path(cr);
    RoundedRect(cr, p0, p0, pside, pside, 12);
    Outline(cr, Hex(ui::kOutline, 0.9), 3.5);

    // Corner bolts.
    for (int i = 0; i < 4; ++i) {
        const double bx = cx + ((i & 1) ? 1 : -1) * (kCrateHalf - 12);
        const double by = cy + ((i & 2) ? 1 : -1) * (kCrateHalf - 12);
        cairo_arc(cr, bx, by, 6.5, 0, 2 * M_PI);
        FillRadial(cr, bx - 2, by - 2, 0, Hex(0xF0F0F0), 8, Hex(0x6A6A6A), true);
        Outline(cr, Hex(ui::kOutline), 2.5);
    }

    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    icon(cr);
    cairo_restore(cr);

    // Gloss over the upper-left half of the lid.
    cairo_save(cr);
    RoundedRect(cr, x0 + 3, x0 + 3, side - 6, side - 6, 20);
    cairo_clip(cr);
    cairo_move_to(cr, x0, x0);
    cairo_line_to(cr, x0 + side * 0.95, x0);
    cairo_line_to(cr, x0, x0 + side * 0.95);
    cairo_close_path(cr);
    FillLinear(cr, x0, x0, Rgba{1, 1, 1, 0.22}, x0 + side * 0.48, x0 + side * 0.48,
               Rgba{1, 1, 1, 0.0});
    cairo_restore(cr);

    DropShadow(c, 8, 10, 10, 0.6, [&](cairo_t* m) {
        RoundedRect(m, x0, x0, side, side, 22);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_fill(m);
    });
    return c;
}

void RedCross(cairo_t* cr) {
    const double arm = 18, len = 44;
    cairo_new_path(cr);
    cairo_move_to(cr, -arm, -len);
    cairo_line_to(cr, arm, -len);
    cairo_line_to(cr, arm, -arm);
    cairo_line_to(cr, len, -arm);
    cairo_line_to(cr, len, arm);
    cairo_line_to(cr, arm, arm);
    cairo_line_to(cr, arm, len);
    cairo_line_to(cr, -arm, len);
    cairo_line_to(cr, -arm, arm);
    cairo_line_to(cr, -len, arm);
    cairo_line_to(cr, -len, -arm);
    cairo_line_to(cr, -arm, -arm);
    cairo_close_path(cr);
    FillLinear(cr, -len, -len, Hex(0xFF5A4E), len, len, Hex(0xB3140F), true);
    Outline(cr, Hex(ui::kOutline), 4.5);
    // Highlight along the upper-left edges of the arms.
    cairo_move_to(cr, -arm + 4, len - 6);
    cairo_line_to(cr, -arm + 4, -len + 4);
    cairo_line_to(cr, arm - 6, -len + 4);
    cairo_move_to(cr, -len + 4, arm - 6);
    cairo_line_to(cr, -len + 4, -arm + 4);
    cairo_line_to(cr, len - 6, -arm + 4);
    Outline(cr, Rgba{1, 0.85, 0.8, 0.55}, 3);
}

void Cartridges(cairo_t* cr) {
    for (int i = -1; i <= 1; ++i) {
        const double x = i * 25.0, w = 17, top = -38 + std::abs(i) * 6.0, base = 40;
        // Brass case.
        RoundedRect(cr, x - w / 2, top + 20, w, base - top - 20, 3);
        FillLinear(cr, x - w / 2, 0, Hex(0xFFE08A), x + w / 2, 0, Hex(0xA8781E), true);
        Outline(cr, Hex(ui::kOutline), 3.5);
        // Rim groove.
        cairo_move_to(cr, x - w / 2 + 1, base - 7);
        cairo_line_to(cr, x + w / 2 - 1, base - 7);
        Outline(cr, Hex(0x5A3C0C), 2);
        // Copper bullet with a rounded nose.
        cairo_move_to(cr, x - w / 2, top + 20);
        cairo_curve_to(cr, x - w / 2, top + 6, x - 3, top, x, top);
        cairo_curve_to(cr, x + 3, top, x + w / 2, top + 6, x + w / 2, top + 20);
        cairo_close_path(cr);
        FillLinear(cr, x - w / 2, 0, Hex(0xF4A070), x + w / 2, 0, Hex(0x8A3A16), true);
        Outline(cr, Hex(ui::kOutline), 3.5);
        // Shine.
        cairo_move_to(cr, x - w / 2 + 4.5, top + 12);
        cairo_line_to(cr, x - w / 2 + 4.5, base - 10);
        Outline(cr, Rgba{1, 1, 0.9, 0.6}, 2.5);
    }
}

void Mine(cairo_t* cr) {
    // Cyan glow behind the device.
    cairo_arc(cr, 0, 0, 50, 0, 2 * M_PI);
    FillRadial(cr, 0, 0, 20, Hex(0x4FE8FF, 0.7), 50, Hex(0x4FE8FF, 0.0));
    // Studs around the rim.
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + M_PI / 8;
        const double sx = 33 * std::cos(a), sy = 33 * std::sin(a);
        cairo_arc(cr, sx, sy, 7, 0, 2 * M_PI);
        FillRadial(cr, sx - 2, sy - 2, 0, Hex(0xC8D8E0), 8, Hex(0x4A5660), true);
        Outline(cr, Hex(ui::kOutline), 3);
    }
    cairo_arc(cr, 0, 0, 29, 0, 2 * M_PI);
    FillRadial(cr, -9, -9, 2, Hex(0x8A9AA6), 34, Hex(0x25303A), true);
    Outline(cr, Hex(ui::kOutline), 4);
    // Armed light.
    cairo_arc(cr, 0, 0, 11, 0, 2 * M_PI);
    FillRadial(cr, -3, -3, 0, Hex(0xE8FFFF), 12, Hex(0x18B8E0), true);
    Outline(cr, Hex(ui::kOutline), 3);
}

}  // namespace

Canvas ExplosionSprite() {
    const int size = 320;
    Canvas c(size, size);
    const double cx = size / 2.0, cy = size / 2.0;
    // Lumpy fireballs around the centre make the outline irregular.
    Random rng(0xB00Bu);
    struct Puff {
        double x, y, r;
    };
    std::vector<Puff> puffs;
    for (int i = 0; i < 11; ++i) {
        const double a = rng.Uniform(0, 2 * M_PI), d = rng.Uniform(30, 78);
        puffs.push_back({cx + d * std::cos(a), cy + d * std::sin(a), rng.Uniform(38, 62)});
    }
    ui::Paint(c, [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        const double dist = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        const double rim = 118 * (0.78 + 0.3 * ui::RingNoise(angle, 9, 11, 3));
        double body = std::max(0.0, 1 - dist / rim);
        for (const Puff& p : puffs) {
            const double t = std::hypot(x - p.x, y - p.y) / p.r;
            body = std::max(body, (1 - t) * 0.75);
        }
        const double turb = ui::Fractal(x / 22, y / 22, 17, 4);
        const double heat = body * (0.5 + 0.9 * turb) * (1 - 0.3 * std::min(1.0, dist / rim)) +
                            0.45 * std::max(0.0, 1 - dist / 48);
        // Fire ramp: ember red, orange, yellow, white-hot.
        struct Stop {
            double at;
            std::uint32_t rgb;
        };
        static const Stop ramp[] = {{0.18, 0x4A1A0C}, {0.30, 0xB02A0C}, {0.44, 0xF0640E},
                                    {0.62, 0xFFA424}, {0.82, 0xFFE070}, {1.00, 0xFFFCE8}};
        Rgba fire = Hex(ramp[0].rgb);
        for (std::size_t i = 1; i < std::size(ramp); ++i) {
            if (heat <= ramp[i].at) {
                const double t = (heat - ramp[i - 1].at) / (ramp[i].at - ramp[i - 1].at);
                fire = Mix(Hex(ramp[i - 1].rgb), Hex(ramp[i].rgb), std::clamp(t, 0.0, 1.0));
                break;
            }
            fire = Hex(ramp[i].rgb);
        }
        const double fire_a = SmoothStep(0.2, 0.36, heat);
        // Billowing smoke behind the flames, thickest just inside the rim.
        const double billow = ui::Fractal(x / 18 + 40, y / 18, 29, 4);
        const double density = (1 - dist / (rim * 1.1)) * 1.6 + (billow - 0.5) * 1.0;
        const double smoke_a = SmoothStep(-0.1, 0.6, density) * 0.85 * SmoothStep(152, 124, dist);
        const Rgba smoke = Mix(Hex(0x171210), Hex(0x403632), billow);
        const double a = fire_a + smoke_a * (1 - fire_a);
        if (a <= 0) return Rgba{0, 0, 0, 0};
        const double ws = smoke_a * (1 - fire_a) / a, wf = fire_a / a;
        return Rgba{fire.r * wf + smoke.r * ws, fire.g * wf + smoke.g * ws,
                    fire.b * wf + smoke.b * ws, a};
    });
    return c;
}

namespace {

Canvas Tread() {
    const int w = 24, h = 110;
    Canvas c(w, h);
    // One strip per side of the car; tracks run along x (forward).
    const double strip_centre[2] = {12.5, h - 12.5};
    const double half_width = 8, x0 = 4, x1 = 20;
    ui::Paint(c, [&](double x, double y) {
        double alpha = 0;
        for (double sc : strip_centre) {
            const double across = std::fabs(y - sc);
            const double edge = SmoothStep(half_width + 0.6, half_width - 0.6, across);
            const double along = SmoothStep(x0 - 1, x0 + 1.5, x) * SmoothStep(x1 + 1, x1 - 1.5, x);
            // Chevron grooves of the tyre's tread.
            const double phase = std::fmod(x + across * 0.7 + 40, 6.0) / 6.0;
            const double groove = phase < 0.45 ? 0.55 : 1.0;
            alpha = std::max(alpha, edge * along * groove * 0.9);
        }
        Rgba col = Hex(0x1E1B18);
        col.a = alpha;
        return col;
    });
    return c;
}

Canvas GradBall() {
    const int size = 64;
    Canvas c(size, size);
    const double centre = size / 2.0, radius = size / 2.0 - 1;
    ui::Paint(c, [&](double x, double y) {
        const double t = std::min(1.0, std::hypot(x - centre, y - centre) / radius);
        const double v = std::pow(1 - t * t, 3);  // smooth, reaches 0 at the rim
        const double grey = std::sqrt(v);
        return Rgba{grey, grey, grey, v};
    });
    return c;
}

}  // namespace

void MakePickupsAndEffects(Output& out) {
    out.Image("sprites/health_pickup.png", Crate(Hex(0xD8302C), Hex(0xF2F0EA), false, RedCross),
              kPickupScale);
    out.Image("sprites/ammo_pickup.png", Crate(Hex(0xF2A51C), Hex(0x2E2A24), true, Cartridges),
              kPickupScale);
    out.Image("sprites/secondary_pickup.png", Crate(Hex(0x2C7ED8), Hex(0x14263E), false, Mine),
              kPickupScale);
    out.Image("sprites/explosion.png", ExplosionSprite(), 1.1);
    out.Image("sprites/scar.png", ui::Scorch(256, 0x5CA2u), 0.5);
    out.Image("sprites/tread.png", Tread(), 0.5);
    out.Image("sprites/gradball.png", GradBall(), 0.3);
}

}  // namespace datagen
