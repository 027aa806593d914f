#pragma once
// A clipped container whose children are shifted by one or two scroll bars:
// the content scrolls under a fixed frame. The bars are siblings of the box
// (children of the box's parent), beside its right and bottom edges. The
// mouse wheel over the box (or over a gadget in it that does not scroll
// itself) moves the vertical bar, or the horizontal one when the content
// fits vertically.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TScrollBar;

class kit_TScrollBox : public kit_TGadget {
public:
    int OffsetX = 0;  ///< children are drawn and updated shifted by these
    int OffsetY = 0;
    int BorderStyle = 1;  ///< 1 one-pixel outline, 2 filled rectangle, other none
    std::shared_ptr<kit_TScrollBar> HScroll;
    std::shared_ptr<kit_TScrollBar> VScroll;

    /// The frame, then the children shifted and clipped to the box inset by
    /// 2 pixels.
    void Draw(float parentX, float parentY) override;
    /// The base handler; the wheel moves a bar and the content at once.
    void OnMouseOver(int parentX, int parentY) override;

    virtual void SetBorderStyle(int style) { BorderStyle = style; }
    /// Colour of the horizontal bar when `horizontal` is non-zero, else of
    /// the vertical one; nothing when that bar does not exist.
    virtual void SetScrollColor(int r, int g, int b, int horizontal);
    virtual void SetScrollColorHex(const std::string& hex, int horizontal);
    virtual void SetScrollAlpha(float a, int horizontal);

    /// `type` 1: a vertical bar, 2: a horizontal bar, 3: both; the box
    /// gives up 18 pixels of its size to each bar. `contentW` and `contentH`
    /// are the scrolled lengths.
    static std::shared_ptr<kit_TScrollBox> Create(const std::string& name, float x, float y,
                                                  float w, float h, int type, int contentW,
                                                  int contentH, const kit_GadgetRef& parent);

private:
    std::shared_ptr<kit_TScrollBar> Bar(int horizontal) const;
    /// The offsets from the bars' values.
    void FollowBars();

protected:
    /// The children shifted by the offsets; then the offsets follow the
    /// bars' values.
    void UpdateChildren(int originX, int originY) override;
};

std::shared_ptr<kit_TScrollBox> kit_CreateScrollBox(const std::string& name, float x, float y,
                                                    float w, float h, int type, int contentW,
                                                    int contentH,
                                                    const kit_GadgetRef& parent = nullptr);
