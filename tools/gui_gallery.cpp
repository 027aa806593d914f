// gui_gallery OUT.png [--data DIR]
// Draws one 1024 x 768 screen with every gadget kind of the GUI kit in its
// states, with the shipped skin and fonts over the main-menu backdrop, and
// saves it. It runs headless on the off-screen driver and the virtual clock,
// and every state comes from scripted mouse input through the engine, so the
// picture is the same on every run. DIR defaults to the data folder of the
// build (../data beside this program).
//
// The mouse can be in one place per frame, so the picture is drawn in two
// passes over one frame: the gallery screen with the pointer resting on the
// "Mouse over" button, then a screen holding only the "Pressed" button with
// the pointer holding it down.

#include <SDL.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/filesystem.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/kit.h"

namespace {

constexpr const char* kPanelColour = "3f3d3d";

void PushMouse(int x, int y, int held) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = x;
    motion.motion.y = y;
    SDL_PushEvent(&motion);
    if (held == in_mouse_down(1)) return;
    SDL_Event button{};
    button.type = held ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    button.button.button = SDL_BUTTON_LEFT;
    button.button.state = held ? SDL_PRESSED : SDL_RELEASED;
    button.button.x = x;
    button.button.y = y;
    SDL_PushEvent(&button);
}

std::shared_ptr<kit_TPanel> Panel(const std::shared_ptr<kit_TScreen>& screen,
                                  const std::string& title, float x, float y, float w, float h) {
    auto panel = kit_CreatePanel(title, x, y, w, h);
    panel->SetColorHex(kPanelColour);
    screen->AddGadget(panel);
    auto caption = kit_CreateLabel(title + " title", title, 12, 8, 0, 0, 0, 0, panel);
    caption->SetTextColorHex("F08A24");
    caption->SetFont("Large");
    return panel;
}

std::shared_ptr<kit_TLabel> Note(const std::string& text, float x, float y,
                                 const kit_GadgetRef& parent, int align = 0) {
    auto label = kit_CreateLabel("", text, x, y, 0, 0, align, 0, parent);
    label->SetTextColor(220, 214, 208);
    return label;
}

// A 2 x 2 sheet of the four cars, written to a temporary file and loaded
// back as an animated image (cells of 240 x 160 in a 512 x 512 texture).
std::shared_ptr<kit_TAnimImage> CarSheet() {
    const char* const cars[4] = {"Sprites/car.png", "Sprites/jeep.png", "Sprites/sportscar.png",
                                 "Sprites/conceptcar.png"};
    constexpr int kW = 240, kH = 160;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(4 * kW * kH), 0);
    for (int i = 0; i < 4; ++i) {
        const ImageHandle car = img_load(cars[i], 0);
        const Pixmap pm = img_lock(car, 0, 1, 0);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const int sx = (i % 2) * kW + x, sy = (i / 2) * kH + y;
                pixels[static_cast<std::size_t>(sy * 2 * kW + sx)] = pix_read_pixel(pm, x, y);
            }
        }
        img_unlock(car, 0);
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("gui_gallery_sheet_" + std::to_string(getpid()) + ".png"))
                                 .string();
    pix_save_png(2 * kW, 2 * kH, pixels.data(), path);
    auto sheet = kit_TAnimImage::Load(path, kW, kH, 0, 0, -1);
    fs_delete_file(path);
    return sheet;
}

struct Gallery {
    std::shared_ptr<kit_TScreen> screen;
    std::shared_ptr<kit_TScreen> press_screen;
    std::shared_ptr<kit_TButton> hover;
    std::shared_ptr<kit_TButton> pressed;
    std::shared_ptr<kit_TCheckBox> clicked_box;
    std::shared_ptr<kit_TLabel> fps;
    std::vector<std::shared_ptr<kit_TLabel>> event_lines;
    std::shared_ptr<kit_TAnimImage> sheet;
};

void BuildButtons(Gallery& g) {
    const auto panel = Panel(g.screen, "Buttons", 16, 150, 320, 290);
    Note("Idle", 20, 50, panel);
    kit_CreateButton("idleB", "Instant Battle", 120, 45, 120, 25, panel);
    Note("Mouse over", 20, 85, panel);
    g.hover = kit_CreateButton("hoverB", "Game Options", 120, 80, 120, 25, panel);
    Note("Pressed", 20, 120, panel);
    // Drawn in the second pass, on a screen of its own, where it is held.
    g.pressed = kit_CreateButton("pressedB", "Exit Game", 16 + 120, 150 + 115, 120, 25);
    g.press_screen->AddGadget(g.pressed);
    Note("Tinted", 20, 155, panel);
    auto tinted = kit_CreateButton("tintB", "Start Match", 120, 150, 120, 25, panel);
    tinted->SetColorHex("F0B070");
    Note("Image", 20, 195, panel);
    kit_CreateImageButton("imageB", "Sprites/target.png", 120, 185, 0, 0, panel);
    Note("Round", 180, 195, panel);
    auto round = kit_CreateRoundButton("roundB", "sprites/gradball.png", 272, 200, 26, panel);
    Note("Target screen: releases switch screens", 20, 240, panel);
    round->SetTargetScreen(g.press_screen);
}

void BuildChecksAndLabels(Gallery& g) {
    const auto panel = Panel(g.screen, "Check boxes and labels", 352, 150, 320, 290);
    auto off = kit_CreateCheckBox("offC", "Unchecked", 20, 50, 0, panel);
    g.clicked_box = kit_CreateCheckBox("clickC", "Checked by a click", 20, 80, 0, panel);
    auto right = kit_CreateCheckBox("rightC", "Box on the right", 300, 110, 1, panel);
    right->SetChecked(1);
    for (const auto& box : {off, g.clicked_box, right}) box->SetTextColor(220, 214, 208);
    // Three labels aligned on one anchor, marked by a thin canvas.
    auto mark = kit_CreateCanvas("anchor", 159, 145, 2, 75, panel);
    mark->SetColorHex("F08A24");
    Note("Left of anchor", 160, 150, panel, 0);
    Note("Centred", 160, 175, panel, 1);
    Note("Right of anchor", 160, 200, panel, 2);
    auto large = kit_CreateLabel("largeL", "Large font", 20, 235, 0, 0, 0, 0, panel);
    large->SetFont("large");
    large->SetTextColor(255, 255, 255);
}

void BuildProgress(Gallery& g) {
    const auto panel = Panel(g.screen, "Progress bars", 688, 150, 320, 290);
    const int percents[] = {0, 35, 100};
    for (int i = 0; i < 3; ++i) {
        auto bar = kit_CreateProgressBar("bar" + str_from_int(i), str_from_int(percents[i]) + " %",
                                         20, 50 + 40.0f * i, 280, 22, panel);
        // The skin is orange: a dark frame and track, the fill in its own colour.
        bar->SetColor(110, 104, 104, 0);
        bar->SetColor(255, 255, 255, 1);
        bar->SetTextColor(255, 255, 255);
        bar->SetPercent(percents[i]);
    }
    auto health = kit_CreateProgressBar("healthBar", "Health", 20, 180, 280, 22, panel);
    health->SetColor(110, 104, 104, 0);
    health->SetColor(120, 255, 160, 1);
    health->SetTextColor(255, 255, 255);
    health->SetPercent(70);
    g.fps = Note("", 20, 230, panel);
}

void BuildPictures(Gallery& g) {
    const auto panel = Panel(g.screen, "Images and canvas", 16, 456, 496, 296);
    Note("Image", 20, 50, panel);
    kit_CreateImage("jeepI", "Sprites/jeep.png", 20, 70, 120, 80, panel);
    Note("Canvas (clipped)", 160, 50, panel);
    auto canvas = kit_CreateCanvas("radarC", 160, 70, 150, 110, panel);
    canvas->SetColor(24, 30, 28);
    canvas->SetDrawCallback([] {
        gfx_set_color(80, 200, 120);
        for (int i = 0; i < 6; ++i) gfx_draw_line(0, 20.0 * i, 150, 20.0 * i);
        for (int i = 0; i < 8; ++i) gfx_draw_line(20.0 * i, 0, 20.0 * i, 110);
        gfx_set_color(240, 138, 36);
        gfx_draw_oval(100, 70, 80, 80);  // runs past the corner: clipped
    });
    Note("Anim image: four cells of one sheet, then mirrored", 20, 196, panel);
    g.sheet = CarSheet();
    auto cells = kit_CreateCanvas("cellsC", 20, 216, 460, 70, panel);
    cells->SetClear(0);
    const std::shared_ptr<kit_TAnimImage> sheet = g.sheet;
    cells->SetDrawCallback([sheet] {
        gfx_set_color(255, 255, 255);
        for (int i = 0; i < sheet->CellCount(); ++i) {
            sheet->Draw(4.0f + 56 * i, 0, 54, 36, i);
            sheet->Draw(236.0f + 56 * i, 0, 54, 36, i, 1, 0);
            sheet->Draw(4.0f + 56 * i, 34, 54, 36, i, 0, 1);
            sheet->Draw(236.0f + 56 * i, 34, 54, 36, i, 1, 1);
        }
    });
}

void BuildPanels(Gallery& g) {
    const auto panel = Panel(g.screen, "Panels and events", 528, 456, 480, 296);
    auto plain = kit_CreatePanel("plainP", 20, 45, 130, 60, panel);
    plain->HideFrame();
    plain->SetColor(140, 140, 150);
    Note("No frame", 30, 20, plain);
    auto bare = kit_CreatePanel("bareP", 170, 45, 130, 60, panel);
    bare->HideBackground();
    Note("No background", 10, 20, bare);
    auto nested = kit_CreatePanel("outerP", 320, 45, 140, 60, panel);
    nested->SetColor(90, 86, 86);
    auto inner = kit_CreatePanel("innerP", 10, 10, 60, 40, nested);
    inner->SetColor(130, 124, 124);
    kit_CreatePanel("tinyP", 80, 20, 50, 8, nested)->SetColor(200, 120, 60);
    Note("Events of a click:", 20, 120, panel);
    for (int i = 0; i < 6; ++i) g.event_lines.push_back(Note("", 20, 145.0f + 22 * i, panel));
}

Gallery Build() {
    Gallery g;
    g.screen = kit_CreateScreen("Gallery", "Every gadget of the kit");
    g.press_screen = kit_CreateScreen("Pressed", "");
    BuildButtons(g);
    BuildChecksAndLabels(g);
    BuildProgress(g);
    BuildPictures(g);
    BuildPanels(g);
    return g;
}

void DrawFrame(const ImageHandle& backdrop) {
    gfx_cls();
    gfx_set_blend(kBlendAlpha);
    gfx_set_color(255, 255, 255);
    gfx_set_alpha(1);
    gfx_draw_image(backdrop, 0, 0, 0);
    kit_Refresh();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_gallery OUT.png [--data DIR]\n");
        return 2;
    }
    const std::string out = fs_absolute(argv[1]);
    std::string data = fs_executable_dir() + "/../data";
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--data") data = argv[i + 1];
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (fs_change_dir(data) != 1) {
        std::fprintf(stderr, "gui_gallery: no data folder at %s\n", data.c_str());
        return 1;
    }
    EngineOptions options;
    options.audio = false;
    options.windowed = true;
    options.uncapped = true;
    options.fixed_dt = 1.0 / 60.0;
    Engine engine(options);
    if (!engine.ok() || gfx_open(1024, 768, 0, 60, 0) != 1) {
        std::fprintf(stderr, "gui_gallery: %s\n", engine.error().c_str());
        return 1;
    }
    int code = 0;
    {
        kit_Initialise();
        kit_SetResolution(1024, 768, 0);
        kit_SetSystemPointer(0);
        kit_SetSkin("Skin");
        kit_LoadFont("Default", "trebucbd.ttf", 12);
        kit_LoadFont("Large", "trebucbd.ttf", 24);
        Gallery g = Build();
        kit_SetScreen("Gallery");
        const ImageHandle backdrop = img_load("sprites/backdrop/mainmenu.png", -1);

        // A second of menu frames on the virtual clock, with a click on one
        // check box; its events are listed on the screen.
        const int bx = g.clicked_box->GetAbsoluteX() + 5;
        const int by = g.clicked_box->GetAbsoluteY() + 5;
        std::vector<std::string> lines;
        for (int frame = 0; frame < 62; ++frame) {
            PushMouse(frame < 10 ? 700 : bx, frame < 10 ? 60 : by, frame == 10 || frame == 11);
            gfx_flip(0);
            DrawFrame(backdrop);
            while (kit_PollEvent()) {
                if (frame >= 10 && frame <= 12) lines.push_back(kit_EventText());
            }
            kit_FPS::Update();
        }
        for (std::size_t i = 0; i < g.event_lines.size() && i < lines.size(); ++i) {
            g.event_lines[i]->SetText(lines[i]);
        }
        g.fps->SetText("Frame counter: " + str_from_int(kit_FPS::GetFPS()) + " frames a second");

        // The picture: the gallery with the pointer over "Mouse over", then
        // the held button and its cursor over it.
        PushMouse(g.hover->GetAbsoluteX() + 60, g.hover->GetAbsoluteY() + 12, 0);
        sys_poll_events();
        DrawFrame(backdrop);
        kit_SetScreen("Pressed");
        PushMouse(static_cast<int>(g.pressed->X) + 70, static_cast<int>(g.pressed->Y) + 14, 1);
        sys_poll_events();
        kit_Refresh();
        if (kit_GUI::GetCaptureGadget() != g.pressed) {
            std::fprintf(stderr, "gui_gallery: the pressed button did not take the mouse\n");
            code = 1;
        }
        if (gfx_save_png(out) != 1) {
            std::fprintf(stderr, "gui_gallery: could not write %s\n", out.c_str());
            code = 1;
        }
        kit_Shutdown();
    }
    return code;
}
