#pragma once
// A check box: a two-frame box image beside a caption, on either side of an
// anchor. The whole caption is clickable; a release toggles the box and
// posts GadgetAction with the new state.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TCheckBox : public kit_TGadget {
public:
    int Checked = 0;  ///< drawn checked when non-zero
    std::string Text;
    int TextX = 0;    ///< caption x relative to the parent
    int BoxX = 0;     ///< box x relative to the parent
    int BoxSide = 0;  ///< 0 box left of the caption, 1 right of it
    int AnchorX = 0;  ///< the box's left edge (side 0) or right edge (side 1)

    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    /// Toggles, releases and posts GadgetAction with Data the new `Checked`.
    void OnMouseUp(int parentX, int parentY) override;
    void Refresh() override;
    /// Moves the anchor (not `X`) and lays out again.
    void SetPosition(int x, int y) override;
    void Move(int dx, int dy) override;

    /// 0 or 1; other values are ignored.
    virtual void SetBoxSide(int side);
    virtual void SetText(const std::string& text);
    /// `Checked` = |Checked - 1|.
    virtual void Toggle();
    /// Stores any value unchanged.
    virtual void SetChecked(int value) { Checked = value; }
    virtual int IsChecked() const { return Checked; }

    static std::shared_ptr<kit_TCheckBox> Create(const std::string& name, const std::string& text,
                                                 float x, float y, int side,
                                                 const kit_GadgetRef& parent);
    /// Two 15 x 15 frames (unchecked, checked) from SkinPath +
    /// "/graphics/checkbox.png". A file with one cell gives one frame, so
    /// the checked box draws nothing.
    static void LoadSkin();
    /// Width and height of the box: the image's, or 15 when it is missing.
    static int BoxWidth();
    static int BoxHeight();
};

std::shared_ptr<kit_TCheckBox> kit_CreateCheckBox(const std::string& name, const std::string& text,
                                                  float x, float y, int side = 0,
                                                  const kit_GadgetRef& parent = nullptr);
