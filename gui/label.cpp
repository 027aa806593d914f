#include "gui/label.h"

#include "engine/graphics.h"
#include "gui/state.h"
#include "gui/support.h"

void kit_TLabel::Draw(float parentX, float parentY) {
    if (Hidden) return;
    kit_DrawText(Text, static_cast<int>(parentX + X), static_cast<int>(parentY + Y), Font,
                 kit_Params(TextColor, Alpha));
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TLabel::Refresh() {
    int tw = 0, th = 0;
    {
        const kit_FontScope use(Font);
        tw = gfx_text_width(Text);
        th = gfx_text_height();
    }
    switch (HAlign) {
        case 0:
            X = static_cast<float>(AnchorX);
            break;
        case 1:
            X = static_cast<float>(AnchorX - tw / 2);
            break;
        case 2:
            X = static_cast<float>(AnchorX - tw);
            break;
        default:
            break;
    }
    switch (VAlign) {
        case 0:
            Y = static_cast<float>(AnchorY);
            break;
        case 1:
            Y = static_cast<float>(AnchorY - th / 2);
            break;
        case 2:
            Y = static_cast<float>(AnchorY - th);
            break;
        default:
            break;
    }
    W = static_cast<float>(tw);
    H = static_cast<float>(th);
}

void kit_TLabel::SetText(const std::string& text) {
    Text = text;
    Refresh();
}

void kit_TLabel::SetHAlign(int align) {
    HAlign = align;
    Refresh();
}

void kit_TLabel::SetVAlign(int align) {
    VAlign = align;
    Refresh();
}

std::shared_ptr<kit_TLabel> kit_TLabel::Create(const std::string& name, const std::string& text,
                                               float x, float y, float w, float h, int hAlign,
                                               int vAlign, const kit_GadgetRef& parent) {
    auto label = std::make_shared<kit_TLabel>();
    label->Init(name, x, y, w, h, parent);
    label->AnchorX = static_cast<int>(x);
    label->AnchorY = static_cast<int>(y);
    label->SetHAlign(hAlign);
    label->SetVAlign(vAlign);
    label->SetText(text);
    return label;
}

std::shared_ptr<kit_TLabel> kit_CreateLabel(const std::string& name, const std::string& text,
                                            float x, float y, float w, float h, int hAlign,
                                            int vAlign, const kit_GadgetRef& parent) {
    return kit_TLabel::Create(name, text, x, y, w, h, hAlign, vAlign, parent);
}
