#pragma once
// The kit's module-wide values, shared by the kit's own sources only.

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/image.h"
#include "gui/event.h"
#include "gui/font.h"
#include "gui/gadget.h"
#include "gui/skin.h"
#include "gui/state.h"

class kit_TPanel;
class kit_TScreen;

namespace kit_detail {

struct KitModule {
    std::string SkinPath;
    std::vector<std::shared_ptr<kit_TScreen>> ScreenList;
    std::vector<std::shared_ptr<kit_TPanel>> PanelList;
    std::vector<kit_GadgetRef> FloatingList;
    std::vector<std::shared_ptr<kit_TFont>> FontList;
    std::shared_ptr<kit_TScreen> CurrentScreen;
    kit_GadgetRef CaptureGadget;
    kit_GadgetRef FocusGadget;
    kit_GadgetRef MouseOverGadget;
    std::shared_ptr<kit_TPanel> MousePanel;
    int ScreenWidth = 800;
    int ScreenHeight = 600;
    int SystemPointerAllowed = 0;
    int UseSystemPointer = 0;
    // The pointer as the previous refresh saw it, and what changed since.
    bool MouseWasDown = false;
    bool PressBegan = false;
    int LastMouseZ = 0;
    int Wheel = 0;  ///< notches of this frame not yet taken by a gadget
    std::array<ImageHandle, 3> CursorImages;
    int CursorState = 0;
    std::deque<std::shared_ptr<kit_TEvent>> EventQueue;
    std::shared_ptr<kit_TEvent> CurrentEvent;
    std::vector<kit_State> StateStack;
    /// Skin images of each skinned class, by skin slot.
    std::array<kit_Skin, kit_SkinSlotCount> Skins;
    /// Files already reported missing (each is reported once).
    std::set<std::string> ReportedFiles;
    // The frame counter.
    int FramesThisSecond = 0;
    std::int64_t NextSecond = 0;
    int CurrentFPS = 0;
    int TotalFrames = 0;
};

KitModule& Module();

/// Reports a missing file once on the console (through the engine's log
/// sink), naming its path.
void ReportMissingFile(const std::string& path);

}  // namespace kit_detail
