// Car bodies and their wrecks. Every model is drawn by one routine from the
// same outline and details, once with clean light paint (the game tints the
// body with the team colour, so it stays light and neutral with dark glass,
// tyres and trim) and once burnt out (dark, scorched, glass broken, sometimes
// a wheel gone). All face +x and sit centred in their canvas.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tools/datagen/generator.h"
#include "tools/datagen/vehicle_shapes.h"

namespace datagen {
namespace {

constexpr double kGameScale = 0.5;

/// The colours a vehicle is drawn in.
struct Finish {
    bool wrecked = false;
    Rgba paint;     ///< body shell
    Rgba interior;  ///< open cab floor
    Rgba seat;
    Rgba metal;  ///< bright metal: roll bar, hatches
    Rgba trim;   ///< dark plastic and rubber: bumpers, vents
    Rgba glass;
    Rgba tyre;
    Rgba line;  ///< outlines
    Rgba head;  ///< headlights
    Rgba tail;  ///< rear lights
    Rgba amber;
};

Finish Clean() {
    Finish f;
    f.paint = Hex(0xf2f2f2);
    f.interior = Hex(0x575b60);
    f.seat = Hex(0xb8b8b8);
    f.metal = Hex(0xc9c9c9);
    f.trim = Hex(0x2e3033);
    f.glass = Hex(0x34424f);
    f.tyre = Hex(0x1f1f1f);
    f.line = Hex(0x121212);
    f.head = Hex(0xfffbe6);
    f.tail = Hex(0xc8231b);
    f.amber = Hex(0xffa928);
    return f;
}

Finish Burnt() {
    Finish f;
    f.wrecked = true;
    f.paint = Hex(0x47413c);
    f.interior = Hex(0x1b1917);
    f.seat = Hex(0x2d2926);
    f.metal = Hex(0x5d5852);
    f.trim = Hex(0x1e1c1a);
    f.glass = Hex(0x0d0d0f);
    f.tyre = Hex(0x131211);
    f.line = Hex(0x0a0a0a);
    f.head = Hex(0x403e3b);
    f.tail = Hex(0x3d2220);
    f.amber = Hex(0x3d3322);
    return f;
}

struct Wheel {
    double x, y, len, wid;
};

/// One model: its outline, wheels and details, in coordinates centred on
/// the canvas with +x forward.
struct Model {
    std::string body_file;
    std::string wreck_file;
    int width;
    int height;
    double half_len;  ///< of the shell, for gradients
    double half_wid;
    std::vector<Wheel> wheels;
    std::vector<int> lost;  ///< wheels missing from the wreck
    PathFn shell;           ///< the painted body
    PathFn under;           ///< bumpers and chassis outside the shell
    std::function<void(cairo_t*, const Finish&)> draw_under;
    std::function<void(Canvas&, const Finish&, Random&)> details;
    std::uint64_t seed;
};

// ---- Small pieces ---------------------------------------------------------

/// A recessed panel line: a dark groove with a lit lower-right lip.
void Groove(cairo_t* cr, const Finish& f, const PathFn& path, double width = 2.2) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_translate(cr, 1.2, 1.2);
    path(cr);
    Outline(cr, Rgba{1, 1, 1, f.wrecked ? 0.10 : 0.45}, width * 0.7);
    cairo_restore(cr);
    cairo_new_path(cr);
    path(cr);
    Outline(cr, Rgba{f.line.r, f.line.g, f.line.b, f.wrecked ? 0.6 : 0.5}, width);
}

PathFn Line(std::vector<Pt> pts) {
    return [pts](cairo_t* cr) {
        cairo_move_to(cr, pts[0].x, pts[0].y);
        for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    };
}

PathFn Rect(double x, double y, double w, double h, double r) {
    return [=](cairo_t* cr) { RoundedRect(cr, x, y, w, h, r); };
}

PathFn Poly(std::vector<Pt> pts, double r) {
    return [pts, r](cairo_t* cr) { RoundedPolygon(cr, pts, r); };
}

PathFn Oval(double x, double y, double rx, double ry) {
    return [=](cairo_t* cr) { Ellipse(cr, x, y, rx, ry); };
}

/// Mirrors a path across the car's centre line.
PathFn Mirrored(const PathFn& path) {
    return [path](cairo_t* cr) {
        cairo_save(cr);
        cairo_scale(cr, 1, -1);
        path(cr);
        cairo_restore(cr);
    };
}

/// Fills a piece with a flat-ish colour lit from the upper left and outlines it.
void Piece(cairo_t* cr, const PathFn& path, const Rgba& colour, const Finish& f,
           double outline = 2.0) {
    double x0, y0, x1, y1;
    cairo_new_path(cr);
    path(cr);
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    FillLinear(cr, x0, y0, Shade(colour, 0.18), x1, y1, Shade(colour, -0.22), true);
    Outline(cr, f.line, outline);
}

/// A tyre seen from above, with tread blocks; burnt ones show the rim.
void Tyre(cairo_t* cr, const Wheel& w, const Finish& f) {
    const PathFn shape = Rect(w.x - w.len / 2, w.y - w.wid / 2, w.len, w.wid, w.wid * 0.35);
    cairo_new_path(cr);
    shape(cr);
    FillLinear(cr, 0, w.y - w.wid / 2, Shade(f.tyre, 0.18), 0, w.y + w.wid / 2, Shade(f.tyre, -0.3),
               true);
    cairo_save(cr);
    cairo_clip(cr);
    // Tread blocks across the tyre.
    for (double x = w.x - w.len / 2 + 3; x < w.x + w.len / 2; x += 5.5) {
        cairo_move_to(cr, x, w.y - w.wid / 2);
        cairo_line_to(cr, x + 2, w.y + w.wid / 2);
    }
    Outline(cr, Rgba{1, 1, 1, f.wrecked ? 0.05 : 0.16}, 2.0);
    if (f.wrecked) {
        // Rubber burnt away down to the steel rim.
        RoundedRect(cr, w.x - w.len * 0.36, w.y - w.wid * 0.22, w.len * 0.72, w.wid * 0.44, 2);
        FillLinear(cr, 0, w.y - w.wid / 4, Hex(0x6a625a), 0, w.y + w.wid / 4, Hex(0x2c2825));
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    shape(cr);
    Outline(cr, f.line, 2.0);
}

/// A bare axle stub where a wheel has come off.
void Hub(cairo_t* cr, const Wheel& w, const Finish& f) {
    const double inner = w.y > 0 ? w.y - w.wid / 2 : w.y + w.wid / 2;
    const double outer = w.y > 0 ? w.y + w.wid * 0.1 : w.y - w.wid * 0.1;
    cairo_new_path(cr);
    RoundedRect(cr, w.x - w.len * 0.2, std::min(inner, outer), w.len * 0.4,
                std::fabs(outer - inner), 2);
    FillLinear(cr, 0, std::min(inner, outer), Hex(0x5a544e), 0, std::max(inner, outer),
               Hex(0x24211e), true);
    Outline(cr, f.line, 1.6);
}

/// A window: tinted glass with a sky reflection, or burnt-out glass with
/// cracks and a few shards left in the frame.
void Glass(Canvas& c, const PathFn& path, const Finish& f, Random& rng) {
    cairo_t* cr = c.cr();
    double x0, y0, x1, y1;
    cairo_new_path(cr);
    path(cr);
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    cairo_save(cr);
    if (!f.wrecked) {
        FillLinear(cr, x0, y0, Shade(f.glass, 0.28), x1, y1, Shade(f.glass, -0.45), true);
        cairo_clip(cr);
        // A diagonal sky reflection band, brighter towards the light.
        const double w = x1 - x0, h = y1 - y0;
        cairo_move_to(cr, x0 + w * 0.10, y0);
        cairo_line_to(cr, x0 + w * 0.45, y0);
        cairo_line_to(cr, x0 + w * 0.05 + h * 0.15, y1);
        cairo_line_to(cr, x0 - w * 0.3, y1);
        cairo_close_path(cr);
        FillLinear(cr, x0, y0, Rgba{0.85, 0.93, 1.0, 0.42}, x0, y1, Rgba{0.85, 0.93, 1.0, 0.05});
    } else {
        cairo_set_source_rgba(cr, f.glass.r, f.glass.g, f.glass.b, 1);
        cairo_fill_preserve(cr);
        cairo_clip(cr);
        // Shards still hanging in the frame.
        for (int i = 0; i < 4; ++i) {
            const double sx = rng.Uniform(x0, x1), sy = rng.Uniform(y0, y1);
            const double s = rng.Uniform(3, 7);
            cairo_move_to(cr, sx, sy);
            cairo_line_to(cr, sx + rng.Uniform(-s, s), sy + rng.Uniform(-s, s));
            cairo_line_to(cr, sx + rng.Uniform(-s, s), sy + rng.Uniform(-s, s));
            cairo_close_path(cr);
            cairo_set_source_rgba(cr, 0.36, 0.40, 0.44, 0.7);
            cairo_fill(cr);
        }
        // Cracks radiating from an impact.
        const double ix = rng.Uniform(x0 + (x1 - x0) * 0.25, x1 - (x1 - x0) * 0.25);
        const double iy = rng.Uniform(y0 + (y1 - y0) * 0.25, y1 - (y1 - y0) * 0.25);
        const double reach = std::max(x1 - x0, y1 - y0);
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4 + rng.Uniform(-0.3, 0.3);
            double px = ix, py = iy;
            cairo_move_to(cr, px, py);
            for (int s = 0; s < 3; ++s) {
                const double step = reach * rng.Uniform(0.15, 0.3);
                a += rng.Uniform(-0.35, 0.35);
                px += std::cos(a) * step;
                py += std::sin(a) * step;
                cairo_line_to(cr, px, py);
            }
        }
        Outline(cr, Rgba{0.7, 0.72, 0.74, 0.55}, 1.2);
        cairo_arc(cr, ix, iy, reach * 0.12, 0, 2 * M_PI);
        Outline(cr, Rgba{0.7, 0.72, 0.74, 0.4}, 1.0);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
    path(cr);
    Outline(cr, f.line, 2.0);
}

/// A lamp: bright lens with a hot centre (dead and grey on a wreck).
void Lamp(cairo_t* cr, const PathFn& path, const Rgba& colour, const Finish& f) {
    double x0, y0, x1, y1;
    cairo_new_path(cr);
    path(cr);
    cairo_path_extents(cr, &x0, &y0, &x1, &y1);
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double r = std::max(x1 - x0, y1 - y0) * 0.6;
    FillRadial(cr, cx - r * 0.2, cy - r * 0.2, 0, f.wrecked ? colour : Shade(colour, 0.6), r,
               Shade(colour, -0.25), true);
    Outline(cr, f.line, 1.8);
}

/// The recessed well of an open cab: dark floor, shadowed along the upper
/// left rim (the wall between the light and the floor).
void Well(Canvas& c, const PathFn& path, const Finish& f) {
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    path(cr);
    cairo_set_source_rgba(cr, f.interior.r, f.interior.g, f.interior.b, 1);
    cairo_fill(cr);
    SoftEdge(c, path, 16, 4, Rgba{0, 0, 0, 0.75}, Rgba{1, 1, 1, 0.12}, -40, -40, 40, 40);
    cairo_new_path(cr);
    path(cr);
    Outline(cr, f.line, 2.0);
}

// ---- Wreck damage ---------------------------------------------------------

/// Soot, heat-blued and rusted metal, flakes of surviving paint, dents and
/// bullet holes over the shell, plus a few embers still glowing.
void Damage(Canvas& c, const Model& m, Random& rng) {
    cairo_t* cr = c.cr();
    const double hl = m.half_len, hw = m.half_wid;
    cairo_save(cr);
    cairo_new_path(cr);
    m.shell(cr);
    cairo_clip(cr);
    for (int i = 0; i < 12; ++i) {
        const double x = rng.Uniform(-hl, hl), y = rng.Uniform(-hw, hw);
        const double r = rng.Uniform(14, 40);
        Glow(cr, x, y, r, Rgba{0.03, 0.02, 0.02, rng.Uniform(0.45, 0.75)});
    }
    // Rust and heat-tinted metal.
    for (int i = 0; i < 7; ++i) {
        const double x = rng.Uniform(-hl, hl), y = rng.Uniform(-hw, hw);
        Glow(cr, x, y, rng.Uniform(10, 24), Rgba{0.5, 0.24, 0.08, rng.Uniform(0.4, 0.65)});
    }
    // Flakes of scorched paint near the edges, where the fire was weakest.
    for (int i = 0; i < 7; ++i) {
        const double side = rng.Uniform(0, 1) < 0.5 ? -1 : 1;
        const double x = rng.Uniform(-hl * 0.9, hl * 0.9);
        const double y = side * rng.Uniform(hw * 0.65, hw * 0.95);
        const double s = rng.Uniform(3, 6);
        std::vector<Pt> flake;
        for (int k = 0; k < 6; ++k) {
            const double a = k * M_PI / 3 + rng.Uniform(-0.4, 0.4);
            const double rr = s * rng.Uniform(0.5, 1.1);
            flake.push_back({x + std::cos(a) * rr * 1.6, y + std::sin(a) * rr});
        }
        cairo_new_path(cr);
        RoundedPolygon(cr, flake, 1.5);
        cairo_set_source_rgba(cr, 0.58, 0.56, 0.53, rng.Uniform(0.3, 0.5));
        cairo_fill(cr);
    }
    // Dents: shadowed on the upper left inside, lit on the lower right.
    for (int i = 0; i < 5; ++i) {
        const double x = rng.Uniform(-hl * 0.85, hl * 0.85), y = rng.Uniform(-hw * 0.8, hw * 0.8);
        const double rx = rng.Uniform(6, 13), ry = rx * rng.Uniform(0.6, 1.0);
        cairo_new_path(cr);
        Ellipse(cr, x, y, rx, ry);
        FillLinear(cr, x - rx, y - ry, Rgba{0, 0, 0, 0.5}, x + rx, y + ry, Rgba{1, 0.9, 0.8, 0.14});
    }
    // Bullet holes.
    for (int i = 0; i < 8; ++i) {
        const double x = rng.Uniform(-hl * 0.9, hl * 0.9), y = rng.Uniform(-hw * 0.9, hw * 0.9);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 2.2, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
        cairo_fill_preserve(cr);
        Outline(cr, Rgba{0.75, 0.7, 0.65, 0.45}, 1.0);
    }
    for (int i = 0; i < 3; ++i) {
        const double x = rng.Uniform(-hl * 0.6, hl * 0.6), y = rng.Uniform(-hw * 0.6, hw * 0.6);
        Glow(cr, x, y, 6, Rgba{1.0, 0.45, 0.1, 0.85});
        Glow(cr, x, y, 2.5, Rgba{1.0, 0.85, 0.4, 1.0});
    }
    cairo_restore(cr);
}

// ---- Drawing a model ------------------------------------------------------

Canvas Draw(const Model& m, const Finish& f) {
    Canvas c(m.width, m.height);
    cairo_t* cr = c.cr();
    const double cx = m.width / 2.0, cy = m.height / 2.0;
    Random rng(m.seed);
    auto lost = [&](int i) {
        if (!f.wrecked) return false;
        for (int k : m.lost)
            if (k == i) return true;
        return false;
    };
    auto silhouette = [&](cairo_t* k) {
        m.shell(k);
        if (m.under) m.under(k);
    };

    DropShadow(c, 6, 8, 7, 0.42, [&](cairo_t* k) {
        cairo_translate(k, cx, cy);
        silhouette(k);
        for (std::size_t i = 0; i < m.wheels.size(); ++i) {
            if (lost(static_cast<int>(i))) continue;
            const Wheel& w = m.wheels[i];
            RoundedRect(k, w.x - w.len / 2, w.y - w.wid / 2, w.len, w.wid, w.wid * 0.35);
        }
        cairo_set_source_rgba(k, 0, 0, 0, 1);
        cairo_fill(k);
    });
    // The shadow is composited in canvas pixels; everything else is drawn
    // around the centre.
    cairo_translate(cr, cx, cy);

    for (std::size_t i = 0; i < m.wheels.size(); ++i) {
        if (lost(static_cast<int>(i)))
            Hub(cr, m.wheels[i], f);
        else
            Tyre(cr, m.wheels[i], f);
    }
    // The outline: a wide stroke of the whole silhouette, covered inside by
    // the fills that follow, so only the outer edge stays.
    cairo_new_path(cr);
    silhouette(cr);
    Outline(cr, f.line, 5.0);
    if (m.draw_under) m.draw_under(cr, f);

    cairo_new_path(cr);
    m.shell(cr);
    const double hl = m.half_len, hw = m.half_wid;
    FillLinear(cr, -hl, -hw, Shade(f.paint, 0.1), hl, hw, Shade(f.paint, -0.2));
    SoftEdge(c, m.shell, 20, 6, f.wrecked ? Rgba{0.8, 0.75, 0.7, 0.25} : Rgba{1, 1, 1, 0.9},
             Rgba{0, 0, 0, f.wrecked ? 0.5 : 0.32}, -hl * 0.6, -hw * 1.4, hl * 0.6, hw * 1.4);
    m.details(c, f, rng);
    if (f.wrecked) Damage(c, m, rng);
    ClearBorder(c);
    return c;
}

// ---- The models -----------------------------------------------------------

// "Samurai": a boxy open jeep with flared arches, chunky tyres, a roll bar
// and a spare wheel on the tailgate.
Model Jeep() {
    Model m;
    m.body_file = "Sprites/jeep.png";
    m.wreck_file = "sprites/wrecked_jeep.png";
    m.width = 240;
    m.height = 160;
    m.half_len = 88;
    m.half_wid = 50;
    m.wheels = {{56, -49, 42, 22}, {56, 49, 42, 22}, {-54, -49, 42, 22}, {-54, 49, 42, 22}};
    m.lost = {3};
    m.seed = 0x5A3A11;
    m.shell = [](cairo_t* cr) {
        RoundedRect(cr, -84, -44, 172, 88, 10);
        RoundedRect(cr, 31, -51, 50, 102, 9);
        RoundedRect(cr, -79, -51, 50, 102, 9);
    };
    m.under = [](cairo_t* cr) {
        RoundedRect(cr, 84, -48, 12, 96, 3);
        RoundedRect(cr, -90, -40, 10, 80, 3);
        RoundedRect(cr, -98, -23, 18, 46, 7);
    };
    m.draw_under = [](cairo_t* cr, const Finish& f) {
        // Bull bar and rear bumper.
        cairo_new_path(cr);
        RoundedRect(cr, 84, -48, 12, 96, 3);
        FillCylinderX(cr, 84, 96, Shade(f.trim, 0.15), true);
        Outline(cr, f.line, 2);
        for (double y : {-28.0, 28.0}) {
            cairo_new_path(cr);
            RoundedRect(cr, 92, y - 5, 6, 10, 2);
            cairo_set_source_rgba(cr, f.line.r, f.line.g, f.line.b, 1);
            cairo_fill(cr);
        }
        Piece(cr, Rect(-90, -40, 10, 80, 3), f.trim, f);
        // Spare wheel on the tailgate.
        Tyre(cr, Wheel{-89, 0, 18, 46}, f);
        Piece(cr, Rect(-93, -11, 9, 22, 3), f.metal, f, 1.5);
    };
    m.details = [](Canvas& c, const Finish& f, Random& rng) {
        cairo_t* cr = c.cr();
        // Arch edges where the flares meet the tub.
        for (double x : {31.0, -79.0}) {
            Groove(cr, f, Line({{x + 4, -44}, {x + 46, -44}}));
            Groove(cr, f, Line({{x + 4, 44}, {x + 46, 44}}));
        }
        // Bonnet: raised centre panel with louvres, round headlamps.
        Groove(cr, f, Rect(42, -30, 38, 60, 8));
        for (int i = 0; i < 4; ++i) Piece(cr, Rect(49 + 7.5 * i, -15, 4, 30, 2), f.trim, f, 1.2);
        Lamp(cr, Oval(82, -34, 5, 8), f.head, f);
        Lamp(cr, Oval(82, 34, 5, 8), f.head, f);
        Lamp(cr, Rect(84, -45, 3, 5, 1), f.amber, f);
        Lamp(cr, Rect(84, 40, 3, 5, 1), f.amber, f);
        // Open cab: dash, seats, steering wheel, rear bench.
        Well(c, Rect(-44, -39, 66, 78, 8), f);
        Piece(cr, Rect(14, -38, 8, 76, 3), f.trim, f, 1.5);
        for (double y : {-33.0, 9.0}) {
            Piece(cr, Rect(-8, y, 18, 24, 6), f.seat, f);
            Piece(cr, Rect(-14, y, 8, 24, 3), Shade(f.seat, -0.2), f, 1.5);
            Groove(cr, f, Line({{-4, y + 12}, {7, y + 12}}), 1.6);
        }
        cairo_new_path(cr);
        Ellipse(cr, 11, -21, 3, 10);
        Outline(cr, f.line, 3.4);
        Piece(cr, Rect(-40, -34, 13, 68, 5), f.seat, f);
        // Roll bar behind the front seats.
        cairo_new_path(cr);
        RoundedRect(cr, -25, -47, 7, 94, 3.5);
        FillCylinderX(cr, -25, -18, f.metal, true);
        Outline(cr, f.line, 2);
        // Upright windscreen in its frame.
        Piece(cr, Rect(22, -45, 12, 90, 3), f.trim, f);
        Glass(c, Rect(25, -42, 6, 84, 2), f, rng);
        // Load bed ribs and tail lamps.
        for (double x : {-54.0, -64.0, -74.0}) Groove(cr, f, Line({{x, -34}, {x, 34}}));
        Lamp(cr, Rect(-86, -42, 5, 10, 1.5), f.tail, f);
        Lamp(cr, Rect(-86, 32, 5, 10, 1.5), f.tail, f);
        // Mirrors on stalks.
        for (double s : {-1.0, 1.0}) {
            cairo_new_path(cr);
            cairo_move_to(cr, 28, s * 44);
            cairo_line_to(cr, 28, s * 51);
            Outline(cr, f.line, 2.5);
            Piece(cr, Rect(24, s > 0 ? 50 : -56, 8, 6, 2), f.trim, f, 1.5);
        }
    };
    return m;
}

// "Rabbit": a rounded compact hatchback, short bonnet and a big cabin.
Model Compact() {
    Model m;
    m.body_file = "Sprites/car.png";
    m.wreck_file = "sprites/wrecked_car.png";
    m.width = 240;
    m.height = 160;
    m.half_len = 88;
    m.half_wid = 48;
    m.wheels = {{54, -46, 34, 18}, {54, 46, 34, 18}, {-54, -46, 34, 18}, {-54, 46, 34, 18}};
    m.lost = {0};
    m.seed = 0x4AB817;
    const std::vector<Pt> outline = MirrorY({{-89, 0},
                                             {-88, -28},
                                             {-80, -44},
                                             {-58, -48},
                                             {20, -48},
                                             {62, -46},
                                             {82, -36},
                                             {89, -16},
                                             {90, 0}});
    m.shell = [outline](cairo_t* cr) { SmoothClosed(cr, outline); };
    m.under = [](cairo_t* cr) {
        RoundedRect(cr, 82, -38, 10, 76, 5);
        RoundedRect(cr, -94, -36, 10, 72, 5);
    };
    m.draw_under = [](cairo_t* cr, const Finish& f) {
        Piece(cr, Rect(82, -38, 10, 76, 5), f.trim, f);
        Piece(cr, Rect(-94, -36, 10, 72, 5), f.trim, f);
    };
    m.details = [](Canvas& c, const Finish& f, Random& rng) {
        cairo_t* cr = c.cr();
        // Bonnet creases and headlamps.
        Groove(cr, f, Line({{40, -28}, {66, -26}, {84, -18}}));
        Groove(cr, f, Line({{40, 28}, {66, 26}, {84, 18}}));
        Lamp(cr, Poly({{70, -42}, {80, -37}, {86, -26}, {76, -28}}, 3), f.head, f);
        Lamp(cr, Poly({{76, 28}, {86, 26}, {80, 37}, {70, 42}}, 3), f.head, f);
        // Glasshouse: windscreen, side windows, rear window around the roof.
        Glass(c, Poly({{14, -37}, {38, -42}, {40, 0}, {38, 42}, {14, 37}}, 6), f, rng);
        for (double s : {-1.0, 1.0}) {
            const PathFn side = Poly({{-46, 37}, {12, 37}, {16, 43}, {-44, 43}}, 2);
            Glass(c, s > 0 ? side : Mirrored(side), f, rng);
            // Door pillar.
            cairo_new_path(cr);
            cairo_move_to(cr, -14, s * 36);
            cairo_line_to(cr, -14, s * 44);
            Outline(cr, Shade(f.paint, -0.1), 4);
        }
        Glass(c, Poly({{-66, -38}, {-46, -35}, {-46, 35}, {-66, 38}, {-68, 0}}, 5), f, rng);
        Groove(cr, f, Rect(-46, -35, 60, 70, 8));
        // Door seams and the tailgate line.
        for (double s : {-1.0, 1.0}) {
            Groove(cr, f, Line({{16, s * 44}, {18, s * 47}}));
            Groove(cr, f, Line({{-44, s * 44}, {-46, s * 47}}));
        }
        Groove(cr, f, Line({{-76, -38}, {-78, 0}, {-76, 38}}));
        Lamp(cr, Rect(-90, -40, 6, 12, 2), f.tail, f);
        Lamp(cr, Rect(-90, 28, 6, 12, 2), f.tail, f);
        // Mirrors.
        Piece(cr, Oval(22, -51, 5, 4), f.paint, f, 1.6);
        Piece(cr, Oval(22, 51, 5, 4), f.paint, f, 1.6);
    };
    return m;
}

// "Flash": a low, wide wedge with fat rear tyres, racing stripes, an engine
// cover with louvres behind the cabin and a rear wing.
Model Sports() {
    Model m;
    m.body_file = "Sprites/sportscar.png";
    m.wreck_file = "sprites/wrecked_sportscar.png";
    m.width = 240;
    m.height = 160;
    m.half_len = 98;
    m.half_wid = 54;
    m.wheels = {{60, -47, 36, 18}, {60, 47, 36, 18}, {-58, -50, 40, 20}, {-58, 50, 40, 20}};
    m.lost = {2};
    m.seed = 0xF1A54;
    const std::vector<Pt> outline = MirrorY({{-96, 0},
                                             {-96, -36},
                                             {-88, -51},
                                             {-60, -56},
                                             {-36, -53},
                                             {-8, -46},
                                             {24, -47},
                                             {54, -51},
                                             {78, -45},
                                             {95, -30},
                                             {101, -12},
                                             {102, 0}});
    m.shell = [outline](cairo_t* cr) { SmoothClosed(cr, outline); };
    m.under = [](cairo_t* cr) {
        RoundedRect(cr, 96, -26, 8, 52, 4);
        RoundedRect(cr, -101, -58, 14, 116, 4);
    };
    m.draw_under = [](cairo_t* cr, const Finish& f) {
        Piece(cr, Rect(96, -26, 8, 52, 4), f.trim, f);
    };
    m.details = [](Canvas& c, const Finish& f, Random& rng) {
        cairo_t* cr = c.cr();
        // Twin stripes from nose to tail.
        cairo_save(cr);
        cairo_new_path(cr);
        SmoothClosed(cr, MirrorY({{-96, 0},
                                  {-96, -36},
                                  {-88, -51},
                                  {-60, -56},
                                  {-36, -53},
                                  {-8, -46},
                                  {24, -47},
                                  {54, -51},
                                  {78, -45},
                                  {95, -30},
                                  {101, -12},
                                  {102, 0}}));
        cairo_clip(cr);
        cairo_new_path(cr);
        cairo_rectangle(cr, -110, -15, 220, 8);
        cairo_rectangle(cr, -110, 7, 220, 8);
        cairo_set_source_rgba(cr, 0, 0, 0, f.wrecked ? 0.15 : 0.3);
        cairo_fill(cr);
        cairo_restore(cr);
        // Bonnet: power bulge, vents, slim headlamps.
        Groove(cr, f, Poly({{30, -20}, {92, -16}, {92, 16}, {30, 20}}, 8));
        for (double s : {-1.0, 1.0}) {
            for (int i = 0; i < 3; ++i) {
                const PathFn vent = Poly({{36.0 + 7 * i, -38},
                                          {40.0 + 7 * i, -38},
                                          {44.0 + 7 * i, -26},
                                          {40.0 + 7 * i, -26}},
                                         1.5);
                Piece(cr, s < 0 ? vent : Mirrored(vent), f.trim, f, 1.2);
            }
            const PathFn lamp = Poly({{78, -46}, {92, -36}, {98, -24}, {88, -28}}, 3);
            Lamp(cr, s < 0 ? lamp : Mirrored(lamp), f.head, f);
            const PathFn intake = Poly({{-40, -51}, {-14, -46}, {-14, -41}, {-36, -43}}, 3);
            Piece(cr, s < 0 ? intake : Mirrored(intake), f.trim, f, 1.5);
            Piece(cr, Oval(6, s * 50, 5, 4), f.paint, f, 1.6);
        }
        // Low cabin.
        Glass(c, Poly({{-4, -37}, {22, -43}, {24, 0}, {22, 43}, {-4, 37}}, 8), f, rng);
        Glass(c, Poly({{-52, -33}, {-34, -36}, {-34, 36}, {-52, 33}}, 4), f, rng);
        // Engine cover louvres.
        for (int i = 0; i < 5; ++i) Piece(cr, Rect(-86 + 7 * i, -25, 3.5, 50, 1.7), f.trim, f, 1.2);
        Lamp(cr, Rect(-98, -44, 5, 16, 2), f.tail, f);
        Lamp(cr, Rect(-98, 28, 5, 16, 2), f.tail, f);
        // Rear wing with end plates.
        cairo_new_path(cr);
        RoundedRect(cr, -101, -56, 12, 112, 4);
        FillCylinderX(cr, -101, -89, Shade(f.paint, -0.05), true);
        Outline(cr, f.line, 2.2);
        Piece(cr, Rect(-102, -59, 15, 6, 2), f.trim, f, 1.5);
        Piece(cr, Rect(-102, 53, 15, 6, 2), f.trim, f, 1.5);
    };
    return m;
}

// "Sentinel": an angular concept car, narrow fuselage with a bubble canopy
// and four swept wheel pods, light bar across the nose, twin thrusters.
Model Concept() {
    Model m;
    m.body_file = "Sprites/conceptcar.png";
    m.wreck_file = "sprites/wrecked_conceptcar.png";
    m.width = 240;
    m.height = 160;
    m.half_len = 96;
    m.half_wid = 58;
    m.seed = 0x5E1711;
    const std::vector<Pt> hull = {{-92, -30}, {-74, -40}, {58, -40}, {98, -12},
                                  {98, 12},   {58, 40},   {-74, 40}, {-92, 30}};
    const std::vector<Pt> front_pod = {{26, -58}, {68, -58}, {86, -38}, {28, -36}};
    const std::vector<Pt> rear_pod = {{-84, -59}, {-30, -59}, {-18, -36}, {-88, -36}};
    auto mirror = [](const std::vector<Pt>& p) {
        std::vector<Pt> q;
        for (auto it = p.rbegin(); it != p.rend(); ++it) q.push_back({it->x, -it->y});
        return q;
    };
    m.shell = [=](cairo_t* cr) {
        RoundedPolygon(cr, hull, 8);
        for (const auto& pod : {front_pod, rear_pod}) {
            RoundedPolygon(cr, pod, 7);
            RoundedPolygon(cr, mirror(pod), 7);
        }
    };
    m.under = [](cairo_t* cr) {
        RoundedRect(cr, -98, -27, 14, 18, 5);
        RoundedRect(cr, -98, 9, 14, 18, 5);
    };
    m.draw_under = [](cairo_t* cr, const Finish& f) {
        for (double y : {-18.0, 18.0}) {
            cairo_new_path(cr);
            RoundedRect(cr, -98, y - 9, 14, 18, 5);
            FillCylinder(cr, y - 9, y + 9, f.metal, true);
            Outline(cr, f.line, 2);
            cairo_new_path(cr);
            RoundedRect(cr, -97, y - 6, 4, 12, 2);
            cairo_set_source_rgba(cr, f.line.r, f.line.g, f.line.b, 1);
            cairo_fill(cr);
        }
    };
    m.details = [=](Canvas& c, const Finish& f, Random& rng) {
        cairo_t* cr = c.cr();
        // Wheels showing through slots in the pods.
        for (double s : {-1.0, 1.0}) {
            for (const Wheel& w : {Wheel{54, s * 49, 34, 12}, Wheel{-54, s * 50, 40, 13}}) {
                Piece(cr, Rect(w.x - w.len / 2 - 3, w.y - w.wid / 2 - 2, w.len + 6, w.wid + 4, 5),
                      f.trim, f, 1.5);
                Tyre(cr, w, f);
            }
        }
        // Spine grooves along the fuselage and pod seams.
        for (double s : {-1.0, 1.0}) {
            Groove(cr, f, Line({{-76, s * 32}, {52, s * 32}, {86, s * 10}}));
            Groove(cr, f, Line({{30, s * 38}, {78, s * 38}}));
            Groove(cr, f, Line({{-84, s * 38}, {-24, s * 38}}));
            Lamp(cr, Rect(-86, s > 0 ? 44 : -56, 4, 12, 2), f.tail, f);
        }
        // Nose light bar.
        cairo_new_path(cr);
        cairo_move_to(cr, 66, -33);
        cairo_line_to(cr, 94, -11);
        cairo_line_to(cr, 94, 11);
        cairo_line_to(cr, 66, 33);
        Outline(cr, f.line, 6);
        cairo_move_to(cr, 66, -33);
        cairo_line_to(cr, 94, -11);
        cairo_line_to(cr, 94, 11);
        cairo_line_to(cr, 66, 33);
        Outline(cr, f.wrecked ? f.head : Hex(0xffffff), 3);
        // Intake chevron.
        Piece(cr, Poly({{68, -6}, {84, 0}, {68, 6}, {72, 0}}, 1.5), f.trim, f, 1.2);
        // Canopy frame and bubble.
        const std::vector<Pt> canopy =
            MirrorY({{-50, 0}, {-46, -16}, {-22, -24}, {12, -22}, {36, -12}, {48, 0}});
        cairo_new_path(cr);
        SmoothClosed(cr, canopy);
        Outline(cr, f.trim, 8);
        Glass(
            c, [canopy](cairo_t* k) { SmoothClosed(k, canopy); }, f, rng);
        if (!f.wrecked) {
            cairo_new_path(cr);
            Ellipse(cr, 8, -12, 22, 5);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
            cairo_fill(cr);
        }
    };
    return m;
}

// "Tanker": the heavy one, a cab-over tractor with a fuel tank behind it,
// walkway and hatches on top, dual wheels.
Model Tanker() {
    Model m;
    m.body_file = "Sprites/semitruck.png";
    m.wreck_file = "sprites/wrecked_semitruck.png";
    m.width = 280;
    m.height = 160;
    m.half_len = 118;
    m.half_wid = 48;
    m.wheels = {{90, -50, 30, 14},   {90, 50, 30, 14},  {42, -50, 28, 16},  {42, 50, 28, 16},
                {14, -50, 28, 16},   {14, 50, 28, 16},  {-72, -50, 28, 16}, {-72, 50, 28, 16},
                {-100, -50, 28, 16}, {-100, 50, 28, 16}};
    m.lost = {4, 9};
    m.seed = 0x7A4CE2;
    m.shell = [](cairo_t* cr) {
        RoundedRect(cr, 58, -48, 56, 96, 10);
        RoundedRect(cr, -116, -46, 154, 92, 24);
    };
    m.under = [](cairo_t* cr) {
        RoundedRect(cr, 110, -50, 9, 100, 3);
        RoundedRect(cr, 30, -32, 34, 64, 3);
    };
    m.draw_under = [](cairo_t* cr, const Finish& f) {
        Piece(cr, Rect(30, -32, 34, 64, 3), f.trim, f);
        cairo_new_path(cr);
        RoundedRect(cr, 110, -50, 9, 100, 3);
        FillCylinderX(cr, 110, 119, f.metal, true);
        Outline(cr, f.line, 2);
    };
    m.details = [](Canvas& c, const Finish& f, Random& rng) {
        cairo_t* cr = c.cr();
        // Tank: a cylinder lying along the trailer.
        const PathFn tank = Rect(-116, -46, 154, 92, 24);
        cairo_new_path(cr);
        tank(cr);
        FillCylinder(cr, -46, 46, Shade(f.paint, -0.16));
        SoftEdge(c, tank, 14, 5, Rgba{1, 1, 1, f.wrecked ? 0.15 : 0.5}, Rgba{0, 0, 0, 0.35}, -118,
                 0, 40, 0);
        cairo_new_path(cr);
        tank(cr);
        Outline(cr, f.line, 2.5);
        // Reinforcing rings.
        for (double x : {-92.0, -50.0, -8.0, 24.0}) Groove(cr, f, Line({{x, -45}, {x, 45}}), 2.6);
        // Walkway with hatches.
        cairo_new_path(cr);
        RoundedRect(cr, -104, -7, 124, 14, 3);
        FillLinear(cr, 0, -7, Shade(f.metal, -0.2), 0, 7, Shade(f.metal, -0.45), true);
        cairo_save(cr);
        cairo_clip(cr);
        for (double x = -104; x < 22; x += 5) {
            cairo_move_to(cr, x, -7);
            cairo_line_to(cr, x + 4, 7);
        }
        Outline(cr, Rgba{f.trim.r, f.trim.g, f.trim.b, 0.8}, 1.6);
        cairo_restore(cr);
        cairo_new_path(cr);
        RoundedRect(cr, -104, -7, 124, 14, 3);
        Outline(cr, f.line, 1.8);
        for (double x : {-74.0, -30.0, 8.0}) {
            cairo_new_path(cr);
            cairo_arc(cr, x, 0, 11, 0, 2 * M_PI);
            FillRadial(cr, x - 4, -4, 0, Shade(f.metal, 0.4), 14, Shade(f.metal, -0.35), true);
            Outline(cr, f.line, 2);
            for (int k = 0; k < 6; ++k) {
                const double a = k * M_PI / 3;
                Bolt(cr, x + 7.5 * std::cos(a), 7.5 * std::sin(a), 1.4, f.metal);
            }
        }
        // Rear lamps and ladder.
        Lamp(cr, Rect(-118, -38, 5, 12, 2), f.tail, f);
        Lamp(cr, Rect(-118, 26, 5, 12, 2), f.tail, f);
        Piece(cr, Rect(-116, 14, 8, 10, 1), f.trim, f, 1.2);
        // Cab: roof fairing, visor with marker lamps, windscreen, mirrors.
        Groove(cr, f, Rect(62, -40, 28, 80, 9));
        cairo_new_path(cr);
        RoundedRect(cr, 64, -38, 24, 76, 8);
        FillLinear(cr, 64, -38, Rgba{1, 1, 1, f.wrecked ? 0.06 : 0.5}, 88, 38, Rgba{0, 0, 0, 0.12});
        for (int i = 0; i < 5; ++i) Lamp(cr, Oval(95, -20 + 10 * i, 2.5, 2.5), f.amber, f);
        Glass(c, Rect(100, -43, 9, 40, 3), f, rng);
        Glass(c, Rect(100, 3, 9, 40, 3), f, rng);
        Lamp(cr, Rect(112, -46, 4, 10, 1.5), f.head, f);
        Lamp(cr, Rect(112, 36, 4, 10, 1.5), f.head, f);
        for (double s : {-1.0, 1.0}) {
            cairo_new_path(cr);
            cairo_move_to(cr, 102, s * 46);
            cairo_line_to(cr, 102, s * 55);
            Outline(cr, f.line, 2.5);
            Piece(cr, Rect(98, s > 0 ? 53 : -59, 6, 6, 1.5), f.trim, f, 1.4);
            // Side step and fuel tank of the tractor.
            Piece(cr, Rect(60, s > 0 ? 46 : -52, 22, 6, 2), f.metal, f, 1.4);
        }
    };
    return m;
}

}  // namespace

void MakeVehicles(Output& out) {
    for (const Model& m : {Jeep(), Compact(), Sports(), Concept(), Tanker()}) {
        out.Image(m.body_file, Draw(m, Clean()), kGameScale);
        out.Image(m.wreck_file, Draw(m, Burnt()), kGameScale);
    }
}

}  // namespace datagen
