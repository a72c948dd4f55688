#include "framework/Control.h"

#include <algorithm>
#include <cwctype>

#include "base/StoreChanged.h"
#include "framework/Application.h"
#include "framework/ControlAccessible.h"
#include "framework/Form.h"
#include "framework/WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.SetName("MS Sans Serif");
}

TControl::~TControl() {
    accessible_.reset();
    if (TForm* form = Form(); form && form != this) form->ControlDestroying(this);
    TApplication::ControlDestroying(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    // Far beyond any screen, and small enough that no edge arithmetic can overflow.
    constexpr int kLimit = 1 << 20;
    left = std::clamp(left, -kLimit, kLimit);
    top = std::clamp(top, -kLimit, kLimit);
    width = std::clamp(width, 0, kLimit);
    height = std::clamp(height, 0, kLimit);
    TRect r = Bounds(left, top, width, height);
    if (r == bounds_) return;
    bool sized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
    Invalidate();
    bounds_ = r;
    Invalidate();
    if (sized) Resize();
    if (parent_ && (align_ != alNone || parent_->PlacesAllChildren())) parent_->Realign();
}

void TControl::SetAlign(TAlign align) {
    if (StoreChanged(align_, align) && parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!visible) Invalidate();
    visible_ = visible;
    if (visible) Invalidate();
    if (parent_ && (align_ != alNone || parent_->PlacesAllChildren())) parent_->Realign();
    VisibleChanged();
    AccessibleChanged(aeState);
}

bool TControl::Showing() const {
    const TControl* c = this;
    while (c->parent_) {
        if (!c->visible_) return false;
        c = c->parent_;
    }
    const auto* form = dynamic_cast<const TForm*>(c);
    return c->visible_ && form && form->HostWindow();
}

void TControl::SetEnabled(bool enabled) {
    if (!StoreChanged(enabled_, enabled)) return;
    EnabledChanged();
    AccessibleChanged(aeState);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_ || !parent_ || !parent) return;
    parent->Adopt(parent_->Release(this));
}

TForm* TControl::Form() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

TApplication* TControl::Application() const {
    const TForm* form = Form();
    return form ? form->app_ : nullptr;
}

const TDisplaySettings& TControl::Display() const {
    static const TDisplaySettings defaults;
    const TApplication* app = Application();
    return app ? app->Display() : defaults;
}

namespace {

// The font and the colour follow the same rule: a value set on the control itself ends the
// inheritance, and a parent's value is taken only while the control still follows it.
template <typename T>
bool StoreInheritable(T& field, const T& value, bool& followsParent, bool fromParent) {
    if (fromParent && !followsParent) return false;
    if (!fromParent) followsParent = false;
    return StoreChanged(field, value);
}

}  // namespace

void TControl::SetFont(const TFont& font) {
    if (StoreInheritable(font_, font, parentFont_, false)) FontChanged();
}

void TControl::SetParentFont(bool parentFont) {
    if (StoreChanged(parentFont_, parentFont) && parentFont && parent_)
        ParentFontChanged(parent_->Font());
}

void TControl::ParentFontChanged(const TFont& font) {
    if (StoreInheritable(font_, font, parentFont_, true)) FontChanged();
}

void TControl::SetColor(TColor color) {
    if (StoreInheritable(color_, color, parentColor_, false)) ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
    if (StoreChanged(parentColor_, parentColor) && parentColor && parent_)
        ParentColorChanged(parent_->Color());
}

void TControl::ParentColorChanged(TColor color) {
    if (StoreInheritable(color_, color, parentColor_, true)) ColorChanged();
}

void TControl::CopyParentSettings() {
    if (!parent_) return;
    ParentFontChanged(parent_->Font());
    ParentColorChanged(parent_->Color());
}

void TControl::SetCaption(const std::string& caption) {
    if (!StoreChanged(caption_, caption)) return;
    TextChanged();
    AccessibleChanged(aeName);
}

void TControl::SetHint(const std::string& hint) {
    if (StoreChanged(hint_, hint)) AccessibleChanged(aeDescription);
}

void TControl::SetCursor(TCursor cursor) {
    if (!StoreChanged(cursor_, cursor)) return;
    if (TForm* form = Form()) form->UpdateCursor();
}

TRect TControl::VisibleFormRect() const {
    if (!visible_) return {};
    if (!parent_) return dynamic_cast<const TForm*>(this) ? ClientRect() : TRect{};
    TRect r = parent_->VisibleFormRect();
    if (r.IsEmpty()) return {};
    TPoint o = parent_->FormOrigin();
    return r.Intersect(bounds_.Offset(o.X, o.Y));
}

TPoint TControl::FormOrigin() const {
    TPoint p;
    for (const TControl* c = this; c->parent_; c = c->parent_) {
        p.X += c->bounds_.Left;
        p.Y += c->bounds_.Top;
    }
    return p;
}

void TControl::Invalidate() {
    InvalidateRect(ClientRect());
}

void TControl::InvalidateRect(const TRect& clientRect) {
    TForm* form = Form();
    if (!form) return;
    TRect visible = VisibleFormRect();
    if (visible.IsEmpty()) return;
    TPoint o = FormOrigin();
    TRect r = clientRect.Offset(o.X, o.Y).Intersect(visible);
    if (!r.IsEmpty()) form->InvalidateFormRect(r);
}

void TControl::Update() {
    if (TForm* form = Form()) form->UpdateWindow();
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = FormOrigin();
    TPoint s{p.X + o.X, p.Y + o.Y};
    if (const TForm* form = Form()) {
        TRect frame = form->FrameInsets();
        s.X += form->Left() + frame.Left;
        s.Y += form->Top() + frame.Top;
    }
    return s;
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint zero = ClientToScreen({0, 0});
    return {p.X - zero.X, p.Y - zero.Y};
}

void TControl::BringToFront() {
    MoveInZOrder(true);
}

void TControl::SendToBack() {
    MoveInZOrder(false);
}

void TControl::MoveInZOrder(bool toFront) {
    if (!parent_) return;
    auto& list = parent_->children_;
    const auto self =
        std::find_if(list.begin(), list.end(), [this](const auto& c) { return c.get() == this; });
    if (self == list.end()) return;
    // The parent paints its children first to last and hit-tests them last to first.
    if (toFront)
        std::rotate(self, self + 1, list.end());
    else
        std::rotate(list.begin(), self, self + 1);
    Invalidate();
}

bool TControl::MouseInControl() const {
    TForm* form = Form();
    return form && form->MouseControl() == this;
}

bool TControl::MouseCapture() const {
    TForm* form = Form();
    return form && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    TForm* form = Form();
    if (!form) return;
    if (capture)
        form->SetCaptureControl(this);
    else if (form->CaptureControl() == this)
        form->SetCaptureControl(nullptr);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

bool TControl::HitTest(TPoint) const {
    return true;
}
TCursor TControl::CursorAt(TPoint) const {
    return cursor_;
}
TFrameHit TControl::FrameHitAt(TPoint) const {
    return fhClient;
}

std::size_t TControl::AccelIndex(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return i + 1;
        ++i;  // "&&" is a literal ampersand
    }
    return std::string::npos;
}

bool TControl::IsAccel(char32_t ch, const std::string& caption) {
    const std::size_t at = AccelIndex(caption);
    if (at == std::string::npos) return false;
    auto c = static_cast<unsigned char>(caption[at]);
    if (c >= 0x80 || ch >= 0x80) return false;  // accelerators are ASCII letters and digits
    return std::towupper(static_cast<wint_t>(c)) == std::towupper(static_cast<wint_t>(ch));
}

TAccessible* TControl::Accessible() {
    if (!accessible_) accessible_ = CreateAccessible();
    return accessible_.get();
}

std::unique_ptr<TControlAccessible> TControl::CreateAccessible() {
    return std::make_unique<TControlAccessible>(*this);
}

void TControl::DescribeAccessible(TAccDescription& d) const {
    d.Name = AccessibleCaption(caption_);
    d.Description = hint_.substr(0, hint_.find('|'));
    d.Shortcut = AccessibleShortcut(caption_);
    if (!Showing()) d.States |= asInvisible;
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->enabled_) d.States |= asDisabled;
    }
}

bool TControl::AccessibleAction() {
    TAccDescription d;
    DescribeAccessible(d);
    if ((d.DefaultAction != aaPress && d.DefaultAction != aaOpenLink) || !Showing() ||
        (d.States & asDisabled))
        return false;
    Click();
    return true;
}

void TControl::AccessibleChanged(TAccEvent event) {
    if (accessible_) accessible_->Raise(event);
}

void TControl::Paint(TCanvas&) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, delta, pos, handled);
    return handled;
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

bool TControl::DialogChar(char32_t, TShiftState) {
    return false;
}
bool TControl::DialogKey(TKey, TShiftState) {
    return false;
}
