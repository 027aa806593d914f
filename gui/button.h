#pragma once
// A push button: a skinned box with a caption or an image, or a round image
// button hit-tested as a circle. While held it posts GadgetAction every
// frame; its release posts GadgetSelect and, with a target screen, switches
// to that screen and posts SetScreen.
//
// The face (skin and image) is drawn as it is while idle, lighter while the
// button is the kit's mouse-over gadget and darker while it is pressed; the
// caption keeps its colour.

#include <memory>
#include <string>

#include "engine/image.h"
#include "gui/gadget.h"

class kit_TScreen;

class kit_TButton : public kit_TGadget {
public:
    std::string Text;
    int TextX = 0;  ///< caption (or image) position relative to the parent, from `Refresh`
    int TextY = 0;
    int Round = 0;  ///< 1 = circle hit test, no skin
    int Radius = 0;
    ImageHandle Image;  ///< drawn instead of the caption when set
    int DrawSkin = 1;
    /// Made current on release. Screens live in the kit's screen list, so
    /// the button refers to it weakly.
    std::weak_ptr<kit_TScreen> TargetScreen;

    /// The face in its state (see above), then the caption.
    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    /// Cursor state 2, capture, and GadgetAction (every frame while held).
    void OnMouseDown(int parentX, int parentY) override;
    /// GadgetSelect, then the target screen and SetScreen; the release
    /// counts wherever the mouse is.
    void OnMouseUp(int parentX, int parentY) override;
    /// Centres the caption (or image) in the button, or on the centre of a
    /// round button.
    void Refresh() override;

    virtual void SetText(const std::string& text);
    /// Null is ignored.
    virtual void SetImage(const ImageHandle& image);
    /// Loads with default flags; on failure logs "Null image, matey!" to the
    /// debug log and keeps the previous image.
    virtual void LoadImage(const std::string& path);
    virtual void SetTargetScreen(const std::shared_ptr<kit_TScreen>& screen);
    /// Nothing happens when no screen has that name.
    virtual void SetTargetScreenByName(const std::string& name);
    virtual void SetDrawSkin(int flag) { DrawSkin = flag; }

    static std::shared_ptr<kit_TButton> Create(const std::string& name, const std::string& text,
                                               float x, float y, float w, float h,
                                               const kit_GadgetRef& parent);
    /// An unskinned button showing the image; a size of 0 takes the image's.
    static std::shared_ptr<kit_TButton> CreateImageButton(const std::string& name,
                                                          const std::string& path, float x, float y,
                                                          float w, float h,
                                                          const kit_GadgetRef& parent);
    /// A round image button of radius `r` centred on (x, y).
    static std::shared_ptr<kit_TButton> CreateRoundButton(const std::string& name,
                                                          const std::string& path, float x, float y,
                                                          int r, const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/button.png".
    static void LoadSkin();

protected:
    bool MouseIsOver(int parentX, int parentY) const override;

private:
    /// The skin (when drawn) and the image, with these parameters.
    void DrawFace(float parentX, float parentY, const DrawParams& params) const;
};

std::shared_ptr<kit_TButton> kit_CreateButton(const std::string& name, const std::string& text,
                                              float x, float y, float w, float h,
                                              const kit_GadgetRef& parent = nullptr);
std::shared_ptr<kit_TButton> kit_CreateImageButton(const std::string& name, const std::string& path,
                                                   float x, float y, float w, float h,
                                                   const kit_GadgetRef& parent = nullptr);
std::shared_ptr<kit_TButton> kit_CreateRoundButton(const std::string& name, const std::string& path,
                                                   float x, float y, int r,
                                                   const kit_GadgetRef& parent = nullptr);
