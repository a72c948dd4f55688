#include "framework/HeaderControl.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "graphics/Frame3D.h"

THeaderControl::THeaderControl(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 200, 17);
    SetControlStyle(csCaptureMouse | csDoubleClicks | csOpaque);
    SetColor(clBtnFace);
}

void THeaderControl::SetSections(std::vector<THeaderSection> sections) {
    EndTrack(false);
    pressed_ = -1;
    for (auto& s : sections) s.Width = std::max(s.Width, 0);
    sections_ = std::move(sections);
    Invalidate();
}

void THeaderControl::SetSection(int index, const THeaderSection& section) {
    if (index < 0 || index >= SectionCount()) return;
    THeaderSection& s = sections_[index];
    if (s.Text == section.Text && s.Width == section.Width && s.Alignment == section.Alignment &&
        s.ImageIndex == section.ImageIndex)
        return;
    bool widthChanged = s.Width != section.Width;
    s = section;
    s.Width = std::max(s.Width, 0);
    // A new width moves every section to its right.
    if (widthChanged)
        InvalidateRect({SectionRect(index).Left, 0, Width(), Height()});
    else
        InvalidateSection(index);
}

void THeaderControl::SetSectionWidth(int index, int width) {
    if (index < 0 || index >= SectionCount()) return;
    THeaderSection s = sections_[index];
    s.Width = width;
    SetSection(index, s);
}

TRect THeaderControl::SectionRect(int index) const {
    if (index < 0 || index >= SectionCount()) return {};
    int left = -scrollOffset_;
    for (int i = 0; i < index; ++i) left += sections_[i].Width;
    return {left, 0, left + sections_[index].Width, Height()};
}

int THeaderControl::SectionAt(int x) const {
    int left = -scrollOffset_;
    for (int i = 0; i < SectionCount(); ++i) {
        int right = left + sections_[i].Width;
        if (x >= left && x < right) return i;
        left = right;
    }
    return -1;
}

int THeaderControl::DividerAt(int x) const {
    int found = -1;
    int right = -scrollOffset_;
    for (int i = 0; i < SectionCount(); ++i) {
        right += sections_[i].Width;
        if (x >= right - DividerReach && x < right + DividerReach) found = i;
    }
    return found;
}

void THeaderControl::SetScrollOffset(int offset) {
    if (StoreChanged(scrollOffset_, offset)) Invalidate();
}

int THeaderControl::PreferredHeight() const {
    TPixelBuffer probe(1, 1);
    TCanvas canvas(probe);
    canvas.Font() = Font();
    return canvas.TextHeight("W") + 4;
}

void THeaderControl::InvalidateSection(int index) {
    InvalidateRect(SectionRect(index));
}

TCursor THeaderControl::CursorAt(TPoint pos) const {
    if (tracking_ >= 0 || DividerAt(pos.X) >= 0) return crSizeWE;
    return TCustomControl::CursorAt(pos);
}

void THeaderControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    int divider = DividerAt(x);
    if (divider >= 0) {
        if (shift & ssDouble) {
            if (OnDividerDblClick) OnDividerDblClick(this, divider);
            return;
        }
        tracking_ = divider;
        trackStartX_ = x;
        trackStartWidth_ = sections_[divider].Width;
        int width = trackStartWidth_;
        if (OnSectionTrack) OnSectionTrack(this, divider, width, tsTrackBegin);
        return;
    }
    int section = SectionAt(x);
    if (section < 0 || !clickable_) return;
    pressed_ = section;
    pressedInside_ = true;
    InvalidateSection(section);
}

void THeaderControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (tracking_ >= 0) {
        // While dragging the divider follows the pointer unclamped; limits apply on release.
        int width = std::max(0, trackStartWidth_ + x - trackStartX_);
        if (width == sections_[tracking_].Width) return;
        SetSectionWidth(tracking_, width);
        if (OnSectionTrack) OnSectionTrack(this, tracking_, width, tsTrackMove);
        return;
    }
    if (pressed_ >= 0) {
        bool inside = SectionRect(pressed_).Contains({x, y});
        if (StoreChanged(pressedInside_, inside)) InvalidateSection(pressed_);
    }
}

void THeaderControl::EndTrack(bool commit) {
    if (tracking_ < 0) return;
    int index = tracking_;
    tracking_ = -1;
    int width = sections_[index].Width;
    if (commit && OnSectionTrack) OnSectionTrack(this, index, width, tsTrackEnd);
    if (index < SectionCount()) SetSectionWidth(index, width);
}

void THeaderControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        EndTrack(true);
        if (pressed_ >= 0) {
            int index = pressed_;
            bool inside = SectionRect(index).Contains({x, y});
            pressed_ = -1;
            InvalidateSection(index);
            if (inside && OnSectionClick) OnSectionClick(this, index);
        }
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void THeaderControl::CaptureLost() {
    // The release itself takes the capture away before MouseUp arrives, so a pressed button
    // waits for MouseUp to learn where the pointer was let go.
    EndTrack(true);
}

void THeaderControl::SetImages(TImageList* images) {
    if (StoreChanged(images_, images)) Invalidate();
}

void THeaderControl::DrawDefaultFace(TCanvas& canvas, int index, const TRect& rect) const {
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(rect);
    const THeaderSection& s = sections_[index];
    TRect text = rect.Inflate(-6, -2);
    if (images_ && s.ImageIndex >= 0) {
        images_->Draw(canvas, text.Left, text.Top, s.ImageIndex);
        text.Left += images_->Width() + 4;
    }
    unsigned align = s.Alignment == taRightJustify ? dtRight
                     : s.Alignment == taCenter     ? dtCenter
                                                   : dtLeft;
    canvas.Font().SetColor(clBtnText);
    canvas.Brush().Style = bsClear;
    canvas.DrawText(s.Text, text, dtSingleLine | dtEndEllipsis | dtNoPrefix | align);
}

void THeaderControl::Paint(TCanvas& canvas) {
    TRect clip = canvas.ClipBounds();
    int left = -scrollOffset_;
    for (int i = 0; i < SectionCount(); ++i) {
        TRect item{left, 0, left + sections_[i].Width, Height()};
        left = item.Right;
        if (item.IsEmpty() || item.Intersect(clip).IsEmpty()) continue;
        bool down = i == pressed_ && pressedInside_;
        {
            TCanvasStateSaver saver(canvas);
            canvas.IntersectClipRect(item);
            if (OnDrawSection)
                OnDrawSection(this, canvas, i, item, down);
            else
                DrawDefaultFace(canvas, i, down ? item.Offset(1, 1) : item);
        }
        // The button edges go over the face, so owner drawing never has to leave room.
        TRect edge = item;
        if (down)
            Frame3D(canvas, edge, clBtnShadow, clBtnShadow, 1);
        else
            Frame3D(canvas, edge, clBtnHighlight, clBtnShadow, 1);
    }
    // Beyond the last section the header is an empty button.
    TRect rest{left, 0, std::max(left, Width()), Height()};
    if (!rest.IsEmpty() && !rest.Intersect(clip).IsEmpty()) {
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(rest);
        Frame3D(canvas, rest, clBtnHighlight, clBtnShadow, 1);
    }
}
