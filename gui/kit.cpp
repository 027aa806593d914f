#include "gui/kit.h"

#include "gui/gui_detail.h"

using kit_detail::Module;

void kit_Initialise() {
    kit_GUI::Initialise();
}

void kit_Shutdown() {
    kit_GUI::Shutdown();
}

void kit_SetResolution(int width, int height, int systemPointerAllowed) {
    kit_GUI::SetResolution(width, height, systemPointerAllowed);
}

void kit_SetSystemPointer(int flag) {
    kit_GUI::SetSystemPointer(flag);
}

void kit_SetSkin(const std::string& path) {
    kit_GUI::SetSkin(path);
}

void kit_LoadFont(const std::string& name, const std::string& file, int size) {
    kit_GUI::LoadFont(name, file, size);
}

FontHandle kit_GetFont(const std::string& name) {
    return kit_GUI::GetFont(name);
}

std::shared_ptr<kit_TScreen> kit_CreateScreen(const std::string& name, const std::string& caption) {
    if (name.empty()) return nullptr;
    return kit_TScreen::Create(name, caption);
}

void kit_SetScreen(const std::string& name) {
    const std::shared_ptr<kit_TScreen> screen = kit_GUI::FindScreen(name);
    kit_GUI::SetScreen(screen);
    kit_TEvent::Create(kit_EventSetScreen, nullptr, 0, 0, 0, screen);
}

std::string kit_CurrentScreenName() {
    const auto screen = kit_GUI::GetCurrentScreen();
    return screen ? screen->GetName() : std::string();
}

std::string kit_CurrentScreenCaption() {
    const auto screen = kit_GUI::GetCurrentScreen();
    return screen ? screen->GetCaption() : std::string();
}

std::shared_ptr<kit_TPanel> kit_FindPanel(const std::string& name) {
    return kit_GUI::FindPanel(name);
}

void kit_HidePanel(const std::string& name) {
    if (const auto panel = kit_GUI::FindPanel(name)) panel->Hide();
}

void kit_ShowPanel(const std::string& name) {
    if (const auto panel = kit_GUI::FindPanel(name)) panel->Show();
}

kit_GadgetRef kit_FindGadget(const std::string& path, const kit_GadgetRef& root) {
    const std::vector<std::string> parts = kit_SplitString(path, "/");
    std::size_t next = 0;
    kit_GadgetRef gadget = root;
    if (!gadget) {
        gadget = kit_GUI::FindPanel(parts[0]);
        next = 1;
    }
    for (; gadget && next < parts.size(); ++next) gadget = gadget->FindChild(parts[next]);
    return gadget;
}

void kit_Refresh() {
    kit_GUI::Refresh();
}

void kit_PostEvent(int id, const kit_GadgetRef& source, int data, int x, int y,
                   const kit_ObjectRef& extra) {
    kit_TEvent::Create(id, source, data, x, y, extra);
}

int kit_PollEvent() {
    auto& m = Module();
    if (m.EventQueue.empty()) return 0;
    m.CurrentEvent = m.EventQueue.front();
    m.EventQueue.pop_front();
    return m.CurrentEvent->ID;
}

int kit_EventCount() {
    return static_cast<int>(Module().EventQueue.size());
}

int kit_EventID() {
    const auto& e = Module().CurrentEvent;
    return e ? e->ID : 0;
}

int kit_EventData() {
    const auto& e = Module().CurrentEvent;
    return e ? e->Data : 0;
}

int kit_EventX() {
    const auto& e = Module().CurrentEvent;
    return e ? e->X : 0;
}

int kit_EventY() {
    const auto& e = Module().CurrentEvent;
    return e ? e->Y : 0;
}

kit_GadgetRef kit_EventSource() {
    const auto& e = Module().CurrentEvent;
    return e ? e->Source : nullptr;
}

kit_ObjectRef kit_EventExtra() {
    const auto& e = Module().CurrentEvent;
    return e ? e->Extra : nullptr;
}

std::string kit_EventSourceName() {
    const auto& e = Module().CurrentEvent;
    return e && e->Source ? e->Source->Name : std::string();
}

std::string kit_EventText() {
    const auto& e = Module().CurrentEvent;
    return e ? e->ToString() : std::string();
}
