#include "gui/support.h"

#include <algorithm>
#include <cmath>

#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/state.h"

bool kit_MouseInRect(float x, float y, float w, float h) {
    const float mx = static_cast<float>(in_mouse_x());
    const float my = static_cast<float>(in_mouse_y());
    return x <= mx && mx <= x + w && y <= my && my <= y + h;
}

bool kit_MouseInCircle(int x, int y, int r) {
    const double dx = std::abs(in_mouse_x() - x);
    const double dy = std::abs(in_mouse_y() - y);
    return std::sqrt(dx * dx + dy * dy) < r;
}

bool kit_RectVisible(int x, int y, int size) {
    int vx = 0, vy = 0, vw = 0, vh = 0;
    gfx_get_viewport(&vx, &vy, &vw, &vh);
    return x < vx + vw && x + size > vx && y < vy + vh && y + size > vy;
}

void kit_ClipViewport(int x, int y, int w, int h) {
    int vx = 0, vy = 0, vw = 0, vh = 0;
    gfx_get_viewport(&vx, &vy, &vw, &vh);
    if (x < vx) x = vx;
    if (x > vx + vw) x = vx + vw;
    if (x + w > vx + vw) w = vx + vw - x;
    if (y < vy) y = vy;
    if (y > vy + vh) y = vy + vh;
    if (y + h > vy + vh) h = vy + vh - y;
    // Gadgets narrower than their insets (an empty drop-down list is 8
    // pixels high) ask for negative sizes: those clip everything.
    gfx_set_viewport(x, y, std::max(w, 0), std::max(h, 0));
}

DrawParams kit_Params(const kit_RGB& colour, float alpha) {
    DrawParams params;
    params.r = colour.R;
    params.g = colour.G;
    params.b = colour.B;
    params.alpha = alpha;
    params.blend = kBlendAlpha;
    return params;
}

void kit_DrawText(const std::string& text, double x, double y, const FontHandle& font,
                  const DrawParams& params) {
    const GfxStateGuard keep;
    const kit_FontScope use(font);
    gfx_apply_params(params);
    gfx_draw_text(text, x, y);
}

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

int hex_byte(const std::string& s, std::size_t at) {
    return hex_digit(s[at]) * 16 + hex_digit(s[at + 1]);
}

}  // namespace

void kit_ParseHexColor(const std::string& hex, int& r, int& g, int& b) {
    if (hex.size() != 6) return;
    r = hex_byte(hex, 0);
    g = hex_byte(hex, 2);
    b = hex_byte(hex, 4);
}

std::vector<std::string> kit_SplitString(const std::string& text, const std::string& separator) {
    if (separator.empty()) return {text};
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string::npos) break;
        pieces.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

bool kit_SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && str_lower(a) == str_lower(b);
}
