#include "widgets/WsToolButton.h"

#include <algorithm>
#include <climits>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/WinControl.h"
#include "graphics/Bitmap.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrames.h"
#include "widgets/WsShading.h"
#include "widgets/WsToolbar.h"

namespace {

constexpr int kArrowWidth = 14;  // the drop-down part at the right of a tsDropDown button
constexpr int kContentInset = 2;
constexpr int kGlyphGap = 4;
constexpr unsigned kCaptionFormat = dtCenter | dtWordBreak | dtExpandTabs;

bool Pressed(TWsToolButtonState state) {
    return state == tbsDown || state == tbsExclusive || state == tbsMenuOpen;
}

}  // namespace

TWsToolButton::TWsToolButton(TComponent* owner) : TGraphicControl(owner) {
    // The default size is not a size set by the user: it keeps following the tool bar.
    TGraphicControl::SetBounds(0, 0, 25, 25);
    // The click is raised on release inside by the button itself; a fast second press is
    // just another press.
    SetControlStyle(csCaptureMouse);
}

TWsToolButton::~TWsToolButton() = default;

TWsToolbar* TWsToolButton::Toolbar() const {
    return dynamic_cast<TWsToolbar*>(Parent());
}

void TWsToolButton::SetUseToolbarButtonSize(bool use) {
    if (StoreChanged(useSize_, use) && use) ToolbarNotice(tnSize);
}

void TWsToolButton::SetLayout(TButtonLayout layout) {
    useLayout_ = false;
    if (StoreChanged(layout_, layout)) Invalidate();
}

void TWsToolButton::SetUseToolbarButtonLayout(bool use) {
    if (StoreChanged(useLayout_, use) && use) ToolbarNotice(tnLayout);
}

void TWsToolButton::SetShowCaption(bool show) {
    useShowCaption_ = false;
    if (StoreChanged(showCaption_, show)) Invalidate();
}

void TWsToolButton::SetUseToolbarShowCaption(bool use) {
    if (StoreChanged(useShowCaption_, use) && use) ToolbarNotice(tnCaptionSetting);
}

void TWsToolButton::SetVisualStyle(TWsVisualStyle style) {
    if (StoreChanged(visualStyle_, style)) Invalidate();
}

void TWsToolButton::SetGradientColorStyle(TWsGradientColorStyle style) {
    if (StoreChanged(gradientColorStyle_, style)) Invalidate();
}

void TWsToolButton::SetUseToolbarVisualStyle(bool use) {
    if (StoreChanged(useStyle_, use) && use) ToolbarNotice(tnStyle);
}

void TWsToolButton::SetSelectionColorStart(TColor color) {
    if (StoreChanged(selectionStart_, color)) Invalidate();
}
void TWsToolButton::SetSelectionColorStop(TColor color) {
    if (StoreChanged(selectionStop_, color)) Invalidate();
}
void TWsToolButton::SetSelectionFrameColor(TColor color) {
    if (StoreChanged(selectionFrame_, color)) Invalidate();
}
void TWsToolButton::SetImages(TImageList* images) {
    if (StoreChanged(images_, images)) Invalidate();
}
void TWsToolButton::SetImageIndex(int index) {
    if (StoreChanged(imageIndex_, std::max(-1, index))) Invalidate();
}
void TWsToolButton::SetHotIndex(int index) {
    if (StoreChanged(hotIndex_, std::max(-1, index))) Invalidate();
}
void TWsToolButton::SetDownIndex(int index) {
    if (StoreChanged(downIndex_, std::max(-1, index))) Invalidate();
}
void TWsToolButton::SetDisabledIndex(int index) {
    if (StoreChanged(disabledIndex_, std::max(-1, index))) Invalidate();
}
void TWsToolButton::SetAlignment(TAlignment alignment) {
    if (StoreChanged(alignment_, alignment)) Invalidate();
}
void TWsToolButton::SetFlat(bool flat) {
    if (StoreChanged(flat_, flat)) Invalidate();
}
void TWsToolButton::SetTransparent(bool transparent) {
    if (StoreChanged(transparent_, transparent)) Invalidate();
}
void TWsToolButton::SetToolStyle(TWsToolStyle style) {
    if (!StoreChanged(toolStyle_, style)) return;
    ApplyToolbarSize();
    Invalidate();
}

void TWsToolButton::SetGroupIndex(int index) {
    if (!StoreChanged(groupIndex_, std::max(0, index))) return;
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        state_ = tbsUp;
        Invalidate();
    }
}

void TWsToolButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    // A group keeps one button down unless it allows all up.
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down) {
        if (state_ == tbsUp) state_ = tbsExclusive;
        ReleaseGroup();
    } else if (state_ == tbsExclusive) {
        state_ = tbsUp;
    }
    Invalidate();
}

void TWsToolButton::SetAllowAllUp(bool allow) {
    if (StoreChanged(allowAllUp_, allow) && groupIndex_ > 0) ReleaseGroup();
}

void TWsToolButton::ReleaseGroup() {
    TWinControl* parent = Parent();
    if (!parent || groupIndex_ == 0) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TWsToolButton*>(parent->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
        other->allowAllUp_ = allowAllUp_;
        if (down_ && other->down_) {
            other->down_ = false;
            if (other->state_ == tbsExclusive) other->state_ = tbsUp;
            other->Invalidate();
        }
    }
}

TImageList* TWsToolButton::GlyphImages() const {
    if (images_) return images_;
    TWsToolbar* bar = Toolbar();
    return bar ? bar->Images() : nullptr;
}

void TWsToolButton::SetBounds(int left, int top, int width, int height) {
    const bool sized = width != Width() || height != Height();
    TGraphicControl::SetBounds(left, top, width, height);
    if (sized && !Loading() && !applyingToolbar_) useSize_ = false;
}

void TWsToolButton::ApplyToolbarSize() {
    TWsToolbar* bar = Toolbar();
    if (!bar || !useSize_) return;
    int width = bar->ButtonWidth();
    if (showCaption_ && !Caption().empty()) {
        TBitmap measure(1, 1);
        measure.Canvas().Font() = Font();
        TRect r{0, 0, 0, 0};
        measure.Canvas().DrawText(Caption(), r, dtCalcRect | dtSingleLine | dtExpandTabs);
        const bool besideGlyph = layout_ == blGlyphLeft || layout_ == blGlyphRight;
        const TImageList* list = GlyphImages();
        const int glyphWidth = list && imageIndex_ >= 0 ? list->Width() : 0;
        width = std::max(width, besideGlyph ? glyphWidth + r.Width() + 12 : r.Width() + 8);
    }
    if (toolStyle_ == tsDropDown) width += kArrowWidth;
    applyingToolbar_ = true;
    SetBounds(Left(), Top(), width, bar->ButtonHeight());
    applyingToolbar_ = false;
}

void TWsToolButton::ToolbarNotice(TWsToolbarNotice notice) {
    TWsToolbar* bar = Toolbar();
    if (!bar) return;
    switch (notice) {
        case tnCaptionSetting:
            if (!useShowCaption_) return;
            showCaption_ = bar->ShowButtonCaptions();
            ApplyToolbarSize();
            break;
        case tnLayout:
            if (!useLayout_) return;
            layout_ = bar->ButtonLayout();
            break;
        case tnSize:
            ApplyToolbarSize();
            break;
        case tnStyle:
            if (!useStyle_) return;
            visualStyle_ = bar->VisualStyle();
            gradientColorStyle_ = bar->GradientColorStyle();
            break;
    }
    Invalidate();
}

void TWsToolButton::PickUpToolbarSettings() {
    for (TWsToolbarNotice n : {tnCaptionSetting, tnLayout, tnSize, tnStyle}) ToolbarNotice(n);
    Invalidate();
}

void TWsToolButton::Loaded() {
    TGraphicControl::Loaded();
    PickUpToolbarSettings();
}

void TWsToolButton::ParentChanged() {
    TGraphicControl::ParentChanged();
    if (!Loading()) PickUpToolbarSettings();
}

void TWsToolButton::TextChanged() {
    if (!Loading()) PickUpToolbarSettings();
    Invalidate();
}

void TWsToolButton::EnabledChanged() {
    NormaliseState();
    Invalidate();
}

void TWsToolButton::NormaliseState() {
    if (!Enabled()) {
        state_ = tbsDisabled;
        pressActive_ = false;
    } else if (state_ == tbsDisabled) {
        state_ = down_ && groupIndex_ > 0 ? tbsExclusive : tbsUp;
    }
}

void TWsToolButton::SetState(TWsToolButtonState state) {
    if (StoreChanged(state_, state)) Repaint();
}

void TWsToolButton::SetPointerOver(bool over) {
    if (!StoreChanged(pointerOver_, over)) return;
    if (over)
        TGraphicControl::MouseEnter();
    else
        TGraphicControl::MouseLeave();
    Repaint();
}

bool TWsToolButton::OnArrowPart(int x) const {
    return toolStyle_ == tsDropDown && x >= Width() - kArrowWidth;
}

void TWsToolButton::MouseEnter() {
    if (!Showing()) return;
    SetPointerOver(true);
}

void TWsToolButton::MouseLeave() {
    if (state_ == tbsMenuOpen) return;
    SetPointerOver(false);
}

void TWsToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        const bool menuOnly = toolStyle_ == tsDropDown && !OnClick;
        if (OnArrowPart(x) || menuOnly) {
            // The menu is the owner's; the button shows itself open while it runs.
            SetState(tbsMenuOpen);
            if (OnDropDown) OnDropDown(this);
            SetMouseCapture(false);
            if (state_ == tbsMenuOpen) SetState(down_ ? tbsExclusive : tbsUp);
            SetPointerOver(MouseInControl());
        } else {
            pressActive_ = true;
            SetState(tbsDown);
        }
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TWsToolButton::MouseMove(TShiftState shift, int x, int y) {
    if (pressActive_) {
        const bool inside = ClientRect().Contains({x, y});
        SetState(inside ? tbsDown : down_ ? tbsExclusive : tbsUp);
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TWsToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && pressActive_) {
        pressActive_ = false;
        const bool inside = ClientRect().Contains({x, y});
        state_ = down_ ? tbsExclusive : tbsUp;
        pointerOver_ = false;
        if (inside) {
            Repaint();
            if (groupIndex_ > 0) SetDown(!down_);
            Click();
        }
        // The click may have hidden the window or moved the pointer's control on; the hover
        // flag follows where the pointer is now.
        SetPointerOver(Showing() && MouseInControl());
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TWsToolButton::CaptureLost() {
    // A release inside the window still arrives after the capture ends; a window that went
    // away takes the press with it.
    if (pressActive_ && !Showing()) {
        pressActive_ = false;
        state_ = down_ ? tbsExclusive : tbsUp;
        pointerOver_ = false;
    }
}

bool TWsToolButton::DialogChar(char32_t ch, TShiftState) {
    if (!IsAccel(ch, Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing())
        return false;
    if (toolStyle_ == tsDropDown && !OnClick) {
        if (OnDropDown) OnDropDown(this);
        return true;
    }
    if (groupIndex_ > 0) SetDown(!down_);
    Click();
    return true;
}

void TWsToolButton::Click() {
    TGraphicControl::Click();
}

TWsToolButton::TContentLayout TWsToolButton::ContentLayout(TCanvas& canvas) const {
    TRect content = ClientRect().Inflate(-kContentInset, -kContentInset);
    if (toolStyle_ == tsDropDown) content.Right -= kArrowWidth;
    const TImageList* list = GlyphImages();
    const bool hasGlyph = list && imageIndex_ >= 0;
    const int gw = hasGlyph ? list->Width() : 0;
    const int gh = hasGlyph ? list->Height() : 0;
    const bool hasText = showCaption_ && !Caption().empty();
    const bool besideGlyph = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    int tw = 0;
    int th = 0;
    if (hasText) {
        TRect calc{0, 0, std::max(0, content.Width() - (besideGlyph ? gw : 0)), 0};
        canvas.DrawText(Caption(), calc, kCaptionFormat | dtCalcRect);
        tw = calc.Width();
        th = calc.Height();
    }
    const int cw = content.Width();
    const int ch = content.Height();
    int gx = content.Left + (cw - gw) / 2;
    int gy = content.Top + (ch - gh) / 2;
    int tx = content.Left + (cw - tw) / 2;
    int ty = content.Top + (ch - th) / 2;
    if (hasText) {
        const int freeV = ch - gh - th - kGlyphGap;
        const int pairLeft = content.Left + (cw - gw - tw - kGlyphGap) / 2;
        switch (layout_) {
            case blGlyphTop:
                gy = content.Top + freeV / 2;
                ty = gy + gh + kGlyphGap;
                break;
            case blGlyphBottom:
                ty = content.Top + freeV / 2;
                gy = ty + th + kGlyphGap;
                break;
            case blGlyphLeft:
                gx = pairLeft;
                tx = gx + gw + kGlyphGap;
                break;
            case blGlyphRight:
                tx = pairLeft;
                gx = tx + tw + kGlyphGap;
                break;
        }
    }
    int dx = 0;
    if (alignment_ == taLeftJustify || alignment_ == taRightJustify) {
        int left = INT_MAX;
        int right = INT_MIN;
        if (hasGlyph) left = gx, right = gx + gw;
        if (hasText) left = std::min(left, tx), right = std::max(right, tx + tw);
        if (left <= right) dx = alignment_ == taLeftJustify ? 4 - left : Width() - 4 - right;
    }
    // An open menu shows the button pushed in only when the menu is all the button does.
    const bool pushedIn = state_ == tbsMenuOpen ? !OnClick : Pressed(state_);
    const bool shifted = pushedIn && visualStyle_ != vsGradient;
    if (shifted) dx += 1;
    const int dy = shifted ? 1 : 0;
    return {Bounds(gx + dx, gy + dy, gw, gh), Bounds(tx + dx, ty + dy, tw, th)};
}

void TWsToolButton::PaintHighlight(TCanvas& canvas, const TRect& rect) {
    const bool over = pointerOver_ && Enabled();
    if (!Pressed(state_) && !over) return;
    TSelectionColors colors = SelectionShadeColors(Display(), gradientColorStyle_);
    if (gradientColorStyle_ == gcsCustom) {
        colors = {selectionFrame_, selectionStart_, selectionStop_};
        if (!Display().FullColor) colors.Start = colors.Stop;
    }
    TColor top = colors.Start;
    TColor bottom = colors.Stop;
    if (state_ == tbsDown || state_ == tbsMenuOpen) {
        std::swap(top, bottom);
    } else if (state_ == tbsExclusive) {
        if (!over)
            top = Darken(colors.Stop, 40), bottom = colors.Start;
        else if (down_)
            std::swap(top, bottom);
    }
    const TRect inner = DrawOutline(canvas, rect, colors.Frame);
    ShadeRect(canvas, inner, gdHorizontalEnd, top, bottom, 1);
}

void TWsToolButton::PaintClassicFrame(TCanvas& canvas, const TRect& rect) {
    const bool pressed = Pressed(state_);
    const bool over = pointerOver_ && Enabled();
    TRect inner = rect;
    if (!flat_)
        inner = DrawStyledFrame(canvas, rect, pressed ? fsLowered : fsButtonUp);
    else if (pressed)
        inner = DrawStyledFrame(canvas, rect, fsStatus);
    else if (over)
        inner = DrawStyledFrame(canvas, rect, fsPopup);
    if (state_ != tbsExclusive) return;
    // A latched button shows a fine chequer of two colours.
    const TColor a = transparent_ ? clBtnFace : Color();
    const TColor b = transparent_ ? TColor(clBtnHighlight) : Lighten(Color(), 20);
    const TRect clip = inner.Intersect(canvas.ClipBounds());
    for (int y = clip.Top; y < clip.Bottom; ++y)
        for (int x = clip.Left; x < clip.Right; ++x) canvas.SetPixels(x, y, ((x + y) & 1) ? b : a);
}

void TWsToolButton::PaintArrowPart(TCanvas& canvas, const TRect& rect) {
    const int left = rect.Right - kArrowWidth;
    TCanvasStateSaver saver(canvas);
    canvas.Pen() = TPen{clBtnShadow, 1, psSolid, pmCopy};
    canvas.MoveTo(left, rect.Top + 3);
    canvas.LineTo(left, rect.Bottom - 3);
    const TColor arrow = Enabled() ? clBlack : clBtnShadow;
    canvas.Pen().Color = arrow;
    canvas.Brush() = TBrush{arrow, bsSolid};
    const int cx = left + kArrowWidth / 2;
    const int cy = rect.Top + rect.Height() / 2;
    canvas.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
}

void TWsToolButton::PaintGlyph(TCanvas& canvas, const TRect& glyph) const {
    const TImageList* list = GlyphImages();
    if (!list || imageIndex_ < 0) return;
    const bool enabled = Enabled();
    if (Pressed(state_) && downIndex_ >= 0) {
        list->Draw(canvas, glyph.Left, glyph.Top, downIndex_, true);
        return;
    }
    if (!enabled && disabledIndex_ >= 0) {
        list->Draw(canvas, glyph.Left, glyph.Top, disabledIndex_, true);
        return;
    }
    const int index = hotIndex_ >= 0 && pointerOver_ && enabled ? hotIndex_ : imageIndex_;
    list->Draw(canvas, glyph.Left, glyph.Top, index, enabled);
}

void TWsToolButton::PaintCaption(TCanvas& canvas, const TRect& text) const {
    if (!showCaption_ || Caption().empty()) return;
    canvas.Brush().Style = bsClear;
    canvas.Font() = Font();
    if (!Enabled())
        canvas.Font().SetColor(clBtnShadow);
    else if (visualStyle_ != vsGradient && state_ == tbsDown)
        canvas.Font().SetColor(clHighlightText);
    TRect r = text;
    canvas.DrawText(Caption(), r, kCaptionFormat | dtVCenter);
}

void TWsToolButton::Paint(TCanvas& canvas) {
    NormaliseState();
    const TRect rect = ClientRect();
    if (!transparent_) {
        // Filled first: the highlight and frame go on top of the fill, not under it.
        canvas.Brush().Color = Color();
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(rect);
    }
    if (visualStyle_ == vsGradient)
        PaintHighlight(canvas, rect);
    else
        PaintClassicFrame(canvas, rect);
    if (toolStyle_ == tsDropDown) PaintArrowPart(canvas, rect);
    const TContentLayout layout = ContentLayout(canvas);
    PaintGlyph(canvas, layout.Glyph);
    PaintCaption(canvas, layout.Text);
}

void TWsToolButton::DescribeAccessible(TAccDescription& d) const {
    TGraphicControl::DescribeAccessible(d);
    d.Role = arPushButton;
    d.DefaultAction = aaPress;
    if (groupIndex_ != 0) d.States |= asCheckable;
    if (down_) d.States |= asChecked;
    if (pressActive_) d.States |= asPressed;
}
