#include "gui/gui.h"

#include <algorithm>
#include <utility>

#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/log.h"
#include "gui/event.h"
#include "gui/gui_detail.h"
#include "gui/panel.h"
#include "gui/screen.h"
#include "gui/state.h"
#include "gui/support.h"

namespace kit_detail {

KitModule& Module() {
    static KitModule module;
    return module;
}

void ReportMissingFile(const std::string& path) {
    if (!Module().ReportedFiles.insert(path).second) return;
    log_message("GUI file missing or unreadable: " + path, 2);
}

}  // namespace kit_detail

using kit_detail::Module;

namespace {

// What the pointer did since the previous refresh: whether a press began
// and how far the wheel turned.
void ReadPointer(kit_detail::KitModule& m) {
    const bool down = in_mouse_down(1) != 0;
    m.PressBegan = down && !m.MouseWasDown;
    m.MouseWasDown = down;
    const int z = in_mouse_z();
    m.Wheel = z - m.LastMouseZ;
    m.LastMouseZ = z;
}

// A press that the focused gadget did not take ends its focus (the press
// goes on to act on what it landed on), and so does leaving the screen;
// otherwise the focused gadget reads the keyboard, wherever the pointer is.
void SettleFocus(kit_detail::KitModule& m) {
    const kit_GadgetRef focus = m.FocusGadget;
    if (!focus) return;
    if ((m.PressBegan && m.CaptureGadget != focus) || !kit_GUI::IsShown(*focus)) {
        kit_GUI::SetFocus(nullptr);
        return;
    }
    focus->OnKeyboard();
}

}  // namespace

void kit_GUI::Initialise() {
    auto& m = Module();
    m = kit_detail::KitModule{};
    // The wheel and the button count from where they are now.
    m.MouseWasDown = in_mouse_down(1) != 0;
    m.LastMouseZ = in_mouse_z();
}

void kit_GUI::Shutdown() {
    Initialise();
}

void kit_GUI::DrawFloating() {
    const std::vector<kit_GadgetRef> floating = Module().FloatingList;
    for (const auto& gadget : floating) gadget->Draw(0.0f, 0.0f);
}

void kit_GUI::UpdateFloating() {
    const std::vector<kit_GadgetRef> floating = Module().FloatingList;
    for (auto it = floating.rbegin(); it != floating.rend(); ++it) (*it)->Update(0, 0);
}

void kit_GUI::AddPanel(const std::shared_ptr<kit_TPanel>& panel) {
    if (panel) Module().PanelList.push_back(panel);
}

void kit_GUI::Refresh() {
    auto& m = Module();
    // Every gadget draws with its own parameters and puts back what it set;
    // this keeps the promise for gadgets made outside the kit as well.
    const GfxStateGuard keep;
    const kit_FontScope keepFont(gfx_get_font());
    ReadPointer(m);
    m.CursorState = 0;
    // Everything is drawn before anything is updated: a change made by an
    // update shows in the next frame. The drawing still knows the previous
    // frame's mouse-over gadget (a button under the pointer is lit).
    const std::shared_ptr<kit_TScreen> screen = m.CurrentScreen;
    if (screen) screen->DrawAll();
    DrawFloating();
    m.MouseOverGadget.reset();
    m.MousePanel.reset();
    UpdateFloating();
    if (screen) screen->UpdateAll();
    SettleFocus(m);
    DrawCursor();
}

void kit_GUI::DrawCursor() {
    auto& m = Module();
    if (m.UseSystemPointer && m.SystemPointerAllowed && m.CursorState == 0) {
        in_show_mouse();
        return;
    }
    in_hide_mouse();
    const int state = std::clamp(m.CursorState, 0, 2);
    const int x = in_mouse_x() - (state == 0 ? 0 : 5);
    // White at full alpha: the image's own colours.
    gfx_draw_image_with(m.CursorImages[static_cast<std::size_t>(state)], x, in_mouse_y(), 0,
                        DrawParams{});
}

void kit_GUI::SetSkin(const std::string& path) {
    Module().SkinPath = path;
    kit_LoadRegisteredSkins();
    LoadCursors();
}

void kit_GUI::LoadCursors() {
    static const char* const files[3] = {"/graphics/cursors/normal.png",
                                         "/graphics/cursors/mouseover.png",
                                         "/graphics/cursors/mousedown.png"};
    for (std::size_t i = 0; i < 3; ++i) {
        Module().CursorImages[i] = kit_LoadSkinImage(kit_SkinFile(files[i]), -1);
    }
}

void kit_GUI::SetResolution(int width, int height, int systemPointerAllowed) {
    auto& m = Module();
    m.ScreenWidth = width;
    m.ScreenHeight = height;
    m.SystemPointerAllowed = systemPointerAllowed;
}

int kit_GUI::GetWidth() {
    return Module().ScreenWidth;
}

int kit_GUI::GetHeight() {
    return Module().ScreenHeight;
}

void kit_GUI::SetScreen(const std::shared_ptr<kit_TScreen>& screen) {
    if (!screen) {
        con_print("What the fuck?");
        return;
    }
    Module().CurrentScreen = screen;
    // The wheel turned while the kit was not refreshed (during a match) is
    // not for the screen now shown.
    Module().LastMouseZ = in_mouse_z();
}

std::shared_ptr<kit_TScreen> kit_GUI::FindScreen(const std::string& name) {
    for (const auto& screen : Module().ScreenList) {
        if (kit_SameName(screen->Name, name)) return screen;
    }
    return nullptr;
}

void kit_GUI::AddScreen(const std::shared_ptr<kit_TScreen>& screen) {
    if (screen) Module().ScreenList.push_back(screen);
}

std::shared_ptr<kit_TPanel> kit_GUI::FindPanel(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const auto& panel : Module().PanelList) {
        if (kit_SameName(panel->Name, name)) return panel;
    }
    return nullptr;
}

void kit_GUI::AddFloating(const kit_GadgetRef& gadget) {
    if (gadget) Module().FloatingList.push_back(gadget);
}

bool kit_GUI::MayUseMouse(const kit_GadgetRef& gadget) {
    const kit_GadgetRef& capture = Module().CaptureGadget;
    return !capture || capture == gadget;
}

void kit_GUI::ReleaseCapture() {
    Module().CaptureGadget.reset();
}

void kit_GUI::SetCapture(const kit_GadgetRef& gadget) {
    Module().CaptureGadget = gadget;
}

bool kit_GUI::CaptureWithin(const kit_TGadget& gadget) {
    for (kit_GadgetRef at = Module().CaptureGadget; at; at = at->GetParent()) {
        if (at.get() == &gadget) return true;
    }
    return false;
}

void kit_GUI::SetFocus(const kit_GadgetRef& gadget) {
    auto& m = Module();
    if (m.FocusGadget == gadget) return;
    const kit_GadgetRef previous = std::exchange(m.FocusGadget, gadget);
    if (previous) previous->OnFocusLost();
}

bool kit_GUI::IsShown(const kit_TGadget& gadget) {
    if (gadget.Hidden) return false;
    kit_GadgetRef top;
    for (kit_GadgetRef at = gadget.GetParent(); at; at = at->GetParent()) {
        if (at->Hidden) return false;
        top = at;
    }
    const kit_TGadget* root = top ? top.get() : &gadget;
    const auto same = [root](const kit_GadgetRef& g) { return g.get() == root; };
    const auto& m = Module();
    if (std::any_of(m.FloatingList.begin(), m.FloatingList.end(), same)) return true;
    return m.CurrentScreen &&
           std::any_of(m.CurrentScreen->Gadgets.begin(), m.CurrentScreen->Gadgets.end(), same);
}

int kit_GUI::TakeWheel() {
    return std::exchange(Module().Wheel, 0);
}

void kit_GUI::ClaimMouseOver(const kit_GadgetRef& gadget, int x, int y) {
    auto& m = Module();
    if (m.MouseOverGadget) return;
    m.MouseOverGadget = gadget;
    kit_TEvent::Create(kit_EventMouseOver, gadget, 0, x, y, nullptr);
}

void kit_GUI::SetMousePanel(const std::shared_ptr<kit_TPanel>& panel) {
    Module().MousePanel = panel;
}

bool kit_GUI::PanelMayUpdate(const kit_TPanel& panel) {
    const std::shared_ptr<kit_TPanel>& claimer = Module().MousePanel;
    return !claimer || claimer.get() == &panel || claimer == panel.GetParent();
}

void kit_GUI::SetCursorState(int state) {
    Module().CursorState = state;
}

void kit_GUI::SetSystemPointer(int flag) {
    Module().UseSystemPointer = flag;
}

void kit_GUI::LoadFont(const std::string& name, const std::string& file, int size) {
    if (name.empty()) return;
    Module().FontList.push_back(
        kit_TFont::Create(name, Module().SkinPath + "/Fonts/" + file, size));
}

FontHandle kit_GUI::GetFont(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const auto& font : Module().FontList) {
        if (kit_SameName(font->Name, name)) return font->Font;
    }
    return nullptr;
}

const std::string& kit_GUI::GetSkinPath() {
    return Module().SkinPath;
}

std::shared_ptr<kit_TScreen> kit_GUI::GetCurrentScreen() {
    return Module().CurrentScreen;
}

kit_GadgetRef kit_GUI::GetCaptureGadget() {
    return Module().CaptureGadget;
}

kit_GadgetRef kit_GUI::GetFocusGadget() {
    return Module().FocusGadget;
}

kit_GadgetRef kit_GUI::GetMouseOverGadget() {
    return Module().MouseOverGadget;
}

std::shared_ptr<kit_TPanel> kit_GUI::GetMousePanel() {
    return Module().MousePanel;
}

int kit_GUI::GetCursorState() {
    return Module().CursorState;
}

const std::vector<kit_GadgetRef>& kit_GUI::GetFloatingList() {
    return Module().FloatingList;
}

const ImageHandle& kit_GUI::GetCursorImage(int state) {
    return Module().CursorImages[static_cast<std::size_t>(std::clamp(state, 0, 2))];
}
