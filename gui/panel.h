#pragma once
// A skinned frame that groups gadgets and gates their mouse input: its
// children are updated, and so react to the mouse, only while the pointer is
// inside the panel, or while one of them is being pressed (it then hears of
// its release wherever the pointer went). Of two overlapping panels the one
// updated first (added later) claims the mouse for the frame; panels inside
// it keep working because their parent is the claimer. The keyboard does not
// depend on the pointer: the kit hands it to the focused gadget.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TPanel : public kit_TGadget {
public:
    int DrawBackground = 1;  ///< 0 = only the children are drawn
    int DrawFrame = 1;       ///< 1 = nine-slice frame, 0 = the centre tile stretched

    void Draw(float parentX, float parentY) override;
    /// Never captures the mouse and posts no events; updates the children
    /// while the pointer is inside, or while one of them is pressed.
    void Update(int parentX, int parentY) override;

    virtual void ShowBackground() { DrawBackground = 1; }
    virtual void HideBackground() { DrawBackground = 0; }
    virtual void ShowFrame() { DrawFrame = 1; }
    virtual void HideFrame() { DrawFrame = 0; }

    /// Makes the panel, adds it to `parent` when given and to the kit's panel
    /// list. Null for an empty name.
    static std::shared_ptr<kit_TPanel> Create(const std::string& name, float x, float y, float w,
                                              float h, const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/panel.png".
    static void LoadSkin();
};

std::shared_ptr<kit_TPanel> kit_CreatePanel(const std::string& name, float x, float y, float w,
                                            float h, const kit_GadgetRef& parent = nullptr);
