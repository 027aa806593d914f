#pragma once
// A scroll bar: a window of `Visible` units onto a content of `Total` units,
// with an arrow button at each end, a track and a knob that can be dragged.
// The bar is 15 pixels thick; the arrows take 15 pixels at each end and the
// knob moves over the rest of the length.
//
// Arrow and track clicks act once, on release; dragging the knob follows
// the mouse every frame while the button is held; the mouse wheel over the
// bar moves it by `WheelStep` a notch. Every `SetValue` and `SetKnobPos`
// posts GadgetAction with Data the new value, also when it did not change.

#include <array>
#include <memory>
#include <string>

#include "engine/image.h"
#include "gui/gadget.h"

/// Drag modes of the scroll bar and the slider.
enum kit_DragMode : int {
    kit_DragNone = 0,
    kit_DragKnob = 1,
    kit_DragArrowBack = 2,     ///< up or left arrow
    kit_DragArrowForward = 3,  ///< down or right arrow
    kit_DragTrackBack = 4,     ///< the track before the knob (towards smaller values)
    kit_DragTrackForward = 5,  ///< the track after the knob
};

/// The three pieces of a knob: top (left) cap, middle, bottom (right) cap.
using kit_KnobPieces = std::array<ImageHandle, 3>;

/// Cuts a knob file into its pieces: a vertical file (15 x 7) by rows 0-2, 3
/// and 4-6, a horizontal one (7 x 15) by columns. All Null when the file is
/// missing; pixels outside a smaller file are transparent.
kit_KnobPieces kit_LoadKnobPieces(const std::string& path, bool horizontal);

class kit_TScrollBar : public kit_TGadget {
public:
    int Horizontal = 0;
    int Value = 0;    ///< first visible unit, 0..Total - Visible
    int Visible = 0;  ///< at least 1 once set
    int Total = 0;    ///< at least 1 once set
    float Ratio = 0;  ///< track pixels per content unit; 0 or less when there is no track
    int PageStep = 10;
    int Step = 1;
    int WheelStep = 60;  ///< change of `Value` a wheel notch: three 20-pixel rows
    float KnobPos = 0;   ///< knob start along the axis, relative to the parent
    float KnobLen = 0;
    int DragMode = kit_DragNone;
    int DragOffset = 0;  ///< mouse offset into the knob when the drag started

    void Draw(float parentX, float parentY) override;
    /// Cursor state 1; the wheel moves the bar.
    void OnMouseOver(int parentX, int parentY) override;
    /// Picks the part pressed on the first frame; a knob drag then follows
    /// the mouse every frame.
    void OnMouseDown(int parentX, int parentY) override;
    /// Arrow clicks move by `Step`, track clicks by `PageStep`.
    void OnMouseUp(int parentX, int parentY) override;

    /// Clamps to 0..Total - Visible, places the knob and posts GadgetAction.
    virtual void SetValue(int v);
    virtual int GetValue() const { return Value; }
    /// Places the knob at `p` (along the axis, relative to the parent),
    /// limited to the track, derives the value and posts GadgetAction.
    virtual void SetKnobPos(float p);
    /// The bar's length (`H` or `W`).
    virtual void SetLength(int len);
    /// Values of 0 or less become 1; the value is pulled back into range.
    virtual void SetVisible(int v);
    virtual void SetTotal(int t);
    virtual int GetVisible() const { return Visible; }
    virtual int GetTotal() const { return Total; }
    /// Negative steps become 0.
    virtual void SetStep(int s);
    virtual void SetPageStep(int s);
    /// Ratio and knob length from the track, total and visible lengths.
    virtual void UpdateRatio();
    /// Knob position from the value.
    virtual void UpdateKnob();
    /// Moves the bar by the frame's wheel movement (`kit_GUI::TakeWheel`),
    /// `WheelStep` a notch, when it is shown and has something to scroll.
    /// True when it took a movement; otherwise the wheel is left for others.
    virtual bool TakeWheel();

    static std::shared_ptr<kit_TScrollBar> Create(const std::string& name, float x, float y,
                                                  int length, int horizontal, int total,
                                                  int visible, const kit_GadgetRef& parent);
    /// Track, the four arrows and both knobs from SkinPath + "/graphics/".
    static void LoadSkin();

private:
    float Length() const { return Horizontal ? W : H; }
    float Start() const { return Horizontal ? X : Y; }
    void ClampValue();
};

std::shared_ptr<kit_TScrollBar> kit_CreateScrollBar(const std::string& name, float x, float y,
                                                    int length, int horizontal, int total,
                                                    int visible,
                                                    const kit_GadgetRef& parent = nullptr);
