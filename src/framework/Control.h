#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Cursors.h"
#include "framework/Events.h"
#include "framework/Host.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "graphics/Geometry.h"

class TApplication;
class TWinControl;
class TForm;
class TAccessible;
class TControlAccessible;
struct TAccDescription;
enum TAccEvent : std::uint8_t;

// Docking of a control inside its parent's client area. Controls of one kind stack in the
// order of their positions (top to bottom, bottom to top, left to right, right to left);
// alClient takes what is left.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Horizontal text alignment. The values are those of the canvas's TextOut alignment, so
// taCenter serves both.
using TAlignment = unsigned;
inline constexpr TAlignment taLeftJustify = taLeft;
inline constexpr TAlignment taRightJustify = taRight;

enum TVerticalLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

// Behaviour switches of a control class.
using TControlStyle = std::uint16_t;
inline constexpr TControlStyle csClickEvents = 1;   // a left press and release inside clicks
inline constexpr TControlStyle csCaptureMouse = 2;  // a press captures the mouse until release
inline constexpr TControlStyle csDoubleClicks = 4;  // the second press of a pair is DblClick
inline constexpr TControlStyle csOpaque = 8;        // Paint covers every pixel: no erase first

// The base of everything placed on a form. Positions are in the parent's client
// coordinates. Windowless controls (TGraphicControl) paint on their parent's surface;
// windowed ones (TWinControl) also hold children and take the keyboard.
//
// Handlers the framework calls are the protected virtuals below; each base version raises
// the matching OnXxx event, so an override calls it to keep the event.
class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner = nullptr);
    ~TControl() override;

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    // Negative sizes become 0 and absurd values are cut to about a million pixels. Repaints
    // the old and new areas and re-aligns on change.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return bounds_; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all parents up to a form that is shown.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TWinControl* Parent() const { return parent_; }
    // Moves the control to another parent, which takes it over; a control gets its first
    // parent through TWinControl::InsertControl and never loses it (null is ignored).
    void SetParent(TWinControl* parent);
    // The form the control lies on (the form itself for a form); null while unparented.
    TForm* Form() const;
    // The application of the control's form: its timers, hints, cursor and desktop. Null
    // while the control is on no form or its form belongs to none.
    TApplication* Application() const;
    // The display settings of the control's application; the defaults while it has none.
    const TDisplaySettings& Display() const;

    const TFont& Font() const { return font_; }
    // Clears ParentFont.
    void SetFont(const TFont& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return color_; }
    // Clears ParentColor.
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The text the hint service shows is the part before the first "|".
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint) { showHint_ = showHint; }
    TCursor Cursor() const { return cursor_; }
    // Takes effect at once when the mouse is over the control.
    void SetCursor(TCursor cursor);

    TControlStyle ControlStyle() const { return style_; }
    void SetControlStyle(TControlStyle style) { style_ = style; }

    // Marks the whole control, or a part of its client area, for repainting by the loop.
    void Invalidate();
    void InvalidateRect(const TRect& clientRect);
    // Paints what is invalid on the control's form now instead of in the loop.
    void Update();
    void Repaint() {
        Invalidate();
        Update();
    }

    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // Where the control's client origin lies in its form's client area (its back buffer).
    TPoint FormOrigin() const;
    // The part of the form's client area where the control can be seen: its bounds cut by
    // every parent's client area. Empty while not showing.
    TRect VisibleFormRect() const;

    void BringToFront();
    void SendToBack();

    // Whether the control is under the mouse (between MouseEnter and MouseLeave).
    bool MouseInControl() const;
    bool MouseCapture() const;
    // Capturing sends every mouse event to this control until released.
    void SetMouseCapture(bool capture);

    // The click: raises OnClick. Code may call it to act as if the user clicked.
    virtual void Click();

    // Whether a press at this client point belongs to the control; where it does not, the
    // control behind (usually the parent) gets the mouse.
    virtual bool HitTest(TPoint pos) const;
    // The cursor shown over a client point; by default Cursor().
    virtual TCursor CursorAt(TPoint pos) const;
    // What a press at a client point means to the form's frame (a size grip says so).
    virtual TFrameHit FrameHitAt(TPoint pos) const;

    // True when ch is the accelerator letter of caption (the character after a single "&"),
    // compared without case.
    static bool IsAccel(char32_t ch, const std::string& caption);
    // Where the accelerator letter of caption stands, or std::string::npos.
    static std::size_t AccelIndex(const std::string& caption);

    // The control's node in the accessibility tree, made on first use.
    TAccessible* Accessible();
    // What the control is to assistive technology. The base gives a pane named by the
    // caption (without its "&") with the states of visibility, enabled and focus.
    virtual void DescribeAccessible(TAccDescription& d) const;
    // Performs the described default action; the base clicks for aaPress.
    virtual bool AccessibleAction();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;

  protected:
    // Draws the control. The canvas's origin is the control's client origin, its clip the
    // invalid part of the control, its font the control's Font and its brush the Color.
    virtual void Paint(TCanvas& canvas);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Returns true when handled; otherwise the parent gets the wheel.
    virtual bool MouseWheel(TShiftState shift, int delta, TPoint pos);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DblClick();
    // The mouse capture was taken away (released, or given to another control).
    virtual void CaptureLost() {}
    // After the size changed; raises OnResize.
    virtual void Resize();
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    virtual void VisibleChanged() {}
    virtual void TextChanged() { Invalidate(); }
    // After the control joined a parent, or left one (then Parent() is null).
    virtual void ParentChanged() {}
    // The keyboard focus moved to focused (null: the form itself); every control of the form
    // hears of it, so default buttons can follow.
    virtual void ActiveControlChanged(TWinControl* focused) { (void)focused; }
    // An accelerator character offered to every control of the form; return true to take it.
    virtual bool DialogChar(char32_t ch, TShiftState shift);
    // A key that the focused control left unhandled, offered first to its containers and
    // then to every control of the form (Ctrl+Tab, Enter, Escape); return true to take it.
    virtual bool DialogKey(TKey key, TShiftState shift);
    // Makes the accessibility node; controls with parts of their own return a richer one.
    virtual std::unique_ptr<TControlAccessible> CreateAccessible();
    // Tells assistive technology of a change, when it has asked about this control.
    void AccessibleChanged(TAccEvent event);
    // The node when one was made, else null.
    TControlAccessible* AccessibleNode() const { return accessible_.get(); }

  private:
    friend class TWinControl;
    friend class TForm;

    void ParentFontChanged(const TFont& font);
    void ParentColorChanged(TColor color);
    void CopyParentSettings();
    // Puts this control last (front) or first (back) among its parent's children.
    void MoveInZOrder(bool toFront);

    TWinControl* parent_ = nullptr;
    TRect bounds_;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    TCursor cursor_ = crDefault;
    TControlStyle style_ = csClickEvents | csCaptureMouse | csDoubleClicks;
    std::unique_ptr<TControlAccessible> accessible_;
};
