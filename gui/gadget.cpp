#include "gui/gadget.h"

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/gui.h"
#include "gui/support.h"

void kit_TGadget::Init(const std::string& name, float x, float y, float w, float h,
                       const kit_GadgetRef& parent) {
    Name = name;
    X = x;
    Y = y;
    W = w;
    H = h;
    Font = kit_GUI::GetFont("default");
    if (parent) parent->AddChild(Self());
}

void kit_TGadget::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const GfxStateGuard keep;
    kit_ClipViewport(static_cast<int>(X + parentX + 2), static_cast<int>(Y + parentY + 2),
                     static_cast<int>(W - 4), static_cast<int>(H - 4));
    DrawChildren(parentX + X, parentY + Y);
}

void kit_TGadget::DrawChildren(float originX, float originY) {
    // A snapshot: a child added while drawing waits for the next frame.
    const std::vector<kit_GadgetRef> children = Children;
    for (const auto& child : children) child->Draw(originX, originY);
}

void kit_TGadget::UpdateChildren(int originX, int originY) {
    const std::vector<kit_GadgetRef> children = Children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->Update(originX, originY);
}

void kit_TGadget::Update(int parentX, int parentY) {
    if (MouseState == 2) {
        if (in_mouse_down(1)) {
            OnMouseDown(parentX, parentY);
        } else {
            OnMouseUp(parentX, parentY);
        }
        return;
    }
    // A hidden gadget still passes the mouse to a child being pressed, so
    // that the press ends; it takes no part in anything else.
    if (Hidden && !kit_GUI::CaptureWithin(*this)) return;
    UpdateChildren(static_cast<int>(parentX + X), static_cast<int>(parentY + Y));
    if (Hidden) return;
    MouseState = 0;
    if (!kit_GUI::MayUseMouse(Self())) return;
    if (MouseIsOver(parentX, parentY)) {
        OnMouseOver(parentX, parentY);
        if (in_mouse_down(1)) OnMouseDown(parentX, parentY);
    }
}

bool kit_TGadget::MouseIsOver(int parentX, int parentY) const {
    return kit_MouseInRect(parentX + X, parentY + Y, W, H);
}

void kit_TGadget::OnMouseOver(int parentX, int parentY) {
    MouseState = 1;
    kit_GUI::ClaimMouseOver(Self(), static_cast<int>(in_mouse_x() - (X + parentX)),
                            static_cast<int>(in_mouse_y() - (Y + parentY)));
}

void kit_TGadget::OnMouseDown(int, int) {
    kit_GUI::SetCapture(Self());
    MouseState = 2;
}

void kit_TGadget::OnMouseUp(int, int) {
    kit_GUI::ReleaseCapture();
    MouseState = 3;
}

int kit_TGadget::GetAbsoluteX() const {
    const kit_GadgetRef parent = GetParent();
    return static_cast<int>(parent ? X + parent->GetAbsoluteX() : X);
}

int kit_TGadget::GetAbsoluteY() const {
    const kit_GadgetRef parent = GetParent();
    return static_cast<int>(parent ? Y + parent->GetAbsoluteY() : Y);
}

void kit_TGadget::SetPosition(int x, int y) {
    X = static_cast<float>(x);
    Y = static_cast<float>(y);
}

void kit_TGadget::Move(int dx, int dy) {
    X += static_cast<float>(dx);
    Y += static_cast<float>(dy);
}

void kit_TGadget::SetSize(int w, int h) {
    W = static_cast<float>(w);
    H = static_cast<float>(h);
    Refresh();
}

void kit_TGadget::Resize(int dw, int dh) {
    W += static_cast<float>(dw);
    H += static_cast<float>(dh);
    Refresh();
}

void kit_TGadget::SetColor(int r, int g, int b, int) {
    Color = kit_RGB{r, g, b};
}

void kit_TGadget::SetColorHex(const std::string& hex, int) {
    int r = 0, g = 0, b = 0;
    kit_ParseHexColor(hex, r, g, b);
    SetColor(r, g, b, 0);
}

void kit_TGadget::SetTextColor(int r, int g, int b, int) {
    TextColor = kit_RGB{r, g, b};
}

void kit_TGadget::SetTextColorHex(const std::string& hex, int) {
    int r = 0, g = 0, b = 0;
    kit_ParseHexColor(hex, r, g, b);
    SetTextColor(r, g, b, 0);
}

void kit_TGadget::SetAlpha(float a, int) {
    Alpha = a;
}

void kit_TGadget::SetTextAlpha(float a, int) {
    TextAlpha = a;
}

void kit_TGadget::SetFont(const std::string& name) {
    Font = kit_GUI::GetFont(name);
    Refresh();
}

void kit_TGadget::Hide() {
    Hidden = 1;
}

void kit_TGadget::Show() {
    Hidden = 0;
}

void kit_TGadget::AddChild(const kit_GadgetRef& gadget) {
    if (!gadget) return;
    Children.push_back(gadget);
    gadget->Parent = Self();
}

kit_GadgetRef kit_TGadget::FindChild(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (const auto& child : Children) {
        if (kit_SameName(child->Name, name)) return child;
    }
    return nullptr;
}

void kit_TGadget::Refresh() {}

bool kit_TGadget::ChildReleased(kit_TGadget&) {
    return false;
}

void kit_TGadget::OnKeyboard() {}

void kit_TGadget::OnFocusLost() {}

kit_GadgetRef kit_TGadget::Self() {
    return std::static_pointer_cast<kit_TGadget>(shared_from_this());
}
