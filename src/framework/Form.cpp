#include "framework/Form.h"

#include <algorithm>
#include <cwctype>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Application.h"

namespace {

template <class F>
void Safely(TApplication* app, F&& fn) {
    if (app)
        app->Guard(fn);
    else
        fn();
}

bool IsWithin(const TControl* c, const TControl* container) {
    for (; c; c = c->Parent())
        if (c == container) return true;
    return false;
}

bool EnabledChain(const TControl* c) {
    for (; c; c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}

TPoint Sub(TPoint a, TPoint b) {
    return {a.X - b.X, a.Y - b.Y};
}

// Restores the other forms' input when a modal loop ends, however it ends.
class TModalScope {
  public:
    TModalScope(TApplication* app, TForm* modal) : app_(app) {
        if (!app_) return;
        for (TForm* f : app_->Forms()) {
            if (f == modal || !f->HostWindow() || !f->Visible()) continue;
            f->HostWindow()->SetEnabled(false);
            disabled_.push_back(f);
            if (f->Active()) previous_ = f;
        }
    }
    ~TModalScope() {
        if (!app_) return;
        for (TForm* f : disabled_) {
            if (!IsRegistered(f) || !f->HostWindow()) continue;
            f->HostWindow()->SetEnabled(true);
        }
        if (previous_ && IsRegistered(previous_) && previous_->HostWindow() && previous_->Visible())
            previous_->HostWindow()->Activate();
    }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

  private:
    bool IsRegistered(TForm* f) const {
        const auto& forms = app_->Forms();
        return std::find(forms.begin(), forms.end(), f) != forms.end();
    }
    TApplication* app_;
    std::vector<TForm*> disabled_;
    TForm* previous_ = nullptr;
};

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner), app_(TApplication::Of(owner)) {
    visible_ = false;
    parentFont_ = false;
    bounds_ = Bounds(0, 0, 328, 274);
    if (app_) app_->RegisterForm(this);
}

TForm::~TForm() {
    destroying_ = true;
    if (created_ && OnDestroy) OnDestroy(this);
    TApplication::ControlDestroying(this);
    if (app_) app_->UnregisterForm(this);
    activeControl_ = nullptr;
    mouseControl_ = captureControl_ = pressedControl_ = nullptr;
    hostWindow_.reset();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    TRect client = ClientRect();
    borderStyle_ = style;
    TRect f = FrameInsets();
    SetBounds(Left(), Top(), client.Width() + f.Left + f.Right, client.Height() + f.Top + f.Bottom);
}

TBorderIcons TForm::BorderIcons() const {
    if (borderStyle_ == bsNone) return 0;
    TBorderIcons icons = borderIcons_;
    if (!(icons & biSystemMenu)) return 0;
    if (borderStyle_ == bsDialog) icons &= biSystemMenu;
    if (borderStyle_ != bsSizeable) icons &= ~biMaximize;
    return icons;
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons & (biSystemMenu | biMinimize | biMaximize);
}

void TForm::SetIcon(const TPixelBuffer& icon) {
    icon_ = icon;
    if (hostWindow_) hostWindow_->SetIcon(icon_);
}

void TForm::SetWindowState(TWindowState state) {
    if (!StoreChanged(windowState_, state)) return;
    if (hostWindow_) hostWindow_->SetState(state);
    InvalidateFormRect(ClientRect());
}

TRect TForm::FrameInsets() const {
    switch (borderStyle_) {
        case bsNone:
            return {0, 0, 0, 0};
        case bsSizeable:
            return {4, 30, 4, 4};
        default:
            return {3, 29, 3, 3};
    }
}

TRect TForm::ClientRect() const {
    TRect f = FrameInsets();
    return {0, 0, std::max(0, Width() - f.Left - f.Right),
            std::max(0, Height() - f.Top - f.Bottom)};
}

void TForm::SetClientWidth(int width) {
    TRect f = FrameInsets();
    SetWidth(std::max(0, width) + f.Left + f.Right);
}

void TForm::SetClientHeight(int height) {
    TRect f = FrameInsets();
    SetHeight(std::max(0, height) + f.Top + f.Bottom);
}

void TForm::SetBounds(int left, int top, int width, int height) {
    // The back buffer is as large as the client area; larger than any screen is no use.
    constexpr int kMaxSize = 8192;
    width = std::min(width, kMaxSize);
    height = std::min(height, kMaxSize);
    TRect old = bounds_;
    TControl::SetBounds(left, top, width, height);
    if (bounds_ != old && hostWindow_ && !fromHost_)
        hostWindow_->SetClientBounds(ClientScreenRect());
}

TRect TForm::ClientScreenRect() const {
    TRect f = FrameInsets();
    TRect c = ClientRect();
    return Bounds(Left() + f.Left, Top() + f.Top, c.Width(), c.Height());
}

void TForm::Resize() {
    TRect c = ClientRect();
    backBuffer_.Resize(c.Width(), c.Height(), ColorToPixel(Color()));
    invalid_ = TRegion(c);
    TWinControl::Resize();
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == this) control = nullptr;
    if (control == activeControl_ || (control && control->Form() != this)) return;
    TWinControl* old = activeControl_;
    activeControl_ = control;
    Safely(app_, [&] {
        if (old) old->DoExit();
        if (control && activeControl_ == control) control->DoEnter();
        TWinControl* now = activeControl_;
        Broadcast([now](TControl& c) {
            c.ActiveControlChanged(now);
            return false;
        });
        FocusChanged();
    });
}

void TForm::FocusChanged() {
    // Assistive technology follows the focus without having asked about the control first.
    if (!AccEventSink() || !active_) return;
    TWinControl* focused = activeControl_ ? activeControl_ : this;
    focused->Accessible()->Raise(aeFocus);
}

void TForm::DescribeAccessible(TAccDescription& d) const {
    TWinControl::DescribeAccessible(d);
    d.Role = borderStyle_ == bsDialog ? arDialog : arWindow;
    d.Shortcut.clear();
    if (active_) d.States |= asFocused;
}

std::vector<TComponent*> TForm::AllComponents() const {
    std::vector<TComponent*> all;
    std::vector<const TControl*> stack{this};
    while (!stack.empty()) {
        const TControl* c = stack.back();
        stack.pop_back();
        all.push_back(const_cast<TControl*>(c));
        for (const auto& owned : c->OwnedComponents()) all.push_back(owned.get());
        if (const auto* win = dynamic_cast<const TWinControl*>(c)) {
            for (int i = win->ControlCount() - 1; i >= 0; --i) stack.push_back(win->Controls(i));
        }
    }
    return all;
}

TComponent* TForm::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : AllComponents())
        if (c != this && c->Name() == name) return c;
    return nullptr;
}

void TForm::LoadAll() {
    for (TComponent* c : AllComponents())
        if (c->Loading()) c->Loaded();
}

void TForm::FinishCreate() {
    if (created_) return;
    created_ = true;
    LoadAll();
    if (OnCreate) OnCreate(this);
}

void TForm::PlaceOnScreen() {
    TRect area;
    if (position_ == poOwnerFormCenter) {
        if (auto* owner = dynamic_cast<TForm*>(Owner()); owner && owner->Visible())
            area = owner->BoundsRect();
    }
    if (area.IsEmpty() && position_ != poDesigned && app_) area = app_->Host().WorkArea();
    if (area.IsEmpty()) return;
    int left = area.Left + (area.Width() - Width()) / 2;
    int top = area.Top + (area.Height() - Height()) / 2;
    SetBounds(left, top, Width(), Height());
}

TWindowKind TForm::WindowKind() const {
    switch (borderStyle_) {
        case bsNone:
            return wkPopup;
        case bsSizeable:
            return wkSizeable;
        default:
            return wkDialog;
    }
}

void TForm::CreateHostWindow() {
    if (hostWindow_ || !app_) return;
    PlaceOnScreen();
    THostWindowParams params{Caption(), ClientScreenRect(), WindowKind()};
    hostWindow_ = app_->Host().CreateHostWindow(params, *this);
    TRect c = ClientRect();
    backBuffer_.Resize(c.Width(), c.Height(), ColorToPixel(Color()));
    invalid_ = TRegion(c);
    hostWindow_->SetState(windowState_);
    if (icon_.Width() > 0) hostWindow_->SetIcon(icon_);
}

void TForm::VisibleChanged() {
    AccessibleRoot()->Raise(aeChildren);
    if (Visible()) {
        FinishCreate();
        CreateHostWindow();
        if (!hostWindow_) return;
        if (!activeControl_) {
            if (TWinControl* first = FindNextControl(nullptr, true, true)) activeControl_ = first;
        }
        invalid_ = TRegion(ClientRect());
        UpdateWindow();
        hostWindow_->SetVisible(true);
        if (WindowKind() != wkPopup) hostWindow_->Activate();
        if (OnShow) OnShow(this);
    } else {
        if (hostWindow_) hostWindow_->SetVisible(false);
        SetCaptureControl(nullptr);
        if (mouseControl_) TrackMouse(nullptr);
        if (OnHide) OnHide(this);
    }
}

void TForm::TextChanged() {
    if (hostWindow_) hostWindow_->SetCaption(Caption());
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (!CloseQuery()) return;
    bool isMain = app_ && app_->MainForm() == this;
    TCloseAction action = (isMain && !modal_) ? caFree : caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (action == caMinimize) {
        SetWindowState(wsMinimized);
        return;
    }
    if (isMain) app_->Terminate();
    Hide();
}

TModalResult TForm::ShowModal() {
    if (modal_ || Visible() || !app_) return mrCancel;
    FinishCreate();
    app_->CancelHint();
    modalResult_ = mrNone;
    {
        TModalScope scope(app_, this);
        modal_ = true;
        try {
            Show();
            app_->RunLoop([this] { return modalResult_ != mrNone || !Visible(); });
        } catch (...) {
            // Whatever failed goes on to the message loop's guard; the form only stops being
            // modal on its way.
            modal_ = false;
            Hide();
            throw;
        }
        modal_ = false;
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        Hide();
    }
    return modalResult_;
}

void TForm::InvalidateFormRect(const TRect& formRect) {
    TRect r = formRect.Intersect(ClientRect());
    if (!r.IsEmpty()) invalid_.Union(r);
}

void TForm::UpdateWindow() {
    if (!hostWindow_ || !Visible() || invalid_.IsEmpty()) return;
    TRegion dirty = invalid_;
    invalid_.Clear();
    dirty.Intersect(ClientRect());
    if (dirty.IsEmpty()) return;
    TCanvas canvas(backBuffer_);
    PaintTree(canvas, dirty);
    hostWindow_->Present(backBuffer_, dirty);
}

void TForm::SetCaptureControl(TControl* control) {
    if (control == captureControl_) return;
    TControl* old = captureControl_;
    captureControl_ = control;
    if (hostWindow_) hostWindow_->SetCapture(control != nullptr);
    if (old) old->CaptureLost();
}

void TForm::UpdateCursor() {
    if (!hostWindow_) return;
    TControl* c = captureControl_ ? captureControl_ : mouseControl_;
    TCursor cursor = crDefault;
    for (; c && cursor == crDefault; c = c->Parent())
        cursor = c->CursorAt(Sub(mousePos_, c->FormOrigin()));
    TCursor shape = CursorShape(cursor);
    if (StoreChanged(shownCursor_, shape)) hostWindow_->SetCursor(shape);
}

void TForm::ControlDestroying(TControl* control) {
    if (destroying_ || !control) return;
    if (IsWithin(activeControl_, control)) activeControl_ = nullptr;
    if (IsWithin(mouseControl_, control)) mouseControl_ = nullptr;
    if (IsWithin(pressedControl_, control)) pressedControl_ = nullptr;
    if (IsWithin(captureControl_, control)) {
        captureControl_ = nullptr;
        if (hostWindow_) hostWindow_->SetCapture(false);
    }
}

TControl* TForm::UnderMouse(TPoint pos) const {
    // A captured drag reports points outside the window, where no control is.
    if (!ClientRect().Contains(pos)) return nullptr;
    TControl* c = ControlAtPos(pos, true);
    return c ? c : const_cast<TForm*>(this);
}

TControl* TForm::TargetAt(TPoint pos) const {
    return captureControl_ ? captureControl_ : UnderMouse(pos);
}

void TForm::TrackMouse(TControl* control) {
    if (control == mouseControl_) return;
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old) old->MouseLeave();
    // The leave handler may have moved the mouse control on already.
    if (control && mouseControl_ == control) control->MouseEnter();
}

void TForm::HostMouseMove(TPoint pos, TShiftState shift) {
    Safely(app_, [&] {
        mousePos_ = pos;
        TControl* under = UnderMouse(pos);
        TrackMouse(under);
        if (app_) app_->Hints().MouseMoved(under, ClientToScreen(pos));
        TControl* target = captureControl_ ? captureControl_ : under;
        if (target && EnabledChain(target)) {
            TPoint p = Sub(pos, target->FormOrigin());
            target->MouseMove(shift, p.X, p.Y);
        }
        UpdateCursor();
    });
}

void TForm::HostMouseDown(TMouseButton button, TPoint pos, TShiftState shift, int clicks) {
    Safely(app_, [&] {
        if (app_) app_->CancelHint();
        mousePos_ = pos;
        TControl* target = TargetAt(pos);
        if (!target || !EnabledChain(target)) return;
        if (!captureControl_ && (target->ControlStyle() & csCaptureMouse))
            SetCaptureControl(target);
        if (button == mbLeft) pressedControl_ = target;
        TPoint p = Sub(pos, target->FormOrigin());
        bool dbl = clicks >= 2 && (target->ControlStyle() & csDoubleClicks);
        if (dbl) target->DblClick();
        target->MouseDown(button, shift | (dbl ? ssDouble : 0), p.X, p.Y);
    });
}

void TForm::HostMouseUp(TMouseButton button, TPoint pos, TShiftState shift) {
    Safely(app_, [&] {
        if (app_) app_->CancelHint();
        mousePos_ = pos;
        TControl* target = TargetAt(pos);
        bool held = shift & (ssLeft | ssRight | ssMiddle) & ~ButtonShift(button);
        if (!held) SetCaptureControl(nullptr);
        TControl* pressed = button == mbLeft ? pressedControl_ : nullptr;
        if (button == mbLeft) pressedControl_ = nullptr;
        if (target && EnabledChain(target)) {
            TPoint p = Sub(pos, target->FormOrigin());
            if (pressed == target && (target->ControlStyle() & csClickEvents) &&
                target->ClientRect().Contains(p))
                target->Click();
            target->MouseUp(button, shift, p.X, p.Y);
        }
        // A click that closed the window leaves its controls alone: no enter or leave after.
        if (Visible()) TrackMouse(UnderMouse(pos));
        UpdateCursor();
    });
}

void TForm::HostMouseWheel(int delta, TPoint pos, TShiftState shift) {
    Safely(app_, [&] {
        if (app_) app_->CancelHint();
        for (TControl* c = TargetAt(pos); c; c = c->Parent()) {
            if (!EnabledChain(c)) continue;
            if (c->MouseWheel(shift, delta, Sub(pos, c->FormOrigin()))) break;
        }
    });
}

void TForm::HostMouseLeave() {
    Safely(app_, [&] {
        if (captureControl_) return;
        TrackMouse(nullptr);
        if (app_) app_->Hints().MouseMoved(nullptr, {});
    });
}

TWinControl* TForm::KeyTarget() {
    if (activeControl_ && activeControl_->CanFocus()) return activeControl_;
    return this;
}

void TForm::HostKeyDown(TKey key, TShiftState shift) {
    Safely(app_, [&] {
        if (app_) app_->CancelHint();
        TWinControl* target = KeyTarget();
        TKey k = key;
        target->KeyDown(k, shift);
        if (k == 0) return;
        for (TWinControl* c = target->Parent(); c; c = c->Parent())
            if (c->DialogKey(k, shift)) return;
        if (k == vkTab && !(shift & (ssCtrl | ssAlt)) && !target->WantsKey(k, shift)) {
            TWinControl* current = target == this ? nullptr : target;
            if (TWinControl* next = FindNextControl(current, !(shift & ssShift), true))
                next->SetFocus();
            return;
        }
        if (BroadcastDialogKey(k, shift)) return;
        bool alnum = (k >= '0' && k <= '9') || (k >= 'A' && k <= 'Z');
        if ((shift & ssAlt) && !(shift & ssCtrl) && alnum)
            BroadcastDialogChar(static_cast<char32_t>(std::towlower(k)), shift);
    });
}

void TForm::HostKeyUp(TKey key, TShiftState shift) {
    Safely(app_, [&] {
        if (app_) app_->CancelHint();
        TKey k = key;
        KeyTarget()->KeyUp(k, shift);
    });
}

void TForm::HostChar(char32_t ch) {
    Safely(app_, [&] {
        char32_t c = ch;
        KeyTarget()->KeyPress(c);
        if (c != 0) BroadcastDialogChar(c, 0);
    });
}

void TForm::HostActivate(bool active) {
    Safely(app_, [&] {
        if (active == active_) return;
        if (app_) app_->CancelHint();
        active_ = active;
        if (activeControl_) activeControl_->Invalidate();
        if (active && OnActivate) OnActivate(this);
        if (!active && OnDeactivate) OnDeactivate(this);
        AccessibleChanged(aeState);
        FocusChanged();
    });
}

void TForm::HostMoved(TPoint clientTopLeft) {
    TRect f = FrameInsets();
    bounds_ = Bounds(clientTopLeft.X - f.Left, clientTopLeft.Y - f.Top, Width(), Height());
}

void TForm::HostResized(int clientWidth, int clientHeight) {
    Safely(app_, [&] {
        TRect f = FrameInsets();
        constexpr int kLimit = 1 << 20;
        clientWidth = std::clamp(clientWidth, 0, kLimit);
        clientHeight = std::clamp(clientHeight, 0, kLimit);
        fromHost_ = true;
        SetBounds(Left(), Top(), clientWidth + f.Left + f.Right, clientHeight + f.Top + f.Bottom);
        fromHost_ = false;
    });
}

void TForm::HostStateChanged(TWindowState state) {
    if (StoreChanged(windowState_, state)) InvalidateFormRect(ClientRect());
}

void TForm::HostCloseRequest() {
    Safely(app_, [&] { Close(); });
}

void TForm::HostExposed() {
    if (hostWindow_ && Visible()) hostWindow_->Present(backBuffer_, TRegion(ClientRect()));
}

TFrameHit TForm::HostFrameHit(TPoint pos) {
    // Only a window that can be sized, at its normal size, is sized from inside.
    if (borderStyle_ != bsSizeable || windowState_ != wsNormal) return fhClient;
    TControl* c = ControlAtPos(pos, false);
    if (!c) return fhClient;
    return c->FrameHitAt(Sub(pos, c->FormOrigin()));
}
