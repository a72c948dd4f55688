#include "framework/ScrollBar.h"

#include <algorithm>
#include <cstdint>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Application.h"
#include "graphics/Frame3D.h"

namespace {

// Shorter thumbs are hard to hit.
constexpr int kMinThumb = 8;

// Direction of an arrow glyph.
enum TArrowDir : std::uint8_t { adUp, adDown, adLeft, adRight };

void FillSpan(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().Color = color;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(r);
}

// A solid triangle centred in r: rows of 1, 3, 5, ... pixels, as many rows as a quarter of
// the button allows.
void DrawArrowGlyph(TCanvas& canvas, const TRect& r, TArrowDir dir, TColor color) {
    int size = std::min(r.Width(), r.Height());
    int rows = std::max(1, (size - 1) / 4);
    int cx = r.Left + r.Width() / 2;
    int cy = r.Top + r.Height() / 2;
    canvas.Brush().Color = color;
    canvas.Brush().Style = bsSolid;
    for (int i = 0; i < rows; ++i) {
        int half = (dir == adUp || dir == adLeft) ? i : rows - 1 - i;
        int at = i - rows / 2;
        if (dir == adUp || dir == adDown)
            canvas.FillRect({cx - half, cy + at, cx + half + 1, cy + at + 1});
        else
            canvas.FillRect({cx + at, cy - half, cx + at + 1, cy + half + 1});
    }
}

}  // namespace

TScrollBar::TScrollBar(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 121, DefaultThickness);
    SetControlStyle(csCaptureMouse | csOpaque);
    SetColor(clScrollBar);
    repeat_.OnTimer = [this](TObject*) {
        // After the first wait the steps come faster.
        repeat_.SetInterval(RepeatIntervalMs);
        if (pressedHot_) Step();
    };
}

TScrollBar::~TScrollBar() = default;

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (!StoreChanged(kind_, kind)) return;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

int TScrollBar::MaxPosition() const {
    return std::max(min_, max_ - std::max(pageSize_ - 1, 0));
}

void TScrollBar::SetParams(int position, int min, int max, int pageSize) {
    max = std::max(max, min);
    pageSize = std::max(pageSize, 0);
    if (min == min_ && max == max_ && pageSize == pageSize_ && position == position_) return;
    min_ = min;
    max_ = max;
    pageSize_ = pageSize;
    position_ = std::clamp(position, min_, MaxPosition());
    Invalidate();
}

void TScrollBar::SetPosition(int position) {
    position = std::clamp(position, min_, MaxPosition());
    if (!StoreChanged(position_, position)) return;
    Invalidate();
    if (OnChange) OnChange(this);
}

bool TScrollBar::Active() const {
    return Enabled() && MaxPosition() > min_;
}

int TScrollBar::ButtonLength() const {
    return std::max(0, std::min(Thickness(), Length() / 2));
}

TRect TScrollBar::Span(int a, int b) const {
    return kind_ == sbVertical ? TRect{0, a, Width(), b} : TRect{a, 0, b, Height()};
}

TRect TScrollBar::FirstButtonRect() const {
    return Span(0, ButtonLength());
}

TRect TScrollBar::SecondButtonRect() const {
    return Span(Length() - ButtonLength(), Length());
}

void TScrollBar::ThumbSpan(int& start, int& length) const {
    start = length = 0;
    if (!Active()) return;
    int button = ButtonLength();
    int track = Length() - 2 * button;
    std::int64_t range = static_cast<std::int64_t>(max_) - min_ + 1;
    int thumb = pageSize_ > 0
                    ? static_cast<int>(track * static_cast<std::int64_t>(pageSize_) / range)
                    : Thickness();
    thumb = std::max(thumb, kMinThumb);
    if (thumb >= track) return;
    std::int64_t travel = static_cast<std::int64_t>(MaxPosition()) - min_;
    start = button + static_cast<int>((static_cast<std::int64_t>(position_) - min_) *
                                      (track - thumb) / travel);
    length = thumb;
}

TRect TScrollBar::ThumbRect() const {
    int start = 0, length = 0;
    ThumbSpan(start, length);
    return length > 0 ? Span(start, start + length) : TRect{};
}

TScrollBar::TPart TScrollBar::PartAt(int along) const {
    int button = ButtonLength();
    if (along < 0 || along >= Length()) return spNone;
    if (along < button) return spFirst;
    if (along >= Length() - button) return spSecond;
    int start = 0, length = 0;
    ThumbSpan(start, length);
    if (length == 0) return spNone;
    if (along < start) return spPageBack;
    if (along >= start + length) return spPageForward;
    return spThumb;
}

void TScrollBar::Scroll(TScrollCode code, int position) {
    position = std::clamp(position, min_, MaxPosition());
    if (OnScroll) OnScroll(this, code, position);
    SetPosition(position);
}

bool TScrollBar::Step() {
    int page = largeChange_ > 0 ? largeChange_ : std::max(pageSize_, 1);
    int before = position_;
    switch (pressed_) {
        case spFirst:
            Scroll(scLineUp, position_ - smallChange_);
            break;
        case spSecond:
            Scroll(scLineDown, position_ + smallChange_);
            break;
        case spPageBack:
        case spPageForward:
            // Paging stops once the thumb has reached the point that was pressed.
            if (PartAt(pressAlong_) != pressed_) return false;
            if (pressed_ == spPageBack)
                Scroll(scPageUp, position_ - page);
            else
                Scroll(scPageDown, position_ + page);
            break;
        default:
            return false;
    }
    return position_ != before;
}

void TScrollBar::StartRepeat() {
    repeat_.Start(RepeatDelayMs);
}

void TScrollBar::StopRepeat() {
    repeat_.SetEnabled(false);
}

void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Active()) return;
    int along = Along(x, y);
    pressed_ = PartAt(along);
    pressedHot_ = true;
    pressAlong_ = along;
    if (pressed_ == spNone) return;
    if (pressed_ == spThumb) {
        int start = 0, length = 0;
        ThumbSpan(start, length);
        dragOffset_ = along - start;
    } else {
        Step();
        StartRepeat();
    }
    Invalidate();
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (pressed_ == spNone) return;
    int along = Along(x, y);
    if (pressed_ == spThumb) {
        int start = 0, length = 0;
        ThumbSpan(start, length);
        if (length == 0) return;
        int button = ButtonLength();
        int room = Length() - 2 * button - length;
        int at = std::clamp(along - dragOffset_ - button, 0, room);
        std::int64_t travel = static_cast<std::int64_t>(MaxPosition()) - min_;
        int position = min_ + static_cast<int>((at * travel * 2 + room) / (2 * room));
        if (position != position_) Scroll(scTrack, position);
        return;
    }
    bool hot = PartAt(along) == pressed_ ||
               ((pressed_ == spPageBack || pressed_ == spPageForward) &&
                Span(ButtonLength(), Length() - ButtonLength()).Contains({x, y}));
    if (pressed_ == spPageBack || pressed_ == spPageForward) pressAlong_ = along;
    if (StoreChanged(pressedHot_, hot)) Invalidate();
}

void TScrollBar::EndPress() {
    if (pressed_ == spNone) return;
    StopRepeat();
    TPart was = pressed_;
    pressed_ = spNone;
    Invalidate();
    if (was == spThumb) Scroll(scPosition, position_);
    if (OnScroll) {
        int position = position_;
        OnScroll(this, scEndScroll, position);
    }
}

void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) EndPress();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TScrollBar::CaptureLost() {
    EndPress();
}

void TScrollBar::EnabledChanged() {
    if (!Enabled()) EndPress();
    Invalidate();
}

void TScrollBar::PaintButton(TCanvas& canvas, const TRect& r, bool pressed, bool first) const {
    if (r.IsEmpty()) return;
    TRect face = r;
    if (pressed) {
        Frame3D(canvas, face, clBtnShadow, clBtnShadow, 1);
    } else {
        Frame3D(canvas, face, cl3DLight, cl3DDkShadow, 1);
        Frame3D(canvas, face, clBtnHighlight, clBtnShadow, 1);
    }
    FillSpan(canvas, face, clBtnFace);
    TArrowDir dir = kind_ == sbVertical ? (first ? adUp : adDown) : (first ? adLeft : adRight);
    TRect glyph = pressed ? r.Offset(1, 1) : r;
    if (Active()) {
        DrawArrowGlyph(canvas, glyph, dir, clBtnText);
    } else {
        // Greyed arrows are etched: a light copy one pixel down and right under a shadow one.
        DrawArrowGlyph(canvas, glyph.Offset(1, 1), dir, clBtnHighlight);
        DrawArrowGlyph(canvas, glyph, dir, clBtnShadow);
    }
}

void TScrollBar::Paint(TCanvas& canvas) {
    int button = ButtonLength();
    PaintButton(canvas, FirstButtonRect(), pressed_ == spFirst && pressedHot_, true);
    PaintButton(canvas, SecondButtonRect(), pressed_ == spSecond && pressedHot_, false);

    TRect track = Span(button, Length() - button);
    if (track.IsEmpty()) return;
    // The classic track is a one-pixel checkerboard of the face and highlight colours.
    TRect clip = canvas.ClipBounds().Intersect(track);
    if (!clip.IsEmpty()) {
        FillSpan(canvas, clip, clBtnFace);
        TColor light = ColorToRGB(clBtnHighlight);
        for (int y = clip.Top; y < clip.Bottom; ++y)
            for (int x = clip.Left + ((clip.Left + y) & 1); x < clip.Right; x += 2)
                canvas.SetPixels(x, y, light);
    }
    int start = 0, length = 0;
    ThumbSpan(start, length);
    if (length == 0) return;
    if (pressed_ == spPageBack && pressedHot_) FillSpan(canvas, Span(button, start), cl3DDkShadow);
    if (pressed_ == spPageForward && pressedHot_)
        FillSpan(canvas, Span(start + length, Length() - button), cl3DDkShadow);
    TRect thumb = Span(start, start + length);
    Frame3D(canvas, thumb, cl3DLight, cl3DDkShadow, 1);
    Frame3D(canvas, thumb, clBtnHighlight, clBtnShadow, 1);
    FillSpan(canvas, thumb, clBtnFace);
}

void TScrollBar::DescribeAccessible(TAccDescription& d) const {
    TCustomControl::DescribeAccessible(d);
    d.Role = arScrollBar;
    d.Value = std::to_string(position_);
}
