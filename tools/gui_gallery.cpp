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
//
// The list gadgets (table, scroll box, sliders, scroll bars, combo boxes and
// their menus) fill a second page of the same size below the first, and the
// date pickers and search boxes, closed and open, a third, so the picture is
// 1024 x 2304.

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
#include "gui/combo_box.h"
#include "gui/date.h"
#include "gui/kit.h"
#include "gui/scroll_bar.h"
#include "gui/scroll_box.h"
#include "gui/search_box.h"
#include "gui/slider.h"
#include "gui/table.h"
#include "gui/text_field.h"

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
    std::shared_ptr<kit_TPanel> text_panel;
    std::shared_ptr<kit_TTextField> focused_field;
    std::shared_ptr<kit_TTextField> selection_field;
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

// The text fields sit in a strip above the other panels. Only one field can
// hold the keyboard at a time, so the strip is drawn last, straight onto the
// finished frame, after scripted input gave each focused field its state.
void BuildTextFields(Gallery& g) {
    g.text_panel = kit_CreatePanel("Text fields", 16, 100, 992, 46);
    g.text_panel->SetColorHex(kPanelColour);
    auto caption =
        kit_CreateLabel("Text fields title", "Text fields", 12, 8, 0, 0, 0, 0, g.text_panel);
    caption->SetTextColorHex("F08A24");
    caption->SetFont("Large");
    Note("Empty", 175, 16, g.text_panel);
    kit_CreateTextField("emptyT", "", 225, 11, 130, 24, 0, g.text_panel);
    Note("Text", 375, 16, g.text_panel);
    kit_CreateTextField("textT", "Crashmoor Newbie", 412, 11, 150, 24, 0, g.text_panel);
    Note("Focused", 582, 16, g.text_panel);
    g.focused_field = kit_CreateTextField("focusT", "", 642, 11, 120, 24, 0, g.text_panel);
    Note("Selection", 782, 16, g.text_panel);
    g.selection_field =
        kit_CreateTextField("selectT", "Big Dog match", 850, 11, 130, 24, 0, g.text_panel);
    // The field skin is dark: light text, as on the menus.
    for (const auto& child : g.text_panel->Children) {
        if (std::dynamic_pointer_cast<kit_TTextField>(child)) child->SetTextColor(255, 255, 255);
    }
}

void PushKey(SDL_Scancode key) {
    for (const bool down : {true, false}) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.scancode = key;
        SDL_PushEvent(&e);
    }
}

// One input step for the text field strip: no drawing and no cursor. The
// focused field reads the keyboard, as the kit's refresh would let it.
void StepTextFields(const Gallery& g, int x, int y, int held) {
    PushMouse(x, y, held);
    sys_poll_events();
    g.text_panel->Update(0, 0);
    if (const kit_GadgetRef focus = kit_GUI::GetFocusGadget()) focus->OnKeyboard();
}

// The screen x of a character boundary of a field of the strip.
int BoundaryX(const Gallery& g, const std::shared_ptr<kit_TTextField>& field, int chars) {
    gfx_set_font(field->Font);
    return static_cast<int>(g.text_panel->X + field->X) + 3 +
           gfx_text_width(field->GetText().substr(0, static_cast<std::size_t>(chars)));
}

// After the frame is finished: a drag selects "Dog" and the strip is drawn;
// then a click gives the focus to the "Focused" field, text is typed, the
// caret moves left three times, and that field is drawn again over its place.
void DrawTextFields(const Gallery& g) {
    const int y = static_cast<int>(g.text_panel->Y + g.selection_field->Y) + 12;
    StepTextFields(g, BoundaryX(g, g.selection_field, 4), y, 0);
    StepTextFields(g, BoundaryX(g, g.selection_field, 4), y, 1);
    StepTextFields(g, BoundaryX(g, g.selection_field, 7), y, 1);
    StepTextFields(g, BoundaryX(g, g.selection_field, 7), y, 0);
    g.text_panel->Draw(0, 0);

    const int fx = static_cast<int>(g.text_panel->X + g.focused_field->X) + 10;
    StepTextFields(g, fx, y, 1);
    StepTextFields(g, fx, y, 0);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::snprintf(text.text.text, sizeof text.text.text, "%s", "Player One");
    SDL_PushEvent(&text);
    StepTextFields(g, fx, y, 0);
    for (int i = 0; i < 3; ++i) {
        PushKey(SDL_SCANCODE_LEFT);
        StepTextFields(g, fx, y, 0);
    }
    g.focused_field->Draw(g.text_panel->X, g.text_panel->Y);
    // Enter ends the editing, so that the field leaves the keyboard alone.
    PushKey(SDL_SCANCODE_RETURN);
    StepTextFields(g, fx, y, 0);
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
    BuildTextFields(g);
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

// The second page: the list gadgets, closed and open, in the states that
// scripted input gives them.
struct ListsPage {
    std::shared_ptr<kit_TScreen> screen;
    std::shared_ptr<kit_TScrollBox> box;
    std::shared_ptr<kit_TTable> table;
    std::shared_ptr<kit_TSlider> music;
    std::shared_ptr<kit_TLabel> music_value;
    std::shared_ptr<kit_TComboBox> chosen;
    std::shared_ptr<kit_TComboBox> dropped;
    std::shared_ptr<kit_TComboBox> upwards;
};

void BuildTable(ListsPage& p) {
    const auto panel = Panel(p.screen, "Table", 16, 100, 496, 320);
    p.table = kit_CreateTable("resultsT", 20, 45, 255, "Contestant", 200, 18, 1, panel);
    for (const char* title : {"Kills", "Deaths", "Points"}) p.table->AddColumn(title, 70);
    p.table->SetColor(58, 55, 55, 0);
    p.table->SetTextColor(220, 214, 208, 0);
    p.table->SetColorHex("F08A24", 1);
    p.table->SetTextColor(255, 255, 255, 1);
    p.table->SetColor(30, 28, 28, 2);
    p.table->SetTextColorHex("F08A24", 2);
    const char* const names[] = {"Big Dog",      "Rustbucket", "Moorhen",     "Crash Test",
                                 "Mudlark",      "Bogtrotter", "Sidewinder",  "Peat Boy",
                                 "Hardshoulder", "Wrecker",    "Gravel Gert", "Skid Row",
                                 "Tarmac Tim",   "Player"};
    int i = 0;
    for (const char* name : names) {
        const int kills = 14 - i, deaths = i % 5;
        p.table->AddRow({name, str_from_int(kills), str_from_int(deaths),
                         str_from_int(kills * 10 - deaths * 5)});
        ++i;
    }
}

void BuildScrollBox(ListsPage& p) {
    const auto panel = Panel(p.screen, "Scroll box", 528, 100, 480, 320);
    auto box = kit_CreateScrollBox("scrollS", 20, 45, 300, 255, 3, 560, 460, panel);
    p.box = box;
    box->SetColorHex("F08A24");
    Note("Content 560 x 460 pixels,", 10, 10, box);
    Note("scrolled by both bars", 10, 30, box);
    kit_CreateImage("scrollJeep", "Sprites/jeep.png", 150, 60, 240, 160, box);
    for (int k = 0; k < 6; ++k) {
        kit_CreateButton("scrollB" + str_from_int(k), "Button " + str_from_int(k + 1),
                         20.0f + 180 * (k % 3), 240.0f + 50 * (k / 3), 150, 25, box);
    }
    box->HScroll->SetValue(70);
    Note("Style 1: outline", 340, 45, panel);
    Note("Style 2: filled", 340, 75, panel);
    auto filled = kit_CreateScrollBox("filledS", 340, 100, 120, 90, 1, 0, 200, panel);
    filled->SetBorderStyle(2);
    filled->SetColor(90, 86, 86);
    Note("One bar", 10, 10, filled);
    Note("only", 10, 30, filled);
}

void BuildSliders(ListsPage& p) {
    const auto panel = Panel(p.screen, "Sliders and scroll bars", 16, 436, 496, 316);
    Note("Graphic detail", 20, 50, panel);
    kit_CreateSlider("gfx slider", 140, 50, 150, 1, 0, 2, 1, panel)->SetValue(1);
    Note("1 of 0 to 2", 310, 50, panel);
    Note("Sound effects", 20, 90, panel);
    kit_CreateSlider("sfx slider", 140, 90, 150, 1, 0, 9, 1, panel)->SetValue(12);
    Note("9: set to 12", 310, 90, panel);
    Note("Music (dragged)", 20, 130, panel);
    p.music = kit_CreateSlider("music slider", 140, 130, 150, 1, 0, 9, 1, panel);
    p.music_value = Note("", 310, 130, panel);
    Note("Vertical", 400, 50, panel);
    kit_CreateSlider("vSlider", 420, 75, 120, 0, 0, 10, 1, panel)->SetValue(7);
    Note("Scroll bars", 20, 175, panel);
    kit_CreateScrollBar("hBar", 20, 200, 300, 1, 400, 100, panel)->SetValue(150);
    kit_CreateScrollBar("hFull", 20, 230, 300, 1, 100, 100, panel);
    Note("All visible", 330, 230, panel);
    kit_CreateScrollBar("vBar", 460, 75, 200, 0, 238, 190, panel)->SetValue(48);
}

void BuildCombos(ListsPage& p) {
    const auto panel = Panel(p.screen, "Combo boxes and menus", 528, 436, 480, 316);
    Note("Prompt", 20, 50, panel);
    auto prompt =
        kit_CreateComboBox("mapcombo", "Select a map", 100, 45, 150, 24, 150, 200, 18, panel);
    prompt->AddItem("Bog Standard");
    Note("Chosen", 20, 100, panel);
    p.chosen =
        kit_CreateComboBox("gametypecombo", "Game type", 100, 95, 150, 24, 150, 200, 18, panel);
    for (const char* type : {"Deathmatch", "Team deathmatch", "Capture the flag", "Last man"}) {
        p.chosen->AddItem(type);
    }
    Note("Open", 20, 150, panel);
    p.dropped =
        kit_CreateComboBox("vehiclecombo", "Vehicle", 100, 145, 150, 24, 150, 200, 18, panel);
    for (const char* car : {"Car", "Jeep", "Sports car", "Concept car", "Truck"}) {
        p.dropped->AddItem(car);
    }
    p.dropped->Select(1);
    Note("Opens upwards near", 290, 210, panel);
    Note("the screen's bottom", 290, 230, panel);
    p.upwards =
        kit_CreateComboBox("playerteamcombo", "Team", 290, 270, 150, 24, 150, 200, 18, panel);
    for (int t = 1; t <= 12; ++t) p.upwards->AddItem("Team " + str_from_int(t), t);
    // The lists in the panels' colours (the kit's default rows are white).
    for (const auto& combo : {prompt, p.chosen, p.dropped, p.upwards}) {
        combo->Menu->Table->SetColor(58, 55, 55, 0);
        combo->Menu->Table->SetTextColor(220, 214, 208, 0);
    }
}

// One frame of the page with the mouse at (x, y).
void ListsFrame(const ImageHandle& backdrop, int x, int y, int held) {
    PushMouse(x, y, held);
    gfx_flip(0);
    DrawFrame(backdrop);
    while (kit_PollEvent()) {
    }
}

void ListsClick(const ImageHandle& backdrop, int x, int y) {
    ListsFrame(backdrop, x, y, 1);
    ListsFrame(backdrop, x, y, 0);
}

// Scripts the page's input, draws it and appends its pixels below `pixels`.
// False when a gadget did not end in the state the picture shows.
bool DrawListsPage(const ImageHandle& backdrop, std::vector<std::uint32_t>& pixels) {
    ListsPage p;
    p.screen = kit_CreateScreen("Lists", "The list gadgets");
    BuildTable(p);
    BuildScrollBox(p);
    BuildSliders(p);
    BuildCombos(p);
    kit_SetScreen("Lists");
    ListsFrame(backdrop, 700, 60, 0);

    // The table: two clicks on the down arrow of its bar, then a row.
    const auto& bar = p.table->ScrollBar;
    const int ax = bar->GetAbsoluteX() + 7, ay = bar->GetAbsoluteY() + static_cast<int>(bar->H) - 7;
    ListsClick(backdrop, ax, ay);
    ListsClick(backdrop, ax, ay);
    ListsClick(backdrop, p.table->GetAbsoluteX() + 60, p.table->GetAbsoluteY() + 21 + 3 * 20 + 9);

    // The scroll box's content follows its vertical knob, dragged 30 pixels.
    const auto& vbar = p.box->VScroll;
    const int vx = vbar->GetAbsoluteX() + 7;
    const int vy = vbar->GetParent()->GetAbsoluteY() + static_cast<int>(vbar->KnobPos) + 20;
    ListsFrame(backdrop, vx, vy, 1);
    ListsFrame(backdrop, vx, vy + 30, 1);
    ListsFrame(backdrop, vx, vy + 30, 0);

    // The music slider's knob dragged from 0 to 4.
    const int kx = p.music->GetParent()->GetAbsoluteX() + p.music->KnobPos + 7;
    const int ky = p.music->GetAbsoluteY() + 7;
    ListsFrame(backdrop, kx, ky, 1);
    ListsFrame(backdrop, kx + static_cast<int>(4 * p.music->PixelsPerUnit), ky, 1);
    ListsFrame(backdrop, kx + static_cast<int>(4 * p.music->PixelsPerUnit), ky, 0);
    p.music_value->SetText(str_from_int(p.music->GetValue()));

    // A choice through the menu of "Chosen", then the upward menu opened
    // by a click and the other one by the program; the pointer rests on a
    // row of the open list.
    const int cx = p.chosen->GetAbsoluteX() + 60, cy = p.chosen->GetAbsoluteY() + 12;
    ListsClick(backdrop, cx, cy);
    ListsClick(backdrop, cx, static_cast<int>(p.chosen->Menu->Y) + 5 + 2 * 20 + 9);
    ListsClick(backdrop, p.upwards->GetAbsoluteX() + 60, p.upwards->GetAbsoluteY() + 12);
    p.dropped->OpenMenu(p.dropped->GetAbsoluteX(),
                        p.dropped->GetAbsoluteY() + static_cast<int>(p.dropped->H) + 2);
    kit_GUI::ReleaseCapture();
    const auto& up = p.upwards->Menu;
    ListsFrame(backdrop, static_cast<int>(up->X) + 60, static_cast<int>(up->Y) + 5 + 3 * 20 + 9, 0);

    const bool ok = p.table->GetSelectedIndex() == 5 && p.music->GetValue() == 4 &&
                    p.box->OffsetY == -vbar->GetValue() && vbar->GetValue() > 0 &&
                    p.chosen->GetSelectedText() == "Capture the flag" && up->Hidden == 0 &&
                    up->Y < p.upwards->GetAbsoluteY() && p.dropped->Menu->Hidden == 0;
    const std::vector<std::uint32_t> page = gfx_read_pixels(0, 0, 1024, 768);
    pixels.insert(pixels.end(), page.begin(), page.end());
    return ok;
}

// The third page: date pickers and search boxes, closed and open.
struct PickersPage {
    std::shared_ptr<kit_TScreen> screen;
    std::shared_ptr<kit_TDate> chosen_date;
    std::shared_ptr<kit_TDate> open_date;
    std::shared_ptr<kit_TSearchBox> chosen_search;
    std::shared_ptr<kit_TSearchBox> open_search;
};

// The pop-ups in the panels' colours, as the combo boxes' lists.
void DarkTable(const std::shared_ptr<kit_TTable>& table) {
    table->SetColor(58, 55, 55, 0);
    table->SetTextColor(220, 214, 208, 0);
}

void DarkDate(const std::shared_ptr<kit_TDate>& date) {
    DarkTable(date->Panel->Days);
    for (const auto& box : {date->Panel->MonthBox, date->Panel->YearBox}) {
        DarkTable(box->Menu->Table);
    }
}

void BuildDates(PickersPage& p) {
    const auto panel = Panel(p.screen, "Date pickers", 16, 100, 496, 652);
    Note("Never set", 20, 50, panel);
    DarkDate(kit_CreateDate("emptyD", 140, 45, 160, 24, 2000, 2030, panel));
    Note("Chosen by clicks", 20, 100, panel);
    p.chosen_date = kit_CreateDate("chosenD", 140, 95, 160, 24, 2000, 2030, panel);
    DarkDate(p.chosen_date);
    Note("Open", 20, 150, panel);
    Note("March 2008 starts on a Saturday: it needs six weeks.", 20, 380, panel);
    p.open_date = kit_CreateDate("openD", 140, 145, 160, 24, 2000, 2030, panel);
    p.open_date->SetDateDMY(1, 3, 2008);
    DarkDate(p.open_date);
}

void FindDrivers(kit_TSearchBox& box, const std::string& text) {
    box.ClearResults();
    const char* const names[] = {"Big Dog", "Rustbucket", "Moorhen",     "Crash Test",
                                 "Mudlark", "Bogtrotter", "Sidewinder",  "Peat Boy",
                                 "Wrecker", "Skid Row",   "Gravel Gert", "Tarmac Tim"};
    int data = 0;
    for (const char* name : names) {
        if (str_contains(str_lower(name), str_lower(text))) box.AddResult(name, data);
        ++data;
    }
}

void BuildSearches(PickersPage& p) {
    const auto panel = Panel(p.screen, "Search boxes", 528, 100, 480, 652);
    Note("Nothing chosen", 20, 50, panel);
    kit_CreateSearchBox("noneS", 150, 45, 200, 24, 0, 0, 18, -1, panel);
    Note("Chosen by a search", 20, 100, panel);
    p.chosen_search = kit_CreateSearchBox("chosenS", 150, 95, 200, 24, 0, 0, 18, -1, panel);
    Note("Open: \"r\" searched", 20, 150, panel);
    p.open_search = kit_CreateSearchBox("openS", 150, 145, 240, 24, 0, 230, 18, -1, panel);
    for (const auto& box : {p.chosen_search, p.open_search}) {
        box->SetSearchCallback(FindDrivers);
        DarkTable(box->Panel->Results);
        box->Panel->SearchField->SetTextColor(255, 255, 255);
    }
}

// Clicks into a search pop-up's field, types `text` and confirms it.
void SearchFor(const ImageHandle& backdrop, const std::shared_ptr<kit_TSearchBox>& box,
               const char* text) {
    const auto& popup = box->Panel;
    const int fx = static_cast<int>(popup->X + popup->SearchField->X) + 20;
    const int fy = static_cast<int>(popup->Y + popup->SearchField->Y) + 10;
    ListsClick(backdrop, fx, fy);
    SDL_Event typed{};
    typed.type = SDL_TEXTINPUT;
    std::snprintf(typed.text.text, sizeof typed.text.text, "%s", text);
    SDL_PushEvent(&typed);
    ListsFrame(backdrop, fx, fy, 0);
    PushKey(SDL_SCANCODE_RETURN);
    ListsFrame(backdrop, fx, fy, 0);
}

// Scripts the page's input, draws it and appends its pixels below `pixels`.
// False when a gadget did not end in the state the picture shows.
bool DrawPickersPage(const ImageHandle& backdrop, std::vector<std::uint32_t>& pixels) {
    PickersPage p;
    p.screen = kit_CreateScreen("Pickers", "Date pickers and search boxes");
    BuildDates(p);
    BuildSearches(p);
    kit_SetScreen("Pickers");
    // The menus left open on the page before are floating: they would be
    // drawn here too, and would take the first presses to close.
    for (const auto& popup : kit_GUI::GetFloatingList()) popup->Hide();
    kit_GUI::ReleaseCapture();
    ListsFrame(backdrop, 700, 60, 0);

    // A date chosen through its calendar: March 2010, the 17th.
    const auto& calendar = p.chosen_date->Panel;
    ListsClick(backdrop, p.chosen_date->GetAbsoluteX() + 60, p.chosen_date->GetAbsoluteY() + 12);
    calendar->MonthBox->Select(2);
    calendar->YearBox->Select(10);
    ListsFrame(backdrop, 700, 60, 0);
    ListsClick(backdrop, static_cast<int>(calendar->X) + 5 + 3 * 25 + 11,
               static_cast<int>(calendar->Y) + 50 + 2 * 20 + 9);

    // A search result chosen by a click.
    const auto& found = p.chosen_search->Panel;
    ListsClick(backdrop, p.chosen_search->GetAbsoluteX() + 60,
               p.chosen_search->GetAbsoluteY() + 12);
    SearchFor(backdrop, p.chosen_search, "moor");
    ListsClick(backdrop, static_cast<int>(found->X) + 60, static_cast<int>(found->Y) + 30 + 9);

    // The open search box, searched, with the pointer resting on a result;
    // the calendar opened by the program beside it, showing its date's
    // month.
    const auto& open = p.open_search->Panel;
    ListsClick(backdrop, p.open_search->GetAbsoluteX() + 60, p.open_search->GetAbsoluteY() + 12);
    SearchFor(backdrop, p.open_search, "r");
    const auto& shown = p.open_date->Panel;
    p.open_date->OpenPanel(p.open_date->GetAbsoluteX(),
                           p.open_date->GetAbsoluteY() + static_cast<int>(p.open_date->H) + 2);
    kit_GUI::ReleaseCapture();
    shown->MonthBox->Select(2);
    shown->YearBox->Select(8);
    // Two frames: the calendar refills its days in the first one's update.
    const int rx = static_cast<int>(open->X) + 60, ry = static_cast<int>(open->Y) + 30 + 2 * 20 + 9;
    ListsFrame(backdrop, rx, ry, 0);
    ListsFrame(backdrop, rx, ry, 0);

    const bool ok = p.chosen_date->DateText == "17 March 2010" && calendar->Hidden == 1 &&
                    p.chosen_search->GetDisplayText() == "Moorhen" &&
                    p.chosen_search->GetSelectedData() == 2 && found->Hidden == 1 &&
                    open->Hidden == 0 && open->Results->RowCount() == 10 && shown->Hidden == 0 &&
                    shown->Days->CellText(0, 6) == "1" && shown->Days->CellText(5, 1) == "31";
    const std::vector<std::uint32_t> page = gfx_read_pixels(0, 0, 1024, 768);
    pixels.insert(pixels.end(), page.begin(), page.end());
    return ok;
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
        // the held button and its cursor over it. A frame draws what the
        // frame before found under the pointer: the first frame finds the
        // button, the second draws it lit; the press is taken before the
        // pressed button's only frame.
        PushMouse(g.hover->GetAbsoluteX() + 60, g.hover->GetAbsoluteY() + 12, 0);
        sys_poll_events();
        DrawFrame(backdrop);
        DrawFrame(backdrop);
        kit_SetScreen("Pressed");
        PushMouse(static_cast<int>(g.pressed->X) + 70, static_cast<int>(g.pressed->Y) + 14, 1);
        sys_poll_events();
        g.pressed->Update(0, 0);
        kit_Refresh();
        if (kit_GUI::GetCaptureGadget() != g.pressed) {
            std::fprintf(stderr, "gui_gallery: the pressed button did not take the mouse\n");
            code = 1;
        }
        // Let the button go so that the text fields can take the mouse.
        PushMouse(static_cast<int>(g.pressed->X) + 70, static_cast<int>(g.pressed->Y) + 14, 0);
        sys_poll_events();
        g.pressed->Update(0, 0);
        DrawTextFields(g);
        if (g.focused_field->GetText() != "Player One" || g.focused_field->Caret != 7 ||
            g.selection_field->GetSelectedText() != "Dog") {
            std::fprintf(stderr, "gui_gallery: the text fields did not take their input\n");
            code = 1;
        }
        // The list gadgets fill a second page, below the first.
        std::vector<std::uint32_t> pixels = gfx_read_pixels(0, 0, 1024, 768);
        if (!DrawListsPage(backdrop, pixels)) {
            std::fprintf(stderr, "gui_gallery: the list gadgets did not take their input\n");
            code = 1;
        }
        // The date pickers and search boxes, a third page.
        if (!DrawPickersPage(backdrop, pixels)) {
            std::fprintf(stderr, "gui_gallery: the pickers did not take their input\n");
            code = 1;
        }
        if (pix_save_png(1024, 3 * 768, pixels.data(), out) != 1) {
            std::fprintf(stderr, "gui_gallery: could not write %s\n", out.c_str());
            code = 1;
        }
        kit_Shutdown();
    }
    return code;
}
