#pragma once
// The GUI kit under test: an off-screen 1024 x 768 engine, a fresh kit
// module, synthetic mouse input pushed through SDL, and the lines the kit
// writes to the console and the debug log.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/log.h"
#include "gui/kit.h"
#include "tests/support/synthetic_input.h"
#include "tests/support/test_support.h"

namespace kit_test {

using test_support::MoveMouse;

inline void MouseButton(bool down, int x, int y) {
    test_support::Button(SDL_BUTTON_LEFT, down, x, y);
}

/// A nine-slice file whose tile i is painted (i * 20, 255 - i * 20, 100),
/// opaque; a size other than 15 x 15 gives a file too small or too large.
inline void WriteNineSlice(const std::string& path, int width = 15, int height = 15) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<std::uint32_t>((y / 5) * 3 + x / 5);
            pixels[static_cast<std::size_t>(y * width + x)] =
                0xFF000000u | ((i * 20) << 16) | ((255 - i * 20) << 8) | 100u;
        }
    }
    ASSERT_EQ(pix_save_png(width, height, pixels.data(), path), 1);
}

/// Every event waiting in the kit's queue, taken out, as (id, source name).
struct SeenEvent {
    int id;
    std::string source;
    int data, x, y;
};

class KitTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(video.ok());
        sys_poll_events();
        in_flush_keys();
        in_flush_mouse();
        kit_Initialise();
        log_set_sink([this](const std::string& text, int) { console.push_back(text); });
        dbg_set_hook([this](const std::string& text) { debug.push_back(text); });
    }
    void TearDown() override {
        kit_Shutdown();
        log_set_sink({});
        dbg_set_hook({});
    }

    /// A 1024 x 768 screen "S" holding one full-screen panel "P" without a
    /// background, for the gadgets under test (made current by the test).
    std::shared_ptr<kit_TPanel> FullScreenPanel() {
        kit_SetResolution(1024, 768, 0);
        const auto screen = kit_CreateScreen("S", "");
        auto p = kit_CreatePanel("P", 0, 0, 1024, 768);
        p->HideBackground();
        screen->AddGadget(p);
        return p;
    }

    /// The shipped skin and fonts, seen through the temp folder.
    void UseShippedSkin() {
        test_support::LinkDataFolder(CRASHMOOR_DATA_DIR, dir.path());
        kit_SetResolution(1024, 768, 0);
        kit_SetSkin("Skin");
        kit_LoadFont("Default", "trebucbd.ttf", 12);
    }

    /// One frame: the mouse goes to (x, y) with the left button held or not,
    /// the engine polls, and the kit refreshes.
    void Frame(int x, int y, bool held) {
        MoveMouse(x, y);
        if (held != (in_mouse_down(1) != 0)) MouseButton(held, x, y);
        sys_poll_events();
        kit_Refresh();
    }
    void Click(int x, int y) {
        Frame(x, y, true);
        Frame(x, y, false);
    }
    /// One frame with the pointer resting at (x, y) while the wheel turns
    /// by `notches` (negative: towards the user, scrolling down).
    void WheelFrame(int x, int y, int notches) {
        test_support::Wheel(notches);
        Frame(x, y, false);
    }

    std::vector<SeenEvent> Drain() {
        std::vector<SeenEvent> seen;
        while (kit_PollEvent() != 0) {
            seen.push_back({kit_EventID(), kit_EventSourceName(), kit_EventData(), kit_EventX(),
                            kit_EventY()});
        }
        return seen;
    }
    /// Events other than MouseOver, in order.
    std::vector<SeenEvent> Reports() {
        std::vector<SeenEvent> found;
        for (const auto& e : Drain()) {
            if (e.id != kit_EventMouseOver) found.push_back(e);
        }
        return found;
    }
    /// The source of the first GadgetSelect, empty when there is none.
    static std::string SelectSource(const std::vector<SeenEvent>& seen) {
        for (const auto& e : seen) {
            if (e.id == kit_EventGadgetSelect) return e.source;
        }
        return "";
    }
    static int Count(const std::vector<SeenEvent>& seen, int id) {
        int n = 0;
        for (const auto& e : seen) n += e.id == id;
        return n;
    }

    test_support::VideoEngine video;
    test_support::TempDir dir;
    test_support::ScopedChdir cd{dir.path()};
    std::vector<std::string> console;
    std::vector<std::string> debug;
};

}  // namespace kit_test
