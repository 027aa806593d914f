#include "gui/screen.h"

#include "gui/gui.h"
#include "gui/panel.h"
#include "gui/support.h"

void kit_TScreen::DrawAll() {
    const std::vector<kit_GadgetRef> gadgets = Gadgets;
    for (const auto& gadget : gadgets) gadget->Draw(0.0f, 0.0f);
}

void kit_TScreen::UpdateAll() {
    const std::vector<kit_GadgetRef> gadgets = Gadgets;
    for (auto it = gadgets.rbegin(); it != gadgets.rend(); ++it) (*it)->Update(0, 0);
}

void kit_TScreen::AddGadget(const kit_GadgetRef& gadget) {
    if (gadget) Gadgets.push_back(gadget);
}

std::shared_ptr<kit_TPanel> kit_TScreen::FindPanel(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (const auto& gadget : Gadgets) {
        auto panel = std::dynamic_pointer_cast<kit_TPanel>(gadget);
        if (panel && kit_SameName(panel->Name, name)) return panel;
    }
    return nullptr;
}

kit_ScreenRef kit_TScreen::Create(const std::string& name, const std::string& caption) {
    auto screen = std::make_shared<kit_TScreen>();
    screen->Name = name;
    screen->Caption = caption;
    kit_GUI::AddScreen(screen);
    return screen;
}
