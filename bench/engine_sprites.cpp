// Sprite drawing cost of the engine against plain SDL.
//
// Both cases draw the same 2,000 rotated, scaled, alpha-blended sprites of
// one 64 x 64 image into the engine's 1024 x 768 frame texture, on the same
// renderer in the same process:
//   engine  gfx_cls, then gfx_set_rotation / gfx_set_scale / gfx_set_alpha
//           and gfx_draw_image for every sprite;
//   sdl     SDL_RenderClear, then one SDL_RenderGeometry call a sprite (4
//           vertices, 6 indices) with the quad computed inline.
// Each frame ends with a one-pixel read-back so that the rasteriser has
// finished the frame before the clock stops. The cases run in alternating
// blocks so that machine noise falls on both alike; the median frame time of
// each and their ratio are printed, one figure a line.

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_detail.h"
#include "engine/graphics.h"
#include "engine/image.h"

namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;
constexpr int kSpriteSize = 64;
constexpr int kSprites = 2000;
constexpr int kWarmupFrames = 20;
constexpr int kBlockFrames = 10;
constexpr int kBlocks = 12;  // per case

struct Sprite {
    float x, y;
    double rotation;  // degrees
    double scale;
    double alpha;
};

// A fixed xorshift generator, so every run draws the same sprites.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [lo, hi).
    double Range(double lo, double hi) { return lo + (hi - lo) * (Next() >> 8) / 16777216.0; }

private:
    std::uint32_t state_;
};

std::vector<Sprite> make_sprites() {
    Rng rng(0x5EED1234u);
    std::vector<Sprite> sprites(kSprites);
    for (Sprite& s : sprites) {
        s.x = static_cast<float>(std::floor(rng.Range(0.0, kScreenW)));
        s.y = static_cast<float>(std::floor(rng.Range(0.0, kScreenH)));
        s.rotation = rng.Range(0.0, 360.0);
        s.scale = rng.Range(0.5, 1.5);
        s.alpha = rng.Range(0.3, 1.0);
    }
    return sprites;
}

// A soft round blob with a lit side, opaque in the middle and fading to
// transparent at its rim; 32-bit ARGB, not premultiplied.
std::vector<std::uint32_t> make_sprite_pixels() {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kSpriteSize) * kSpriteSize);
    const double c = (kSpriteSize - 1) / 2.0;
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            const double dx = x - c, dy = y - c;
            const double d = std::sqrt(dx * dx + dy * dy) / (kSpriteSize / 2.0);
            const double edge = std::clamp((1.0 - d) / 0.45, 0.0, 1.0);
            const double alpha = edge * edge * (3.0 - 2.0 * edge) * 0.9;
            const double light = std::clamp(1.0 - (dx + dy) / (2.0 * kSpriteSize), 0.0, 1.0);
            const auto a = static_cast<std::uint32_t>(std::lround(alpha * 255.0));
            const auto r = static_cast<std::uint32_t>(std::lround(80.0 + 175.0 * light));
            const auto g = static_cast<std::uint32_t>(std::lround(60.0 + 120.0 * light));
            const auto b = static_cast<std::uint32_t>(std::lround(40.0 + 40.0 * light));
            pixels[static_cast<std::size_t>(y) * kSpriteSize + x] =
                (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    return pixels;
}

void draw_engine(const ImageHandle& image, const std::vector<Sprite>& sprites) {
    gfx_cls();
    gfx_set_blend(kBlendAlpha);
    for (const Sprite& s : sprites) {
        gfx_set_rotation(s.rotation);
        gfx_set_scale(s.scale, s.scale);
        gfx_set_alpha(s.alpha);
        gfx_draw_image(image, s.x, s.y, 0);
    }
    (void)gfx_read_pixels(0, 0, 1, 1);
}

// The same sprites through SDL alone: a quad around the centre handle,
// corner (u, v) at x + u ix + v iy, y + u jx + v jy, as the engine places it.
void draw_sdl(SDL_Renderer* ren, SDL_Texture* texture, const std::vector<Sprite>& sprites) {
    SDL_SetRenderDrawColor(ren, 0, 0, 0, 255);
    SDL_RenderClear(ren);
    constexpr double kHalf = kSpriteSize / 2.0;
    static constexpr double kU[4] = {-kHalf, kHalf, kHalf, -kHalf};
    static constexpr double kV[4] = {-kHalf, -kHalf, kHalf, kHalf};
    static constexpr float kTu[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    static constexpr float kTv[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    static constexpr int kIndices[6] = {0, 1, 2, 0, 2, 3};
    for (const Sprite& s : sprites) {
        const double rad = s.rotation * std::numbers::pi / 180.0;
        const double c = std::cos(rad), sn = std::sin(rad);
        const double ix = c * s.scale, iy = -sn * s.scale;
        const double jx = sn * s.scale, jy = c * s.scale;
        const auto a = static_cast<Uint8>(std::lround(s.alpha * 255.0));
        SDL_Vertex v[4];
        for (int k = 0; k < 4; ++k) {
            v[k].position.x = static_cast<float>(s.x + kU[k] * ix + kV[k] * iy);
            v[k].position.y = static_cast<float>(s.y + kU[k] * jx + kV[k] * jy);
            v[k].color = SDL_Color{255, 255, 255, a};
            v[k].tex_coord = SDL_FPoint{kTu[k], kTv[k]};
        }
        SDL_RenderGeometry(ren, texture, v, 4, kIndices, 6);
    }
    std::uint32_t pixel = 0;
    const SDL_Rect one{0, 0, 1, 1};
    SDL_RenderReadPixels(ren, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
}

double now_ms() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Pixels of the whole frame that differ between the two cases; the cases
// draw the same picture, so this should be 0.
long count_differing_pixels(const ImageHandle& image, SDL_Renderer* ren, SDL_Texture* texture,
                            const std::vector<Sprite>& sprites) {
    draw_engine(image, sprites);
    const std::vector<std::uint32_t> a = gfx_read_pixels(0, 0, kScreenW, kScreenH);
    draw_sdl(ren, texture, sprites);
    const std::vector<std::uint32_t> b = gfx_read_pixels(0, 0, kScreenW, kScreenH);
    long differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
    return differing;
}

}  // namespace

int main() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    EngineOptions options;
    options.audio = false;
    options.uncapped = true;
    options.windowed = true;
    Engine engine(options);
    if (!engine.ok()) {
        std::fprintf(stderr, "engine_sprites: %s\n", engine.error().c_str());
        return 1;
    }
    if (!gfx_open(kScreenW, kScreenH, 0, 60, 0)) {
        std::fprintf(stderr, "engine_sprites: %s\n", gfx_last_error().c_str());
        return 1;
    }
    SDL_Renderer* ren = engine_detail::current_renderer();
    if (!ren) {
        std::fprintf(stderr, "engine_sprites: no renderer\n");
        return 1;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(ren, &info);
    std::fprintf(stderr, "engine_sprites: renderer %s\n", info.name ? info.name : "?");

    const std::vector<std::uint32_t> pixels = make_sprite_pixels();
    const ImageHandle image = img_from_pixels(kSpriteSize, kSpriteSize, pixels.data(), -1);
    img_mid_handle(image);

    SDL_Texture* texture = SDL_CreateTexture(ren, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, kSpriteSize, kSpriteSize);
    if (!texture) {
        std::fprintf(stderr, "engine_sprites: %s\n", SDL_GetError());
        return 1;
    }
    SDL_UpdateTexture(texture, nullptr, pixels.data(), kSpriteSize * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);

    const std::vector<Sprite> sprites = make_sprites();
    const long differing = count_differing_pixels(image, ren, texture, sprites);

    for (int i = 0; i < kWarmupFrames; ++i) draw_engine(image, sprites);
    for (int i = 0; i < kWarmupFrames; ++i) draw_sdl(ren, texture, sprites);

    std::vector<double> engine_ms, sdl_ms;
    engine_ms.reserve(kBlocks * kBlockFrames);
    sdl_ms.reserve(kBlocks * kBlockFrames);
    auto run_engine_block = [&] {
        for (int i = 0; i < kBlockFrames; ++i) {
            const double t0 = now_ms();
            draw_engine(image, sprites);
            engine_ms.push_back(now_ms() - t0);
        }
    };
    auto run_sdl_block = [&] {
        for (int i = 0; i < kBlockFrames; ++i) {
            const double t0 = now_ms();
            draw_sdl(ren, texture, sprites);
            sdl_ms.push_back(now_ms() - t0);
        }
    };
    // Alternate which case goes first, so neither always follows the other.
    for (int b = 0; b < kBlocks; ++b) {
        if (b % 2 == 0) {
            run_engine_block();
            run_sdl_block();
        } else {
            run_sdl_block();
            run_engine_block();
        }
    }

    const double engine_median = median(engine_ms);
    const double sdl_median = median(sdl_ms);
    SDL_DestroyTexture(texture);

    std::printf("sprites_per_frame: %d\n", kSprites);
    std::printf("frames_measured: %d\n", static_cast<int>(engine_ms.size()));
    std::printf("engine_frame_ms: %.2f\n", engine_median);
    std::printf("sdl_frame_ms: %.2f\n", sdl_median);
    std::printf("ratio: %.3f\n", sdl_median > 0.0 ? engine_median / sdl_median : 0.0);
    std::printf("pixels_differing: %ld\n", differing);
    return 0;
}
