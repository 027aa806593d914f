#pragma once
// A skinned bar filled to a percentage, with a centred caption. Colour 0 is
// the frame and empty part, colour 1 the filled part.

#include <array>
#include <memory>
#include <string>

#include "gui/gadget.h"

class kit_TProgressBar : public kit_TGadget {
public:
    int TextX = 0;  ///< caption x relative to the parent
    std::array<kit_RGB, 2> Colors{kit_RGB{255, 255, 255}, kit_RGB{255, 0, 0}};
    int Percent = 0;  ///< 0..100
    std::string Text;

    void Draw(float parentX, float parentY) override;
    /// Centres the caption.
    void Refresh() override;
    /// Replaces colour `index` (0 or 1; others are ignored).
    void SetColor(int r, int g, int b, int index = 0) override;
    void SetColorHex(const std::string& hex, int index = 0) override;

    virtual void SetText(const std::string& text);
    /// Clamps to 0..100 and posts GadgetAction with the new value, also when
    /// it did not change.
    virtual void SetPercent(int p);
    virtual int GetPercent() const { return Percent; }

    static std::shared_ptr<kit_TProgressBar> Create(const std::string& name,
                                                    const std::string& text, float x, float y,
                                                    float w, float h, const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/progress.png".
    static void LoadSkin();
};

std::shared_ptr<kit_TProgressBar> kit_CreateProgressBar(const std::string& name,
                                                        const std::string& text, float x, float y,
                                                        float w, float h,
                                                        const kit_GadgetRef& parent = nullptr);
