#pragma once
// A slider: an integer in `Min`..`Max` picked with a knob on a track. A
// horizontal slider grows to the right, a vertical one upwards. Dragging
// the knob follows the mouse every frame; a click on the track beside the
// knob moves the value by `Step`, once, on release.
//
// `PixelsPerUnit` is the track length of one step; the knob sits
// (Value - Min) / Step of them from the track's low end. An empty range or
// a track of no length keeps the knob at the low end, and every pixel then
// maps to `Min`.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TSlider : public kit_TGadget {
public:
    int Horizontal = 0;
    int TrackX = 0;  ///< track start relative to the parent
    int TrackY = 0;
    int TrackLen = 0;  ///< slider length - 14
    int Value = 0;
    int Min = 0;
    int Max = 0;  ///< never below `Min`
    float PixelsPerUnit = 0;
    int Step = 1;     ///< at least 1
    int KnobPos = 0;  ///< knob start along the axis, relative to the parent
    int KnobLen = 15;
    int DragMode = 0;  ///< a `kit_DragMode`: none, knob, or track back/forward

    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    void OnMouseUp(int parentX, int parentY) override;

    /// Clamps to `Min`..`Max`, places the knob and posts GadgetAction with
    /// the new value, also when it did not change.
    virtual void SetValue(int v);
    virtual int GetValue() const { return Value; }
    /// The value at `p` pixels from the track start along the axis, rounded
    /// to the nearest step (halves down); posts GadgetAction twice (once
    /// from `SetValue`).
    virtual void SetFromPixel(int p);
    /// A `max` below `min` becomes `min`; the value is pulled into the range
    /// (without an event).
    virtual void SetRange(int min, int max);
    /// The absolute value, at least 1.
    virtual void SetStep(int s);
    virtual void UpdateScale();
    virtual void UpdateKnob();

    static std::shared_ptr<kit_TSlider> Create(const std::string& name, float x, float y,
                                               int length, int horizontal, int min, int max,
                                               int step, const kit_GadgetRef& parent);
    /// Track and both knobs from SkinPath + "/graphics/" (the scroll bar's
    /// files, in the slider's own skin slot).
    static void LoadSkin();
};

std::shared_ptr<kit_TSlider> kit_CreateSlider(const std::string& name, float x, float y, int length,
                                              int horizontal, int min, int max, int step,
                                              const kit_GadgetRef& parent = nullptr);
