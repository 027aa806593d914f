#pragma once
// Drawing pieces shared by the vehicle and weapon art: smooth and rounded
// outlines built from point lists, soft inner shading that gives flat shapes
// volume under the upper-left light, metal cylinders, bolts and glows.

#include <functional>
#include <vector>

#include "tools/datagen/art.h"

namespace datagen {

struct Pt {
    double x = 0, y = 0;
};

/// Builds a path in the cairo context; used for shapes drawn, clipped and
/// shaded more than once.
using PathFn = std::function<void(cairo_t*)>;

/// A closed smooth curve through the points (Catmull-Rom as cubic Béziers).
void SmoothClosed(cairo_t* cr, const std::vector<Pt>& points);
/// A closed polygon whose corners are rounded with radius `r` (clipped to
/// half of the shorter adjacent edge).
void RoundedPolygon(cairo_t* cr, const std::vector<Pt>& points, double r);
/// Mirrors a list of points on the upper side (y < 0, ordered rear to
/// front) about the x axis and returns the whole outline, clockwise on
/// screen, ready for SmoothClosed or RoundedPolygon.
std::vector<Pt> MirrorY(const std::vector<Pt>& upper);

/// Soft shading inside a shape: a blurred band along its edge that is light
/// towards (x0, y0) and dark towards (x1, y1), clipped to the shape. The
/// path is built with the canvas context's current transformation.
void SoftEdge(Canvas& canvas, const PathFn& shape, double width, double blur, const Rgba& light,
              const Rgba& dark, double x0, double y0, double x1, double y1);

/// Fills the current path like a metal cylinder lying along x, seen from
/// above: a bright band towards the light (low y), darker below.
void FillCylinder(cairo_t* cr, double y0, double y1, const Rgba& base, bool preserve = false);
/// The same for a cylinder lying along y (lit from the left).
void FillCylinderX(cairo_t* cr, double x0, double x1, const Rgba& base, bool preserve = false);

/// A round bolt head lit from the upper left.
void Bolt(cairo_t* cr, double x, double y, double r, const Rgba& metal);
/// A soft round glow fading to transparent.
void Glow(cairo_t* cr, double x, double y, double r, const Rgba& colour);

/// Clears the outermost row and column on every side, so that filtered,
/// rotated drawing never smears an edge pixel.
void ClearBorder(Canvas& canvas);

}  // namespace datagen
