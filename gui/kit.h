#pragma once
// The GUI kit's module-level functions: the calls the game makes. Including
// this header also brings in every gadget class and its factory.
//
// Start-up order: kit_Initialise; kit_SetResolution; kit_SetSystemPointer;
// kit_SetSkin (skin images must exist before anything is drawn);
// kit_LoadFont (gadgets take the font "default" when they are made); the
// screens and gadgets; kit_SetScreen. Then, once a frame: kit_Refresh and
// drain the queue with kit_PollEvent.

#include <memory>
#include <string>

#include "gui/anim_image.h"
#include "gui/animation.h"
#include "gui/button.h"
#include "gui/canvas.h"
#include "gui/check_box.h"
#include "gui/combo_box.h"
#include "gui/date.h"
#include "gui/event.h"
#include "gui/fps.h"
#include "gui/gadget.h"
#include "gui/gui.h"
#include "gui/image.h"
#include "gui/label.h"
#include "gui/menu.h"
#include "gui/panel.h"
#include "gui/progress_bar.h"
#include "gui/screen.h"
#include "gui/scroll_bar.h"
#include "gui/scroll_box.h"
#include "gui/search_box.h"
#include "gui/skin.h"
#include "gui/slider.h"
#include "gui/state.h"
#include "gui/support.h"
#include "gui/table.h"
#include "gui/table_item.h"
#include "gui/text_field.h"

/// Module initialisation (see `kit_GUI::Initialise`).
void kit_Initialise();
/// Releases everything the kit holds; call before the engine shuts down.
void kit_Shutdown();

void kit_SetResolution(int width, int height, int systemPointerAllowed);
void kit_SetSystemPointer(int flag);
/// Sets the skin folder and reloads every skin image and the cursors.
void kit_SetSkin(const std::string& path);
void kit_LoadFont(const std::string& name, const std::string& file, int size);
FontHandle kit_GetFont(const std::string& name);

/// Null for an empty name.
std::shared_ptr<kit_TScreen> kit_CreateScreen(const std::string& name, const std::string& caption);
/// Makes the screen of that name current and posts SetScreen (Extra the
/// screen, Null when none matched; then the current screen stays).
void kit_SetScreen(const std::string& name);
std::string kit_CurrentScreenName();
std::string kit_CurrentScreenCaption();
std::shared_ptr<kit_TPanel> kit_FindPanel(const std::string& name);
void kit_HidePanel(const std::string& name);
void kit_ShowPanel(const std::string& name);
/// Follows a "/"-separated path of names: without `root` from the panel
/// named by the first part, with `root` from `root` itself (every part is
/// then a child name). Null as soon as a step finds nothing.
kit_GadgetRef kit_FindGadget(const std::string& path, const kit_GadgetRef& root = nullptr);

/// One GUI frame (see `kit_GUI::Refresh`).
void kit_Refresh();

void kit_PostEvent(int id, const kit_GadgetRef& source, int data, int x, int y,
                   const kit_ObjectRef& extra);
/// Takes the oldest event and returns its ID; 0 when the queue is empty.
int kit_PollEvent();
/// Number of events waiting.
int kit_EventCount();
/// Fields of the event taken by the last successful poll (0, Null or empty
/// text when there is none).
int kit_EventID();
int kit_EventData();
int kit_EventX();
int kit_EventY();
kit_GadgetRef kit_EventSource();
kit_ObjectRef kit_EventExtra();
std::string kit_EventSourceName();
std::string kit_EventText();
