// The GUI kit's skin: nine-slice frames (15 x 15, a 3 x 3 grid of 5 x 5
// tiles whose edges and centre the kit stretches), the checkbox strip, the
// scroll bar pieces, small icons and the mouse cursors. Dark steel greys
// around the menus' panel colour, a warm orange accent, white text on top.

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/datagen/generator.h"
#include "tools/datagen/ui_style.h"

namespace datagen {

namespace {

constexpr double kSkinScale = 1.0;
constexpr int kTile = 15;

// The colours of one ring of a frame (ring 0 is the outermost pixel), one
// per side, so that bevels can be lit from the upper left.
struct Ring {
    std::uint32_t top, left, right, bottom;
};
Ring All(std::uint32_t c) {
    return Ring{c, c, c, c};
}

// A rounded frame drawn pixel by pixel: its depth inside the rounded box
// picks the ring, and the side it is nearest picks the colour, so every
// straight stretch of the frame is exactly uniform along its length (the kit
// stretches edge tiles) and corners are smoothly anti-aliased.
struct Frame {
    double x = 0, y = 0, w = kTile, h = kTile;  // the box inside the canvas
    double radius = 4;
    std::array<Ring, 5> rings{};
    int ring_count = 0;
    std::uint32_t fill = ui::kPanel;
};

Rgba RingColour(const Frame& f, int ring, double vertical_weight, bool right, bool bottom) {
    if (ring >= f.ring_count) return Hex(f.fill);
    const Ring& r = f.rings[ring];
    const Rgba h = Hex(right ? r.right : r.left);
    const Rgba v = Hex(bottom ? r.bottom : r.top);
    return Mix(h, v, vertical_weight);
}

void DrawFrame(Canvas& c, const Frame& f) {
    const double cx = f.x + f.w / 2, cy = f.y + f.h / 2;
    ui::Paint(c, [&](double px, double py) {
        const double qx = std::fabs(px - cx) - (f.w / 2 - f.radius);
        const double qy = std::fabs(py - cy) - (f.h / 2 - f.radius);
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) +
                               std::min(std::max(qx, qy), 0.0) - f.radius;
        const double depth = -outside;  // 0.5 at the centre of the outermost pixel ring
        const double coverage = std::clamp(depth + 0.5, 0.0, 1.0);
        if (coverage <= 0) return Rgba{0, 0, 0, 0};
        // Which side: the vertical weight is 1 on the top and bottom edges,
        // 0 on the left and right, and turns smoothly round the corners.
        double vw;
        if (qx > 0 && qy > 0) {
            vw = std::atan2(qy, qx) / (M_PI / 2);
        } else {
            vw = qy >= qx ? 1.0 : 0.0;
        }
        const bool right = px > cx, bottom = py > cy;
        // Blend neighbouring rings by the fractional depth; on straight
        // edges pixel centres sit mid-ring, so there is no blending there.
        const double d = std::max(depth - 0.5, 0.0);
        const int k = static_cast<int>(std::floor(d));
        const double t = d - k;
        Rgba col =
            Mix(RingColour(f, k, vw, right, bottom), RingColour(f, k + 1, vw, right, bottom), t);
        col.a = coverage;
        return col;
    });
}

Canvas Nine(const Frame& f) {
    Canvas c(kTile, kTile);
    DrawFrame(c, f);
    return c;
}

constexpr std::uint32_t kEdge = 0x0E0D0D;  // outermost ring of every frame

// The menus tint their panels with the panel colour, and the drawing colour
// multiplies every pixel: the panel is stored divided by that colour, so that
// on screen it shows the designed shades (lighter than the tint clamps to
// white in the file).
std::uint32_t Untinted(std::uint32_t rgb) {
    auto channel = [rgb](int shift) {
        const std::uint32_t tint = (ui::kPanel >> shift) & 0xFF;
        const std::uint32_t c = (rgb >> shift) & 0xFF;
        return std::min<std::uint32_t>(255, (c * 255 + tint / 2) / tint) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

Ring Untinted(const Ring& r) {
    return Ring{Untinted(r.top), Untinted(r.left), Untinted(r.right), Untinted(r.bottom)};
}

Frame Panel() {
    Frame f;
    f.rings = {Untinted(All(kEdge)), Untinted(Ring{0x3F3D3D, 0x3F3D3D, 0x2A2828, 0x222020}),
               Untinted(Ring{0x3F3D3D, 0x3F3D3D, 0x363434, 0x323030})};
    f.ring_count = 3;
    f.fill = Untinted(ui::kPanel);
    return f;
}

Frame Button() {
    Frame f;
    f.rings = {All(kEdge), Ring{0x9A9494, 0x7C7777, 0x4A4646, ui::kAccentDark},
               Ring{0x777272, 0x686464, 0x575353, ui::kAccent},
               Ring{0x6C6868, 0x625E5E, 0x5A5656, 0x4C4848},
               Ring{0x666262, 0x605C5C, 0x5C5858, 0x545050}};
    f.ring_count = 4;
    f.fill = 0x5E5A5A;
    return f;
}

Frame Progress() {
    Frame f;
    f.rings = {All(kEdge), Ring{0xFFD89A, 0xFFB860, 0xC8661A, 0xA84E10},
               Ring{0xFFBE66, 0xF8A040, 0xE07A1E, 0xD0701C},
               Ring{0xF8A040, 0xF49232, 0xEC8626, 0xE27E22}};
    f.ring_count = 4;
    f.fill = ui::kAccent;
    return f;
}

Frame TextField() {
    Frame f;
    // Sunken: the light falls on the lower rim, the inside is shadowed at
    // the top.
    f.rings = {Ring{0x0A0909, 0x0C0B0B, 0x3A3838, 0x5A5656},
               Ring{0x0C0B0B, 0x121111, 0x1E1D1D, 0x262424},
               Ring{0x151414, 0x191818, 0x1C1B1B, 0x1E1D1D}};
    f.ring_count = 3;
    f.fill = 0x1E1D1D;
    return f;
}

Frame ComboBox() {
    Frame f;
    f.rings = {All(kEdge), Ring{0x7A7575, 0x6A6666, 0x403D3D, 0x2E2C2C},
               Ring{0x575353, 0x524F4F, 0x4A4747, 0x444141}};
    f.ring_count = 2;
    f.fill = 0x4C4949;
    return f;
}

Frame Menu() {
    Frame f;
    f.radius = 3;
    f.rings = {All(kEdge), Ring{ui::kAccent, 0x5E5A5A, 0x5E5A5A, 0x5E5A5A},
               Ring{0x343232, 0x2E2C2C, 0x2E2C2C, 0x2A2828}};
    f.ring_count = 3;
    f.fill = 0x2C2A2A;
    return f;
}

// Scroll bar knobs: a rounded bar lit from the upper left. Vertical: 15 x 7
// with the middle row stretched; horizontal: 7 x 15 with the middle column.
Frame Knob(bool vertical) {
    Frame f;
    f.radius = 3;
    if (vertical) {
        f.x = 1;
        f.y = 0;
        f.w = 13;
        f.h = 7;
    } else {
        f.x = 0;
        f.y = 1;
        f.w = 7;
        f.h = 13;
    }
    f.rings = {All(kEdge), Ring{0xC4BFBF, 0xB4AFAF, 0x6E6A6A, 0x5E5A5A},
               Ring{0x9C9797, 0x948F8F, 0x7E7A7A, 0x767272}};
    f.ring_count = 2;
    f.fill = 0x8A8585;
    return f;
}

// A solid triangle pointing along `angle` (0 = right) centred at (cx, cy).
void Arrow(cairo_t* cr, double cx, double cy, double size, double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, size * 0.55, 0);
    cairo_line_to(cr, -size * 0.45, -size * 0.62);
    cairo_line_to(cr, -size * 0.45, size * 0.62);
    cairo_close_path(cr);
    cairo_restore(cr);
}

Canvas ScrollButton(double angle) {
    // A button without the orange underline: the arrows are tools, not actions.
    Frame f = Button();
    f.radius = 3;
    f.rings[1].bottom = 0x2E2C2C;
    f.rings[2].bottom = 0x464242;
    Canvas c = Nine(f);
    cairo_t* cr = c.cr();
    // A dark drop under the white arrow keeps it crisp on the light bevel.
    Arrow(cr, 7.5 + 0.6, 7.5 + 0.8, 6.5, angle);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    Arrow(cr, 7.5, 7.5, 6.5, angle);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    return c;
}

Canvas Checkbox() {
    Canvas c(kTile * 2, kTile);
    Frame box = TextField();
    box.radius = 3;
    Canvas unchecked = Nine(box);
    Frame on = Progress();
    on.radius = 3;
    Canvas checked = Nine(on);
    cairo_t* k = checked.cr();
    auto tick = [](cairo_t* p) {
        cairo_move_to(p, 3.6, 7.8);
        cairo_line_to(p, 6.3, 10.6);
        cairo_line_to(p, 11.6, 4.2);
    };
    tick(k);
    Outline(k, Hex(0x2A1606, 0.85), 3.4);
    tick(k);
    Outline(k, Hex(0xFFFFFF), 1.8);
    cairo_t* cr = c.cr();
    cairo_set_source_surface(cr, unchecked.surface(), 0, 0);
    cairo_paint(cr);
    cairo_set_source_surface(cr, checked.surface(), kTile, 0);
    cairo_paint(cr);
    return c;
}

Canvas Search() {
    Canvas c(12, 12);
    cairo_t* cr = c.cr();
    auto glass = [](cairo_t* p) {
        cairo_new_sub_path(p);
        cairo_arc(p, 4.8, 4.8, 3.3, 0, 2 * M_PI);
    };
    auto handle = [](cairo_t* p) {
        cairo_move_to(p, 7.4, 7.4);
        cairo_line_to(p, 10.6, 10.6);
    };
    glass(cr);
    Outline(cr, Hex(kEdge, 0.8), 3.4);
    handle(cr);
    Outline(cr, Hex(kEdge, 0.8), 3.8);
    glass(cr);
    Outline(cr, Hex(0xF4F2EE), 1.6);
    handle(cr);
    Outline(cr, Hex(0xF4F2EE), 2.2);
    return c;
}

Canvas ComboArrow() {
    Canvas c(8, 6);
    cairo_t* cr = c.cr();
    cairo_move_to(cr, 0.3, 0.8);
    cairo_line_to(cr, 7.7, 0.8);
    cairo_line_to(cr, 4, 5.4);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    return c;
}

Canvas ScrollBack() {
    Canvas c(kTile, kTile);
    c.Clear(Hex(0x1C1B1B));
    return c;
}

// The arrow pointer, its tip on pixel (0, 0).
void PointerPath(cairo_t* cr) {
    cairo_move_to(cr, 0.6, 0.6);
    cairo_line_to(cr, 0.6, 21.5);
    cairo_line_to(cr, 5.6, 16.8);
    cairo_line_to(cr, 9.2, 25.2);
    cairo_line_to(cr, 12.6, 23.7);
    cairo_line_to(cr, 9.1, 15.6);
    cairo_line_to(cr, 15.8, 15.6);
    cairo_close_path(cr);
}

// A pointing hand whose fingertip is the top pixel of column 5. Pressing
// bends the finger: the palm rises towards the tip.
void HandPath(cairo_t* cr, double press) {
    const double p = press;
    cairo_move_to(cr, 3.0, 3.0);
    cairo_arc(cr, 5.5, 3.0, 2.5, M_PI, 2 * M_PI);
    cairo_line_to(cr, 8.0, 12.0 - p);
    // Three folded fingers.
    cairo_arc(cr, 10.0, 12.0 - p, 2.0, M_PI, 2 * M_PI);
    cairo_arc(cr, 14.0, 13.0 - p, 2.0, M_PI, 2 * M_PI);
    cairo_arc(cr, 18.0, 14.5 - p, 2.0, M_PI, 2 * M_PI);
    cairo_line_to(cr, 20.0, 22.0 - p);
    cairo_curve_to(cr, 20.0, 25.5 - p, 18.5, 27.0 - p, 17.5, 28.5 - p);
    cairo_line_to(cr, 17.5, 30.5 - p);
    cairo_line_to(cr, 7.5, 30.5 - p);
    cairo_line_to(cr, 7.5, 28.5 - p);
    // Thumb folded along the left of the palm.
    cairo_curve_to(cr, 5.5, 26.5 - p, 2.0, 22.0 - p, 0.8, 18.5 - p);
    cairo_curve_to(cr, 0.2, 16.5 - p, 1.6, 15.2 - p, 3.0, 16.6 - p);
    cairo_close_path(cr);
}

void HandCreases(cairo_t* cr, double press) {
    const double p = press;
    cairo_move_to(cr, 12.0, 12.2 - p);
    cairo_line_to(cr, 12.0, 16.0 - p);
    cairo_move_to(cr, 16.0, 13.6 - p);
    cairo_line_to(cr, 16.0, 17.0 - p);
    cairo_move_to(cr, 3.0, 16.6 - p);
    cairo_line_to(cr, 5.6, 20.0 - p);
    cairo_move_to(cr, 7.5, 28.5 - p);
    cairo_line_to(cr, 17.5, 28.5 - p);
}

template <typename PathFn>
Canvas Cursor(PathFn path, double shade) {
    Canvas c(24, 32);
    cairo_t* cr = c.cr();
    path(cr);
    FillLinear(cr, 0, 0, Hex(0xFFFFFF), 12, 28, Shade(Hex(0xE4E2DE), -shade), true);
    Outline(cr, Hex(0x000000), 1.4);
    DropShadow(c, 1.5, 2.0, 1.8, 0.5, [&](cairo_t* m) {
        path(m);
        cairo_set_source_rgb(m, 0, 0, 0);
        cairo_set_line_width(m, 1.4);
        cairo_stroke_preserve(m);
        cairo_fill(m);
    });
    return c;
}

Canvas Hand(double press) {
    Canvas c = Cursor([press](cairo_t* cr) { HandPath(cr, press); }, press > 0 ? 0.12 : 0.0);
    cairo_t* cr = c.cr();
    HandCreases(cr, press);
    Outline(cr, Hex(0x000000, 0.55), 1.0);
    return c;
}

}  // namespace

void MakeSkin(Output& out) {
    const std::string dir = "Skin/graphics/";
    out.Image(dir + "panel.png", Nine(Panel()), kSkinScale);
    out.Image(dir + "button.png", Nine(Button()), kSkinScale);
    out.Image(dir + "progress.png", Nine(Progress()), kSkinScale);
    out.Image(dir + "textfield.png", Nine(TextField()), kSkinScale);
    out.Image(dir + "combobox.png", Nine(ComboBox()), kSkinScale);
    out.Image(dir + "menu.png", Nine(Menu()), kSkinScale);
    out.Image(dir + "checkbox.png", Checkbox(), kSkinScale);
    out.Image(dir + "search.png", Search(), kSkinScale);
    out.Image(dir + "combobox arrow.png", ComboArrow(), kSkinScale);
    out.Image(dir + "scrollback.png", ScrollBack(), kSkinScale);
    out.Image(dir + "scrollup.png", ScrollButton(-M_PI / 2), kSkinScale);
    out.Image(dir + "scrolldown.png", ScrollButton(M_PI / 2), kSkinScale);
    out.Image(dir + "scrollleft.png", ScrollButton(M_PI), kSkinScale);
    out.Image(dir + "scrollright.png", ScrollButton(0), kSkinScale);
    Canvas vknob(15, 7), hknob(7, 15);
    DrawFrame(vknob, Knob(true));
    DrawFrame(hknob, Knob(false));
    out.Image(dir + "vscrollbar.png", vknob, kSkinScale);
    out.Image(dir + "hscrollbar.png", hknob, kSkinScale);
    out.Image(dir + "cursors/normal.png", Cursor(PointerPath, 0.0), kSkinScale);
    out.Image(dir + "cursors/mouseover.png", Hand(0.0), kSkinScale);
    out.Image(dir + "cursors/mousedown.png", Hand(3.0), kSkinScale);
}

}  // namespace datagen
