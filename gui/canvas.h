#pragma once
// A clipped drawing area: the caller's callback draws in canvas coordinates
// and cannot draw outside it. It starts from plain parameters (white, full
// alpha, alpha-blended, upright, unscaled, handle at the top left, lines a
// pixel wide) whatever the drawing state held, and what it changes in the
// state or the font ends with the canvas. An interactive canvas changes the
// cursor and reports presses (every frame while held) and releases with the
// mouse position inside the canvas.

#include <functional>
#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TCanvas : public kit_TGadget {
public:
    std::function<void()> DrawCallback;
    int ClearBackground = 1;  ///< 1 = fill the canvas with `Color` before the callback
    int Interactive = 0;

    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    void OnMouseUp(int parentX, int parentY) override;

    virtual void SetClear(int flag) { ClearBackground = flag; }
    virtual void SetDrawCallback(std::function<void()> callback);
    virtual void SetInteractive(int flag) { Interactive = flag; }

    static std::shared_ptr<kit_TCanvas> Create(const std::string& name, float x, float y, float w,
                                               float h, const kit_GadgetRef& parent);

private:
    void PostMouseEvent(int id, int parentX, int parentY);
};

std::shared_ptr<kit_TCanvas> kit_CreateCanvas(const std::string& name, float x, float y, float w,
                                              float h, const kit_GadgetRef& parent = nullptr);
