// Guns mounted on the cars, their projectiles, the grenade, the mine, the
// shield bubble and the turret's stand. Guns point +x with their pivot on a
// round mount; projectiles point +x; everything else is centred.

#include <cmath>
#include <vector>

#include "tools/datagen/generator.h"
#include "tools/datagen/vehicle_shapes.h"

namespace datagen {
namespace {

// The scales the game draws these images at.
constexpr double kGunScale = 0.25;
constexpr double kBulletScale = 0.25;
constexpr double kPhaseBoltScale = 1.0;
constexpr double kGrenadeScale = 0.5;
constexpr double kMineScale = 0.25;
constexpr double kShieldScale = 0.25;
constexpr double kStandScale = 0.25;

const Rgba kGunmetal = Hex(0x4a5158);
const Rgba kDarkMetal = Hex(0x2a2e33);
const Rgba kOlive = Hex(0x4f5a36);
const Rgba kInk = Hex(0x0e1012);
const Rgba kCyan = Hex(0x45d8ff);

/// A piece of a gun: a rounded box shaded like a cylinder along x.
void Tube(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& base,
          double outline = 2.4) {
    cairo_new_path(cr);
    RoundedRect(cr, x, y, w, h, r);
    FillCylinder(cr, y, y + h, base, true);
    Outline(cr, kInk, outline);
}

/// A flat plate lit from the upper left.
void Plate(cairo_t* cr, const PathFn& path, const Rgba& base, double outline = 2.4) {
    double x0, y0, x1, y1;
    cairo_new_path(cr);
    path(cr);
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    FillLinear(cr, x0, y0, Shade(base, 0.3), x1, y1, Shade(base, -0.35), true);
    Outline(cr, kInk, outline);
}

/// The round swivel mount a gun turns on, centred on its pivot.
void Mount(cairo_t* cr, double x, double y, double r) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    FillRadial(cr, x - r * 0.4, y - r * 0.4, 0, Shade(kGunmetal, 0.5), r * 1.5,
               Shade(kGunmetal, -0.55), true);
    Outline(cr, kInk, 2.4);
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3 + M_PI / 6;
        Bolt(cr, x + std::cos(a) * r * 0.68, y + std::sin(a) * r * 0.68, r * 0.13, Hex(0x8c949c));
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r * 0.32, 0, 2 * M_PI);
    FillRadial(cr, x - r * 0.15, y - r * 0.15, 0, Shade(kGunmetal, 0.35), r * 0.45,
               Shade(kGunmetal, -0.5), true);
    Outline(cr, kInk, 1.6);
}

/// A row of dark vent holes.
void Holes(cairo_t* cr, double x0, double x1, double step, double y, double r) {
    for (double x = x0; x <= x1 + 1e-9; x += step) {
        cairo_new_path(cr);
        RoundedRect(cr, x - r * 1.3, y - r, r * 2.6, r * 2, r);
        cairo_set_source_rgba(cr, kInk.r, kInk.g, kInk.b, 0.9);
        cairo_fill(cr);
    }
}

/// Shadow of a gun, drawn before its pieces.
void GunShadow(Canvas& c, const PathFn& silhouette) {
    DropShadow(c, 3, 4, 3, 0.45, [&](cairo_t* cr) {
        silhouette(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_fill(cr);
    });
}

// ---- Guns -------------------------------------------------------------------

Canvas MachineGun() {
    Canvas c(176, 48);
    cairo_t* cr = c.cr();
    GunShadow(c, [](cairo_t* k) {
        RoundedRect(k, 6, 14, 90, 20, 5);
        RoundedRect(k, 42, 30, 22, 12, 2);
        RoundedRect(k, 92, 17, 80, 14, 4);
        cairo_new_sub_path(k);
        cairo_arc(k, 36, 24, 14, 0, 2 * M_PI);
    });
    // Ammunition box and belt feeding the receiver.
    Plate(
        cr, [](cairo_t* k) { RoundedRect(k, 42, 30, 22, 12, 2); }, kOlive);
    Tube(cr, 6, 18, 12, 12, 4, kDarkMetal);
    Tube(cr, 12, 14, 84, 20, 5, kGunmetal);
    // Barrel: perforated cooling jacket, bare barrel, slotted flash hider.
    Tube(cr, 140, 19.5, 26, 9, 3, kDarkMetal);
    Tube(cr, 92, 17, 50, 14, 4, kGunmetal);
    Holes(cr, 100, 134, 8.5, 24, 2.2);
    Tube(cr, 160, 16.5, 13, 15, 3, kDarkMetal);
    for (double x : {164.0, 168.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, 19);
        cairo_line_to(cr, x, 29);
        Outline(cr, kInk, 1.5);
    }
    // Sight rail on top of the receiver.
    Plate(
        cr, [](cairo_t* k) { RoundedRect(k, 64, 21, 22, 6, 2); }, kDarkMetal, 1.6);
    Mount(cr, 36, 24, 14);
    ClearBorder(c);
    return c;
}

Canvas HeavyMachineGun() {
    Canvas c(176, 48);
    cairo_t* cr = c.cr();
    GunShadow(c, [](cairo_t* k) {
        RoundedRect(k, 2, 10, 96, 28, 6);
        RoundedRect(k, 40, 31, 30, 14, 2);
        RoundedRect(k, 92, 13, 82, 22, 4);
        cairo_new_sub_path(k);
        cairo_arc(k, 36, 24, 16, 0, 2 * M_PI);
    });
    // Spade grips at the back, big ammunition can at the side.
    for (double y : {12.0, 28.0}) Tube(cr, 3, y, 12, 8, 3, kDarkMetal, 2);
    Plate(
        cr, [](cairo_t* k) { RoundedRect(k, 40, 31, 30, 14, 2); }, kOlive);
    cairo_new_path(cr);
    cairo_move_to(cr, 44, 36);
    cairo_line_to(cr, 66, 36);
    Outline(cr, Rgba{0, 0, 0, 0.5}, 1.5);
    Tube(cr, 10, 10, 88, 28, 6, kGunmetal);
    // Heavy barrel with a long slotted shroud and a muzzle brake.
    Tube(cr, 146, 18, 16, 12, 3, kDarkMetal);
    Tube(cr, 92, 14, 58, 20, 5, kGunmetal);
    Holes(cr, 100, 142, 7, 19.5, 1.8);
    Holes(cr, 100, 142, 7, 28.5, 1.8);
    Tube(cr, 156, 12, 18, 24, 4, kDarkMetal);
    for (double x : {161.0, 166.5}) {
        for (double y : {12.5, 31.5}) {
            cairo_new_path(cr);
            RoundedRect(cr, x, y, 3.5, 4, 1);
            cairo_set_source_rgba(cr, kInk.r, kInk.g, kInk.b, 1);
            cairo_fill(cr);
        }
    }
    // Cocking handle and top cover hinge.
    Plate(
        cr, [](cairo_t* k) { RoundedRect(k, 60, 19, 30, 10, 3); }, kDarkMetal, 1.6);
    Mount(cr, 36, 24, 16);
    ClearBorder(c);
    return c;
}

Canvas GrenadeLauncher() {
    Canvas c(200, 64);
    cairo_t* cr = c.cr();
    GunShadow(c, [](cairo_t* k) {
        RoundedRect(k, 8, 13, 40, 38, 9);
        RoundedRect(k, 36, 16, 148, 32, 10);
        RoundedRect(k, 176, 13, 18, 38, 6);
        cairo_new_sub_path(k);
        cairo_arc(k, 60, 32, 21, 0, 2 * M_PI);
    });
    // Swivel under the tube, its rim showing either side.
    cairo_new_path(cr);
    cairo_arc(cr, 60, 32, 21, 0, 2 * M_PI);
    FillRadial(cr, 52, 24, 0, Shade(kGunmetal, 0.4), 30, Shade(kGunmetal, -0.6), true);
    Outline(cr, kInk, 2.4);
    // Fat tube, breech block and muzzle ring.
    Tube(cr, 36, 16, 148, 32, 10, kOlive);
    for (double x : {112.0, 150.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, 17.5);
        cairo_line_to(cr, x, 46.5);
        Outline(cr, Rgba{0, 0, 0, 0.45}, 2.5);
    }
    Tube(cr, 8, 13, 40, 38, 9, kGunmetal);
    Tube(cr, 176, 13, 18, 38, 6, kDarkMetal);
    // Sight on the centre line.
    Plate(
        cr, [](cairo_t* k) { RoundedRect(k, 120, 27, 24, 10, 3); }, kDarkMetal, 1.6);
    // Clamp band over the tube holding it to the swivel.
    Tube(cr, 50, 12, 20, 40, 4, kDarkMetal);
    cairo_new_path(cr);
    cairo_arc(cr, 60, 32, 6.5, 0, 2 * M_PI);
    FillRadial(cr, 58, 30, 0, Shade(kGunmetal, 0.5), 8, Shade(kGunmetal, -0.5), true);
    Outline(cr, kInk, 1.8);
    ClearBorder(c);
    return c;
}

Canvas RocketLauncher() {
    Canvas c(240, 64);
    cairo_t* cr = c.cr();
    GunShadow(c, [](cairo_t* k) {
        RoundedRect(k, 34, 9, 190, 46, 7);
        for (double y : {18.0, 32.0, 46.0}) RoundedRect(k, 220, y - 5, 14, 10, 5);
    });
    // Warheads peeking out of the tube mouths.
    for (double y : {18.0, 32.0, 46.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, 218, y - 5);
        cairo_line_to(cr, 226, y - 5);
        cairo_curve_to(cr, 231, y - 5, 234, y - 2, 234, y);
        cairo_curve_to(cr, 234, y + 2, 231, y + 5, 226, y + 5);
        cairo_line_to(cr, 218, y + 5);
        cairo_close_path(cr);
        FillCylinder(cr, y - 5, y + 5, Hex(0xb8402a), true);
        Outline(cr, kInk, 2);
    }
    // Pod box with three tubes along it.
    Plate(
        cr, [](cairo_t* k) { RoundedRect(k, 34, 9, 190, 46, 7); }, kOlive);
    for (double y : {18.0, 32.0, 46.0}) Tube(cr, 38, y - 6.5, 184, 13, 6, Shade(kOlive, -0.1), 1.8);
    // Exhaust ends of the tubes.
    for (double y : {18.0, 32.0, 46.0}) {
        cairo_new_path(cr);
        Ellipse(cr, 40, y, 3, 5);
        cairo_set_source_rgba(cr, kInk.r, kInk.g, kInk.b, 1);
        cairo_fill(cr);
    }
    // Straps around the pod.
    for (double x : {64.0, 152.0, 204.0}) Tube(cr, x, 7, 8, 50, 2, kDarkMetal, 2);
    Mount(cr, 100, 32, 16);
    ClearBorder(c);
    return c;
}

Canvas PhaseCannon() {
    Canvas c(240, 64);
    cairo_t* cr = c.cr();
    const Rgba hull = Hex(0x434a5a);
    const std::vector<Pt> housing = {{40, 24},  {52, 12},  {128, 12}, {140, 22},
                                     {140, 42}, {128, 52}, {52, 52},  {40, 40}};
    const std::vector<Pt> upper_prong = {{186, 14}, {222, 16}, {234, 24}, {200, 25}, {186, 24}};
    const std::vector<Pt> lower_prong = {{186, 40}, {200, 39}, {234, 40}, {222, 48}, {186, 50}};
    GunShadow(c, [&](cairo_t* k) {
        RoundedPolygon(k, housing, 6);
        RoundedRect(k, 136, 18, 54, 28, 6);
        RoundedPolygon(k, upper_prong, 3);
        RoundedPolygon(k, lower_prong, 3);
    });
    // Energy glow around the coil and between the prongs.
    cairo_save(cr);
    Glow(cr, 164, 32, 34, Rgba{kCyan.r, kCyan.g, kCyan.b, 0.6});
    Glow(cr, 214, 32, 20, Rgba{kCyan.r, kCyan.g, kCyan.b, 0.8});
    cairo_restore(cr);
    // Housing with vents and a power line.
    Plate(
        cr, [&](cairo_t* k) { RoundedPolygon(k, housing, 6); }, hull);
    for (double x : {52.0, 60.0, 68.0}) {
        cairo_new_path(cr);
        RoundedRect(cr, x, 16, 4, 8, 1.5);
        RoundedRect(cr, x, 40, 4, 8, 1.5);
        cairo_set_source_rgba(cr, kInk.r, kInk.g, kInk.b, 1);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, 118, 20);
    cairo_line_to(cr, 136, 20);
    cairo_move_to(cr, 118, 44);
    cairo_line_to(cr, 136, 44);
    Outline(cr, Shade(kCyan, 0.3), 2.5);
    // Glowing core with coil windings over it.
    cairo_new_path(cr);
    RoundedRect(cr, 136, 24, 56, 16, 6);
    FillLinear(cr, 0, 24, Shade(kCyan, 0.75), 0, 40, Shade(kCyan, -0.1), true);
    Outline(cr, kInk, 2);
    for (double x = 140; x <= 184; x += 8.8) Tube(cr, x, 18, 5, 28, 2.5, Hex(0x5a6272), 1.8);
    // Light spilling over the windings.
    cairo_save(cr);
    cairo_new_path(cr);
    RoundedRect(cr, 134, 14, 60, 36, 8);
    cairo_clip(cr);
    Glow(cr, 164, 32, 30, Rgba{0.55, 0.92, 1, 0.4});
    cairo_restore(cr);
    // Emitter prongs and the bolt forming between them.
    Plate(
        cr, [&](cairo_t* k) { RoundedPolygon(k, upper_prong, 3); }, hull, 2.2);
    Plate(
        cr, [&](cairo_t* k) { RoundedPolygon(k, lower_prong, 3); }, hull, 2.2);
    for (double y : {22.0, 42.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, 204, y);
        cairo_line_to(cr, 226, y);
        Outline(cr, Shade(kCyan, 0.4), 2);
    }
    Glow(cr, 214, 32, 10, Rgba{1, 1, 1, 1});
    Mount(cr, 100, 32, 16);
    cairo_new_path(cr);
    cairo_arc(cr, 100, 32, 4, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, kCyan.r, kCyan.g, kCyan.b, 1);
    cairo_fill(cr);
    ClearBorder(c);
    return c;
}

// ---- Projectiles and devices ----------------------------------------------

/// A tracer round: a hot white-yellow slug trailing into orange, head at +x.
Canvas Bullet() {
    Canvas c(32, 12);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    Ellipse(cr, 17, 6, 14, 5);
    FillLinear(cr, 3, 0, Rgba{1, 0.45, 0.05, 0}, 31, 0, Rgba{1, 0.55, 0.1, 0.75});
    // The slug: a teardrop narrowing towards the tail.
    cairo_new_path(cr);
    cairo_move_to(cr, 5, 6);
    cairo_curve_to(cr, 10, 2.4, 20, 2.2, 25, 2.2);
    cairo_curve_to(cr, 29.5, 2.2, 29.5, 9.8, 25, 9.8);
    cairo_curve_to(cr, 20, 9.8, 10, 9.6, 5, 6);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(5, 0, 29, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.5, 0.05, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 0.35, 1, 0.72, 0.15, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.8, 1, 0.95, 0.55, 1);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 0.9, 1);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_new_path(cr);
    Ellipse(cr, 23, 6, 5, 1.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_fill(cr);
    ClearBorder(c);
    return c;
}

/// An energy bolt: violet haze, cyan body, white-hot core, streaks behind.
Canvas PhaseBolt() {
    Canvas c(24, 12);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    Ellipse(cr, 12.5, 6, 10.5, 5);
    FillRadial(cr, 14, 6, 0, Rgba{0.62, 0.35, 1.0, 0.6}, 10.5, Rgba{0.45, 0.2, 0.95, 0});
    for (double y : {4.0, 8.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, 2.5, y);
        cairo_line_to(cr, 12, 6 + (y - 6) * 0.4);
        Outline(cr, Rgba{0.5, 0.85, 1.0, 0.55}, 1.2);
    }
    cairo_new_path(cr);
    Ellipse(cr, 13.5, 6, 7.5, 3.4);
    FillRadial(cr, 15, 6, 0, Rgba{0.6, 0.95, 1.0, 1.0}, 7.5, Rgba{0.2, 0.75, 1.0, 0.55});
    cairo_new_path(cr);
    Ellipse(cr, 15, 6, 4.5, 1.9);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_fill(cr);
    ClearBorder(c);
    return c;
}

/// A round grenade with a fuse cap at +x and a band around its waist.
Canvas Grenade() {
    Canvas c(32, 24);
    cairo_t* cr = c.cr();
    DropShadow(c, 1.5, 2, 1.5, 0.5, [](cairo_t* k) {
        Ellipse(k, 15, 12, 10.5, 7.5);
        RoundedRect(k, 23, 9, 5.5, 6, 1.5);
        cairo_set_source_rgba(k, 0, 0, 0, 1);
        cairo_fill(k);
    });
    const Rgba body = Hex(0x66733a);
    cairo_new_path(cr);
    RoundedRect(cr, 23, 9, 5.5, 6, 1.5);
    FillCylinder(cr, 9, 15, kGunmetal, true);
    Outline(cr, kInk, 1.3);
    cairo_new_path(cr);
    Ellipse(cr, 15, 12, 10.5, 7.5);
    FillRadial(cr, 11, 8, 0, Shade(body, 0.45), 13, Shade(body, -0.45), true);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 13, 0, 3.5, 24);
    FillLinear(cr, 0, 4, Hex(0xd2b04a), 0, 20, Hex(0x6e5618));
    cairo_restore(cr);
    Outline(cr, kInk, 1.4);
    cairo_new_path(cr);
    Ellipse(cr, 10, 8.5, 3, 1.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_fill(cr);
    ClearBorder(c);
    return c;
}

/// A round land mine: armoured casing, ring of studs, armed red light.
Canvas Mine() {
    Canvas c(96, 96);
    cairo_t* cr = c.cr();
    const double cx = 48, cy = 48;
    DropShadow(c, 3, 4, 3, 0.5, [&](cairo_t* k) {
        cairo_arc(k, cx, cy, 36, 0, 2 * M_PI);
        cairo_set_source_rgba(k, 0, 0, 0, 1);
        cairo_fill(k);
    });
    const Rgba casing = Hex(0x505a44);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 36, 0, 2 * M_PI);
    FillRadial(cr, cx - 14, cy - 14, 0, Shade(casing, 0.45), 56, Shade(casing, -0.6), true);
    Outline(cr, kInk, 3);
    // Ring groove with studs on it.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 26, 0, 2 * M_PI);
    Outline(cr, Rgba{0, 0, 0, 0.55}, 3);
    cairo_new_path(cr);
    cairo_arc(cr, cx + 1.2, cy + 1.2, 26, 0, 2 * M_PI);
    Outline(cr, Rgba{1, 1, 1, 0.18}, 1.5);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + M_PI / 8;
        Bolt(cr, cx + std::cos(a) * 31.5, cy + std::sin(a) * 31.5, 3.6, Hex(0xa6adb3));
    }
    // Pressure plate.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 19, 0, 2 * M_PI);
    FillRadial(cr, cx - 7, cy - 7, 0, Shade(kGunmetal, 0.3), 26, Shade(kGunmetal, -0.55), true);
    Outline(cr, kInk, 2.4);
    // Armed light.
    Glow(cr, cx, cy, 17, Rgba{1, 0.12, 0.05, 0.85});
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 8, 0, 2 * M_PI);
    FillRadial(cr, cx - 2.5, cy - 2.5, 0, Hex(0xffb0a0), 9, Hex(0xd01808), true);
    Outline(cr, Hex(0x400804), 1.8);
    cairo_new_path(cr);
    Ellipse(cr, cx - 3, cy - 3.5, 3, 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_fill(cr);
    ClearBorder(c);
    return c;
}

/// The shield bubble: a bright rim at the effect radius, a faint interior
/// and a hex lattice with arcs of light that show it spinning.
Canvas Shield() {
    constexpr int kSize = 680;
    constexpr double kRadius = 320;
    Canvas c(kSize, kSize);
    cairo_t* cr = c.cr();
    const double cx = kSize / 2.0, cy = kSize / 2.0;

    // Interior, brighter towards the rim.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, kRadius, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, kRadius);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.25, 0.7, 1, 0.05);
    cairo_pattern_add_color_stop_rgba(g, 0.7, 0.25, 0.75, 1, 0.1);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.3, 0.8, 1, 0.4);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);

    // Hex lattice, fading towards the centre; a seeded few cells lit.
    Random rng(0x5417E1D);
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, kRadius - 6, 0, 2 * M_PI);
    cairo_clip(cr);
    const double cell = 38;
    const double dx = cell * std::sqrt(3.0);
    for (int row = -10; row <= 10; ++row) {
        for (int col = -7; col <= 7; ++col) {
            const double hx = cx + col * dx + (row & 1 ? dx / 2 : 0);
            const double hy = cy + row * cell * 1.5;
            const double d = std::hypot(hx - cx, hy - cy) / kRadius;
            const bool lit = rng.Uniform(0, 1) < 0.12;
            if (d > 1.1) continue;
            std::vector<Pt> hex;
            for (int k = 0; k < 6; ++k) {
                const double a = M_PI / 6 + k * M_PI / 3;
                hex.push_back({hx + std::cos(a) * (cell - 3), hy + std::sin(a) * (cell - 3)});
            }
            cairo_new_path(cr);
            RoundedPolygon(cr, hex, 4);
            const double fade = 0.06 + 0.34 * d * d;
            if (lit) {
                cairo_set_source_rgba(cr, 0.45, 0.85, 1, fade * 0.7);
                cairo_fill_preserve(cr);
            }
            Outline(cr, Rgba{0.55, 0.9, 1, fade}, 4);
        }
    }
    cairo_restore(cr);

    // Arcs of light sweeping around inside the rim, unevenly spaced.
    struct Arc {
        double radius, start, span, width, alpha;
    };
    for (const Arc& a :
         {Arc{294, 10, 55, 9, 0.7}, Arc{294, 130, 35, 9, 0.6}, Arc{294, 235, 75, 9, 0.7},
          Arc{268, 70, 40, 5, 0.45}, Arc{268, 190, 28, 5, 0.45}, Arc{268, 300, 50, 5, 0.45}}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, a.radius, a.start * M_PI / 180, (a.start + a.span) * M_PI / 180);
        Outline(cr, Rgba{0.6, 0.92, 1, a.alpha}, a.width);
    }

    // The rim: a soft glow, a bright band and a white-hot edge.
    Canvas glow(kSize, kSize);
    cairo_arc(glow.cr(), cx, cy, kRadius, 0, 2 * M_PI);
    Outline(glow.cr(), Rgba{0.3, 0.8, 1, 0.8}, 16);
    Blur(glow, 9);
    cairo_set_source_surface(cr, glow.surface(), 0, 0);
    cairo_paint(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, kRadius, 0, 2 * M_PI);
    Outline(cr, Rgba{0.35, 0.85, 1, 0.95}, 10);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, kRadius, 0, 2 * M_PI);
    Outline(cr, Rgba{0.88, 1, 1, 1}, 4);
    ClearBorder(c);
    return c;
}

/// The turret's squat armoured base, seen from above, with outrigger feet
/// and the race ring the gun turns on.
Canvas TurretStand() {
    Canvas c(128, 128);
    cairo_t* cr = c.cr();
    const double cx = 64, cy = 64;
    std::vector<Pt> octagon;
    for (int k = 0; k < 8; ++k) {
        const double a = M_PI / 8 + k * M_PI / 4;
        octagon.push_back({cx + std::cos(a) * 46, cy + std::sin(a) * 46});
    }
    DropShadow(c, 4, 5, 4, 0.5, [&](cairo_t* k) {
        RoundedPolygon(k, octagon, 5);
        for (int i = 0; i < 4; ++i) {
            cairo_save(k);
            cairo_translate(k, cx, cy);
            cairo_rotate(k, M_PI / 4 + i * M_PI / 2);
            RoundedRect(k, 30, -9, 22, 18, 4);
            cairo_restore(k);
        }
        cairo_set_source_rgba(k, 0, 0, 0, 1);
        cairo_fill(k);
    });
    // Feet.
    for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, M_PI / 4 + i * M_PI / 2);
        cairo_new_path(cr);
        RoundedRect(cr, 30, -9, 22, 18, 4);
        cairo_restore(cr);
        FillLinear(cr, cx - 50, cy - 50, Shade(kDarkMetal, 0.35), cx + 50, cy + 50,
                   Shade(kDarkMetal, -0.3), true);
        Outline(cr, kInk, 2.4);
        const double a = M_PI / 4 + i * M_PI / 2;
        Bolt(cr, cx + std::cos(a) * 47, cy + std::sin(a) * 47, 3, Hex(0x8a9299));
    }
    // Armour plate with a bevel.
    const PathFn plate = [&](cairo_t* k) { RoundedPolygon(k, octagon, 5); };
    cairo_new_path(cr);
    plate(cr);
    FillLinear(cr, cx - 46, cy - 46, Shade(kOlive, 0.25), cx + 46, cy + 46, Shade(kOlive, -0.35));
    SoftEdge(c, plate, 12, 3, Rgba{1, 1, 1, 0.45}, Rgba{0, 0, 0, 0.5}, cx - 40, cy - 40, cx + 40,
             cy + 40);
    cairo_new_path(cr);
    plate(cr);
    Outline(cr, kInk, 3);
    for (int k = 0; k < 8; ++k) {
        const double a = M_PI / 8 + k * M_PI / 4;
        Bolt(cr, cx + std::cos(a) * 38, cy + std::sin(a) * 38, 2.8, Hex(0x9aa2a8));
    }
    // Race ring and hub.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 27, 0, 2 * M_PI);
    FillRadial(cr, cx + 6, cy + 6, 0, Shade(kDarkMetal, 0.1), 30, Shade(kDarkMetal, -0.5), true);
    Outline(cr, kInk, 2.6);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 20, 0, 2 * M_PI);
    FillRadial(cr, cx - 7, cy - 7, 0, Shade(kGunmetal, 0.45), 28, Shade(kGunmetal, -0.5), true);
    Outline(cr, kInk, 2);
    for (int k = 0; k < 6; ++k) {
        const double a = k * M_PI / 3;
        Bolt(cr, cx + std::cos(a) * 14, cy + std::sin(a) * 14, 2.2, Hex(0x9aa2a8));
    }
    ClearBorder(c);
    return c;
}

}  // namespace

void MakeWeapons(Output& out) {
    out.Image("sprites/machinegun.png", MachineGun(), kGunScale);
    out.Image("sprites/heavymachinegun.png", HeavyMachineGun(), kGunScale);
    out.Image("sprites/rpg.png", GrenadeLauncher(), kGunScale);
    out.Image("sprites/rocketlauncher.png", RocketLauncher(), kGunScale);
    out.Image("sprites/phasecannon.png", PhaseCannon(), kGunScale);
    out.Image("sprites/bullet.png", Bullet(), kBulletScale);
    out.Image("sprites/phasebullet.png", PhaseBolt(), kPhaseBoltScale);
    out.Image("sprites/grenade.png", Grenade(), kGrenadeScale);
    out.Image("sprites/mine.png", Mine(), kMineScale);
    out.Image("sprites/Shield.png", Shield(), kShieldScale);
    out.Image("sprites/turretstand.png", TurretStand(), kStandScale);
}

}  // namespace datagen
