#pragma once
// The base of every gadget: a rectangle in a tree of gadgets, drawn by the
// kit's refresh from the first-added gadget to the last and updated from
// the top down, reacting to the engine's polled mouse.
//
// Gadgets are made by the factories of their classes (always held by
// `std::shared_ptr`); a gadget owns its children, and a child refers back to
// its parent weakly. The virtual operations keep the kit's slot order so
// that later gadget classes override the same steps.
//
// Mouse states: 0 idle, 1 mouse over, 2 pressed (the gadget holds the
// kit's mouse capture), 3 released. A press captures the mouse: while the
// button stays down only the pressed gadget reacts, and it gets
// `OnMouseUp` once, wherever the mouse is, when the button goes up; the
// gadgets around it (a hidden one, a panel the pointer left) pass the
// mouse on until then.
//
// Keyboard: the kit gives the keyboard focus to one gadget at a time (see
// gui/gui.h); that gadget reads the keys in `OnKeyboard`.

#include <memory>
#include <string>
#include <vector>

#include "engine/font.h"
#include "gui/object.h"

class kit_TGadget;
using kit_GadgetRef = std::shared_ptr<kit_TGadget>;

class kit_TGadget : public kit_Object {
public:
    kit_TGadget() = default;

    std::string Name;
    float X = 0.0f;  ///< relative to the parent's origin (the screen for top-level gadgets)
    float Y = 0.0f;
    float W = 0.0f;
    float H = 0.0f;
    std::weak_ptr<kit_TGadget> Parent;
    std::vector<kit_GadgetRef> Children;  ///< in the order added
    kit_RGB Color{255, 255, 255};         ///< skin colour
    kit_RGB TextColor{0, 0, 0};
    float Alpha = 1.0f;
    float TextAlpha = 1.0f;  ///< stored only
    FontHandle Font;         ///< Null is the engine's built-in font
    int Hidden = 0;          ///< 1 = neither drawn nor updated
    int MouseState = 0;

    // 1-6: life and frame.
    /// Stores name, position and size, takes the kit font "default" and,
    /// with a parent, becomes its last child.
    virtual void Init(const std::string& name, float x, float y, float w, float h,
                      const kit_GadgetRef& parent);
    /// Draws the children (clipped to this rectangle inset by 2 pixels);
    /// every gadget calls it after drawing itself.
    virtual void Draw(float parentX, float parentY);
    /// Finishes a press in progress, updates the children (last-added first),
    /// then tests the mouse against this gadget.
    virtual void Update(int parentX, int parentY);
    /// Mouse over: state 1 and the frame's MouseOver claim.
    virtual void OnMouseOver(int parentX, int parentY);
    /// Press (every frame while held): takes the capture, state 2.
    virtual void OnMouseDown(int parentX, int parentY);
    /// Release: gives the capture back, state 3.
    virtual void OnMouseUp(int parentX, int parentY);
    // 7-12: geometry.
    virtual int GetAbsoluteX() const;
    virtual int GetAbsoluteY() const;
    virtual void SetPosition(int x, int y);
    virtual void Move(int dx, int dy);
    virtual void SetSize(int w, int h);
    virtual void Resize(int dw, int dh);
    // 13-18: colours. `index` picks one of several colours in gadgets that
    // have more (the progress bar's two, a table's three sets); the base
    // class has one of each and ignores it.
    virtual void SetColor(int r, int g, int b, int index = 0);
    /// "rrggbb"; other lengths give black. Passes index 0 on.
    virtual void SetColorHex(const std::string& hex, int index = 0);
    virtual void SetTextColor(int r, int g, int b, int index = 0);
    virtual void SetTextColorHex(const std::string& hex, int index = 0);
    virtual void SetAlpha(float a, int index = 0);
    virtual void SetTextAlpha(float a, int index = 0);
    // 19-24.
    /// The kit font of that name (Null, the built-in font, when none).
    virtual void SetFont(const std::string& name);
    virtual void Hide();
    virtual void Show();
    /// Appends `gadget` to the children and makes this gadget its parent.
    virtual void AddChild(const kit_GadgetRef& gadget);
    /// First direct child of that name, ignoring case; Null for an empty name.
    virtual kit_GadgetRef FindChild(const std::string& name) const;
    /// Recomputes derived layout after a change; nothing in the base class.
    virtual void Refresh();

    /// Called by a child button when it is released. A pop-up that uses a
    /// button as one of its own controls returns true to handle the release
    /// itself; the button then posts no event. The base returns false.
    virtual bool ChildReleased(kit_TGadget& child);
    /// Called by the kit's refresh once a frame, after the mouse, while this
    /// gadget has the keyboard focus, wherever the pointer is. Nothing in
    /// the base class.
    virtual void OnKeyboard();
    /// Called by the kit when the keyboard focus leaves this gadget. Nothing
    /// in the base class.
    virtual void OnFocusLost();

    kit_GadgetRef GetParent() const { return Parent.lock(); }
    /// This gadget as a counted reference (gadgets are only made by factories).
    kit_GadgetRef Self();

protected:
    /// The hit test of `Update`'s last step, with the parent origin.
    virtual bool MouseIsOver(int parentX, int parentY) const;
    /// Updates the children, last-added first, with the given origin (a
    /// gadget that shifts its children overrides it).
    virtual void UpdateChildren(int originX, int originY);
    /// Draws the children in order with the given origin, without clipping.
    void DrawChildren(float originX, float originY);
};
