#pragma once
// A one-line text entry: a skinned box with a caret, horizontal scrolling of
// long text, caret placement by the mouse, the editing keys Left, Right,
// Home, End, Backspace, Delete and Enter, and typed characters.
//
// Focus: a press on the field gives it the kit's keyboard focus (see
// gui/gui.h) and places the caret. While focused it reads the keyboard once
// a frame wherever the pointer is, and holds the mouse only while it is
// being pressed, like every gadget. The focus ends with Enter, with a press
// that begins anywhere else (which then acts on what it landed on, so a
// button works at the first click), when another gadget takes it, and when
// the field is no longer shown. The caret is drawn in the text colour, only
// while focused.
//
// Selection: the characters between `Anchor` and `Caret`. Shift with Left,
// Right, Home or End moves the caret and keeps the anchor; dragging with the
// button held (or a Shift+press) selects with the mouse; any other caret move
// drops the selection. Backspace and Delete remove a selection, and a typed
// character replaces it. It is shown only while the field is focused.
//
// Text is UTF-8; the caret counts characters, not bytes. The stored caret
// may lie past the end after `SetText` with a shorter text; every edit,
// layout and drawing clamps it to the text first.
//
// Enter (or a release on the search icon) confirms the text: the parent is
// offered it first through `ChildReleased` (the search pop-up takes it for
// its search box); when the parent declines, the field posts GadgetAction
// with the text as a `kit_TText` in Extra. Keystrokes post no events.

#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TTextField : public kit_TGadget {
public:
    std::string Text;
    int Focused = 0;  ///< 1 while the field has the kit's keyboard focus
    int Caret = 0;    ///< characters before the caret, 0..length of `Text`
    int CaretPx = 0;  ///< pixel width of the text before the caret, from `Refresh`
    /// Horizontal text offset in pixels, 0 or negative: never further than
    /// the text's end at 5 pixels inside the right edge, so a text that fits
    /// shows from its start.
    int ScrollX = 0;
    int Anchor = 0;      ///< the selection's other end; equal to `Caret` when none
    int SearchIcon = 0;  ///< 1 = a search icon takes the right end of the field

    void Draw(float parentX, float parentY) override;
    /// Cursor state 1 over the search icon, then the base handler.
    void OnMouseOver(int parentX, int parentY) override;
    /// Takes the capture; the first press focuses the field (dropping keys
    /// typed before) and a press inside the text area places the caret.
    void OnMouseDown(int parentX, int parentY) override;
    /// Gives the capture back; a release on the search icon confirms the
    /// text. The focus stays, wherever the release is.
    void OnMouseUp(int parentX, int parentY) override;
    /// While focused: the editing keys act and typed characters (codes 32
    /// and up) are inserted at the caret.
    void OnKeyboard() override;
    void OnFocusLost() override;
    /// Clamps the caret, measures `CaretPx` and scrolls so that the caret
    /// stays within the field (at most 5 pixels inside the right edge).
    void Refresh() override;

    /// Replaces the text and drops the selection; the caret stays as it was
    /// (edits clamp it later) and the scroll offset is fitted to the new
    /// text.
    virtual void SetText(const std::string& text);
    virtual std::string GetText() const { return Text; }
    /// Deletes the selection, or else the character before the caret
    /// (nothing at the start).
    virtual void Backspace();
    /// Deletes the selection, or else the character after the caret (nothing
    /// at the end).
    virtual void DeleteForward();
    /// Deletes characters a (inclusive) to b (exclusive), both limited to
    /// the text; an empty or reversed range deletes nothing.
    virtual void DeleteRange(int a, int b);
    /// Clamps to 0..length, drops the selection and refreshes the layout.
    virtual void SetCaret(int position);
    /// Puts the caret on the character boundary nearest to `mx` (relative to
    /// the parent's origin; ties go right) in the text as drawn, dropping the
    /// selection.
    virtual void SetCaretFromX(int mx);
    /// Ends editing: gives up the focus (and the capture, when pressed), then
    /// confirms the text (see the top of this file).
    virtual void Submit();
    /// Selects from `anchor` to `caret` (each clamped to the text); the caret
    /// ends at `caret`.
    virtual void Select(int anchor, int caret);
    virtual bool HasSelection() const { return Anchor != Caret; }
    virtual std::string GetSelectedText() const;
    /// Deletes the selected characters and puts the caret where they were.
    virtual void DeleteSelection();

    /// Null for an empty name.
    static std::shared_ptr<kit_TTextField> Create(const std::string& name, const std::string& text,
                                                  float x, float y, float w, float h,
                                                  int searchIcon, const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/textfield.png" and the icon
    /// SkinPath + "/graphics/search.png".
    static void LoadSkin();

    /// Number of characters of `Text`.
    int Length() const;

private:
    /// Puts the caret and the anchor back into 0..length.
    void ClampCaret();
    /// True when `SetText` left the caret or the anchor past the end of a
    /// shorter text.
    bool CaretOutsideText() const;
    /// Measures `CaretPx` (for the caret clamped to the text) and fits
    /// `ScrollX` to the text and the caret.
    void LayOut();
    /// A caret key: moves the caret, keeping the anchor when `extend` is set.
    void MoveCaret(int position, bool extend);
    void InsertAtCaret(int code);
    bool MouseInIcon(int parentX, int parentY) const;
};

std::shared_ptr<kit_TTextField> kit_CreateTextField(const std::string& name,
                                                    const std::string& text, float x, float y,
                                                    float w, float h, int searchIcon = 0,
                                                    const kit_GadgetRef& parent = nullptr);
