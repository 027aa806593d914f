#pragma once
// A line of text aligned on an anchor point. Its size is the text's.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TLabel : public kit_TGadget {
public:
    std::string Text;
    int HAlign = 0;  ///< 0 left, 1 centre, 2 right of `AnchorX`
    int VAlign = 0;  ///< 0 top, 1 middle, 2 bottom of `AnchorY`
    int AnchorX = 0;
    int AnchorY = 0;

    void Draw(float parentX, float parentY) override;
    /// Places the label on its anchor and takes the text's size.
    void Refresh() override;

    virtual void SetText(const std::string& text);
    virtual std::string GetText() const { return Text; }
    virtual void SetHAlign(int align);
    virtual void SetVAlign(int align);

    /// Unlike the other factories, accepts an empty name. `w` and `h` are
    /// replaced by the text's size.
    static std::shared_ptr<kit_TLabel> Create(const std::string& name, const std::string& text,
                                              float x, float y, float w, float h, int hAlign,
                                              int vAlign, const kit_GadgetRef& parent);
};

std::shared_ptr<kit_TLabel> kit_CreateLabel(const std::string& name, const std::string& text,
                                            float x, float y, float w, float h, int hAlign = 0,
                                            int vAlign = 0, const kit_GadgetRef& parent = nullptr);
