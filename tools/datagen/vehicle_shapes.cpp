#include "tools/datagen/vehicle_shapes.h"

#include <algorithm>
#include <cmath>

namespace datagen {

void SmoothClosed(cairo_t* cr, const std::vector<Pt>& p) {
    const int n = static_cast<int>(p.size());
    if (n < 3) return;
    auto at = [&](int i) { return p[((i % n) + n) % n]; };
    cairo_new_sub_path(cr);
    cairo_move_to(cr, p[0].x, p[0].y);
    for (int i = 0; i < n; ++i) {
        const Pt p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        cairo_curve_to(cr, p1.x + (p2.x - p0.x) / 6, p1.y + (p2.y - p0.y) / 6,
                       p2.x - (p3.x - p1.x) / 6, p2.y - (p3.y - p1.y) / 6, p2.x, p2.y);
    }
    cairo_close_path(cr);
}

void RoundedPolygon(cairo_t* cr, const std::vector<Pt>& p, double r) {
    const int n = static_cast<int>(p.size());
    if (n < 3) return;
    auto at = [&](int i) { return p[((i % n) + n) % n]; };
    // The point at distance d from `a` towards `b`.
    auto towards = [](Pt a, Pt b, double d) {
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        const double t = len > 0 ? d / len : 0;
        return Pt{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    };
    auto radius = [&](Pt prev, Pt c, Pt next) {
        const double shorter = std::min(std::hypot(c.x - prev.x, c.y - prev.y),
                                        std::hypot(next.x - c.x, next.y - c.y));
        return std::min(r, shorter / 2);
    };
    cairo_new_sub_path(cr);
    for (int i = 0; i < n; ++i) {
        const Pt prev = at(i - 1), c = at(i), next = at(i + 1);
        const double ri = radius(prev, c, next);
        const Pt in = towards(c, prev, ri), out = towards(c, next, ri);
        if (i == 0)
            cairo_move_to(cr, in.x, in.y);
        else
            cairo_line_to(cr, in.x, in.y);
        // A quadratic corner through the vertex, written as a cubic.
        cairo_curve_to(cr, in.x + (c.x - in.x) * 2 / 3, in.y + (c.y - in.y) * 2 / 3,
                       out.x + (c.x - out.x) * 2 / 3, out.y + (c.y - out.y) * 2 / 3, out.x, out.y);
    }
    cairo_close_path(cr);
}

std::vector<Pt> MirrorY(const std::vector<Pt>& upper) {
    std::vector<Pt> all = upper;
    for (auto it = upper.rbegin(); it != upper.rend(); ++it) {
        // Points on the axis are shared by both halves.
        if (std::fabs(it->y) < 1e-9) continue;
        all.push_back(Pt{it->x, -it->y});
    }
    return all;
}

void SoftEdge(Canvas& canvas, const PathFn& shape, double width, double blur, const Rgba& light,
              const Rgba& dark, double x0, double y0, double x1, double y1) {
    cairo_matrix_t m;
    cairo_get_matrix(canvas.cr(), &m);
    Canvas layer(canvas.width(), canvas.height());
    cairo_t* lc = layer.cr();
    cairo_set_matrix(lc, &m);
    shape(lc);
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, light.r, light.g, light.b, light.a);
    cairo_pattern_add_color_stop_rgba(g, 0.5, light.r, light.g, light.b, 0);
    cairo_pattern_add_color_stop_rgba(g, 0.5, dark.r, dark.g, dark.b, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, dark.r, dark.g, dark.b, dark.a);
    cairo_set_source(lc, g);
    cairo_set_line_width(lc, width);
    cairo_stroke(lc);
    cairo_pattern_destroy(g);
    Blur(layer, blur);

    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_new_path(cr);
    shape(cr);
    cairo_clip(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, layer.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

namespace {

void CylinderStops(cairo_pattern_t* g, const Rgba& base) {
    auto stop = [&](double at, const Rgba& c) {
        cairo_pattern_add_color_stop_rgba(g, at, c.r, c.g, c.b, c.a);
    };
    stop(0.0, Shade(base, -0.15));
    stop(0.22, Shade(base, 0.45));
    stop(0.38, Shade(base, 0.15));
    stop(0.75, Shade(base, -0.3));
    stop(1.0, Shade(base, -0.55));
}

}  // namespace

void FillCylinder(cairo_t* cr, double y0, double y1, const Rgba& base, bool preserve) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    CylinderStops(g, base);
    cairo_set_source(cr, g);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void FillCylinderX(cairo_t* cr, double x0, double x1, const Rgba& base, bool preserve) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
    CylinderStops(g, base);
    cairo_set_source(cr, g);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Bolt(cairo_t* cr, double x, double y, double r, const Rgba& metal) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    FillRadial(cr, x - r * 0.35, y - r * 0.35, 0, Shade(metal, 0.55), r * 1.3, Shade(metal, -0.4),
               true);
    Outline(cr, Shade(metal, -0.75), std::max(0.8, r * 0.35));
}

void Glow(cairo_t* cr, double x, double y, double r, const Rgba& colour) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(g, 0, colour.r, colour.g, colour.b, colour.a);
    cairo_pattern_add_color_stop_rgba(g, 0.45, colour.r, colour.g, colour.b, colour.a * 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void ClearBorder(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    const int w = canvas.width(), h = canvas.height();
    cairo_rectangle(cr, 0, 0, w, 1);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_rectangle(cr, 0, 0, 1, h);
    cairo_rectangle(cr, w - 1, 0, 1, h);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace datagen
