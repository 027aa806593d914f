#pragma once
// The kit's module: screens, panels, pop-ups, fonts, the mouse capture and
// mouse-over rules, the keyboard focus, the wheel, the cursor and the
// per-frame refresh. The module-level `kit_` functions of gui/kit.h are thin
// wrappers around these.
//
// The mouse capture belongs to the gadget being pressed (or dragged) until
// the button goes up; it then hears of the release wherever the pointer is.
// The keyboard focus belongs to one gadget (a text field being edited) until
// a press begins that it does not take, another gadget takes the focus, or
// it is no longer shown; while it has the focus it reads the keyboard once a
// frame wherever the pointer is, and the mouse stays free for every gadget.
//
// The kit reads input only through the engine's polled input and draws
// only through the engine, so it runs headless.

#include <memory>
#include <string>
#include <vector>

#include "engine/font.h"
#include "engine/image.h"
#include "gui/gadget.h"

class kit_TPanel;
class kit_TScreen;

class kit_GUI {
public:
    /// Module initialisation: every list, the event queue, the skins, the
    /// cursors and the counters back to their initial values. Run once
    /// before any other kit call; a test runs it to start afresh.
    static void Initialise();
    /// Drops every gadget, screen, image and font the kit holds, so that none
    /// outlives the engine.
    static void Shutdown();

    // Class functions, in the kit's slot order.
    /// Draws the pop-ups in list order.
    static void DrawFloating();
    /// Updates the pop-ups, the one added last first.
    static void UpdateFloating();
    static void AddPanel(const std::shared_ptr<kit_TPanel>& panel);
    /// One GUI frame: draw the current screen and the pop-ups, update the
    /// pop-ups and then the screen from the top down, settle the keyboard
    /// focus and let the focused gadget read the keyboard, draw the cursor.
    /// Without a current screen only the pop-ups and the cursor take part.
    static void Refresh();
    static void DrawCursor();
    /// Sets the skin folder and reloads every registered skin (see
    /// gui/skin.h), then the cursors.
    static void SetSkin(const std::string& path);
    static void LoadCursors();
    static void SetResolution(int width, int height, int systemPointerAllowed);
    static int GetWidth();
    static int GetHeight();
    /// Makes `screen` current; Null prints "What the fuck?" and changes
    /// nothing.
    static void SetScreen(const std::shared_ptr<kit_TScreen>& screen);
    static std::shared_ptr<kit_TScreen> FindScreen(const std::string& name);
    static void AddScreen(const std::shared_ptr<kit_TScreen>& screen);
    static std::shared_ptr<kit_TPanel> FindPanel(const std::string& name);
    static void AddFloating(const kit_GadgetRef& gadget);
    /// True when nobody holds the capture or `gadget` does.
    static bool MayUseMouse(const kit_GadgetRef& gadget);
    static void ReleaseCapture();
    static void SetCapture(const kit_GadgetRef& gadget);
    /// True when `gadget` or a gadget inside it holds the capture: a
    /// container then passes the mouse on to its children wherever the
    /// pointer is, so that the press ends where it began.
    static bool CaptureWithin(const kit_TGadget& gadget);
    /// Gives the keyboard to `gadget` (Null: to nobody); the gadget that had
    /// it is told first through `OnFocusLost`.
    static void SetFocus(const kit_GadgetRef& gadget);
    /// True when the gadget and every gadget above it are shown and the
    /// topmost one is on the current screen or a pop-up.
    static bool IsShown(const kit_TGadget& gadget);
    /// The wheel's movement in this frame, in notches (positive away from
    /// the user, that is towards the start of a list), for the first gadget
    /// that asks: the others get 0. Gadgets that scroll ask while the
    /// pointer is over them, so the topmost one under the pointer scrolls;
    /// an open drop-down list asks wherever the pointer is.
    static int TakeWheel();
    /// The first claim of a frame wins: it becomes the MouseOver gadget and
    /// posts event 21 with the mouse position relative to it.
    static void ClaimMouseOver(const kit_GadgetRef& gadget, int x, int y);
    static void SetMousePanel(const std::shared_ptr<kit_TPanel>& panel);
    /// True when no panel claimed the mouse this frame, `panel` did, or its
    /// parent did.
    static bool PanelMayUpdate(const kit_TPanel& panel);
    static void SetCursorState(int state);
    static void SetSystemPointer(int flag);
    /// Loads SkinPath + "/Fonts/" + file under `name`; an empty name loads
    /// nothing.
    static void LoadFont(const std::string& name, const std::string& file, int size);
    /// The font of the first entry named `name` ignoring case, or Null.
    static FontHandle GetFont(const std::string& name);

    // Read access for the game and for tests.
    static const std::string& GetSkinPath();
    static std::shared_ptr<kit_TScreen> GetCurrentScreen();
    static kit_GadgetRef GetCaptureGadget();
    static kit_GadgetRef GetFocusGadget();
    static kit_GadgetRef GetMouseOverGadget();
    static std::shared_ptr<kit_TPanel> GetMousePanel();
    static int GetCursorState();
    static const std::vector<kit_GadgetRef>& GetFloatingList();
    static const ImageHandle& GetCursorImage(int state);
};
