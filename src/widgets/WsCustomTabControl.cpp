#include "widgets/WsCustomTabControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/StoreChanged.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsParentBackground.h"
#include "widgets/WsShading.h"
#include "widgets/WsTabAccessible.h"

namespace {

constexpr std::uint32_t kHotCheckMs = 60;

std::vector<std::string> CaptionLines(const std::string& caption) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        std::size_t end = caption.find("\r\n", start);
        lines.push_back(caption.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

// A caption line cut at its accelerator: the text before the first single "&", the letter
// after it and the rest; "&&" stands for one "&".
struct TAccelParts {
    std::string Before;
    std::string Letter;
    std::string After;
    std::string Plain() const { return Before + Letter + After; }
};

TAccelParts SplitAccel(const std::string& line) {
    TAccelParts parts;
    std::string* out = &parts.Before;
    bool found = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '&' && i + 1 < line.size()) {
            if (line[i + 1] == '&') {
                out->push_back('&');
                ++i;
                continue;
            }
            if (!found) {
                found = true;
                // The letter is one UTF-8 code point.
                std::size_t len = 1;
                auto lead = static_cast<unsigned char>(line[i + 1]);
                if (lead >= 0xF0)
                    len = 4;
                else if (lead >= 0xE0)
                    len = 3;
                else if (lead >= 0xC0)
                    len = 2;
                parts.Letter = line.substr(i + 1, len);
                i += len;
                out = &parts.After;
                continue;
            }
            continue;
        }
        out->push_back(c);
    }
    return parts;
}

}  // namespace

TWsCustomTabControl::TWsCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      tabColors_([this] { Invalidate(); }),
      textColors_([this] { Invalidate(); }) {
    SetBounds(0, 0, 289, 193);
    SetControlStyle(ControlStyle() | csOpaque);
    SetTabStop(true);
    hotTimer_.OnTimer = [this](TObject*) { HotTimerTick(); };
}

TWsCustomTabControl::~TWsCustomTabControl() {
    StopHotTimer();
}

// ---- properties ------------------------------------------------------------------------

void TWsCustomTabControl::InvalidateLayout() {
    layoutDirty_ = true;
    Invalidate();
    Realign();
}

void TWsCustomTabControl::InvalidateStrip() {
    InvalidateRect(Rect(0, 0, Width(), StripHeight()));
}

void TWsCustomTabControl::TabsChanged() {
    if (tabIndex_ >= TabCount()) tabIndex_ = -1;
    if (hotTab_ >= TabCount()) hotTab_ = -1;
    firstShown_ = std::clamp(firstShown_, 0, std::max(0, TabCount() - 1));
    InvalidateLayout();
    if (auto* node = static_cast<TWsTabListAccessible*>(AccessibleNode())) node->TabsChanged();
}

void TWsCustomTabControl::SetTabIndex(int index) {
    if (Loading()) {
        storedTabIndex_ = index;
        return;
    }
    SelectTab(index);
}

void TWsCustomTabControl::SetTabStyle(TWsTabStyle style) {
    if (StoreChanged(tabStyle_, style)) InvalidateLayout();
}

void TWsCustomTabControl::SetTabOrientation(TWsTabOrientation o) {
    if (StoreChanged(tabOrientation_, o)) InvalidateLayout();
}

void TWsCustomTabControl::SetTabSequence(TWsTabSequence s) {
    if (StoreChanged(tabSequence_, s)) InvalidateLayout();
}

int TWsCustomTabControl::FixedDimension() {
    EnsureLayout();
    return fixedDimension_;
}

void TWsCustomTabControl::SetFixedDimension(int value) {
    // Kept for the layout data only: every layout computes it again.
    fixedDimension_ = value;
    InvalidateLayout();
}

void TWsCustomTabControl::SetTabWidth(int w) {
    if (StoreChanged(tabWidth_, w)) InvalidateLayout();
}
void TWsCustomTabControl::SetTabHeight(int h) {
    if (StoreChanged(tabHeight_, h)) InvalidateLayout();
}
void TWsCustomTabControl::SetTabOverlap(int overlap) {
    if (StoreChanged(tabOverlap_, overlap)) InvalidateLayout();
}
void TWsCustomTabControl::SetMargin(int margin) {
    if (StoreChanged(margin_, std::max(0, margin))) InvalidateLayout();
}
void TWsCustomTabControl::SetImageMargin(int margin) {
    if (StoreChanged(imageMargin_, margin)) InvalidateLayout();
}
void TWsCustomTabControl::SetCutCornerSize(int value) {
    if (StoreChanged(cutCornerSize_, std::max(0, value))) InvalidateLayout();
}

TColor TWsCustomTabControl::BackgroundColor() const {
    if (parentBackgroundColor_ && Parent()) return Parent()->Color();
    return backgroundColor_;
}

void TWsCustomTabControl::SetBackgroundColor(TColor c) {
    if (c == backgroundColor_ && !parentBackgroundColor_) return;
    backgroundColor_ = c;
    parentBackgroundColor_ = false;
    Invalidate();
}

void TWsCustomTabControl::SetParentBackgroundColor(bool value) {
    if (StoreChanged(parentBackgroundColor_, value)) Invalidate();
}
void TWsCustomTabControl::SetUseColoredTabs(bool value) {
    if (StoreChanged(useColoredTabs_, value)) Invalidate();
}

void TWsCustomTabControl::SetTextAlignment(TWsHorizontalAlignment a) {
    if (StoreChanged(textAlignment_, a)) Invalidate();
}
void TWsCustomTabControl::SetTextAlignmentVertical(TWsVerticalAlignment a) {
    if (StoreChanged(textAlignmentVertical_, a)) Invalidate();
}
void TWsCustomTabControl::SetTextOrientation(TOrientation o) {
    if (StoreChanged(textOrientation_, o)) InvalidateLayout();
}
void TWsCustomTabControl::SetBoldCurrentTab(bool value) {
    if (StoreChanged(boldCurrentTab_, value)) InvalidateLayout();
}
void TWsCustomTabControl::SetImages(TImageList* images) {
    if (StoreChanged(images_, images)) InvalidateLayout();
}
void TWsCustomTabControl::SetImagePosition(TWsImagePosition p) {
    if (StoreChanged(imagePosition_, p)) InvalidateLayout();
}
void TWsCustomTabControl::SetImageAlignment(TWsHorizontalAlignment a) {
    if (StoreChanged(imageAlignment_, a)) Invalidate();
}
void TWsCustomTabControl::SetImageAlignmentVertical(TWsVerticalAlignment a) {
    if (StoreChanged(imageAlignmentVertical_, a)) Invalidate();
}

void TWsCustomTabControl::SetHotTrack(bool value) {
    if (!StoreChanged(hotTrack_, value)) return;
    if (!value) {
        StopHotTimer();
        SetHotTab(-1);
    }
    Invalidate();
}
void TWsCustomTabControl::SetHotTrackColor(TColor c) {
    if (StoreChanged(hotTrackColor_, c)) Invalidate();
}
void TWsCustomTabControl::SetHotTrackColorType(TWsHotTrackColorType t) {
    if (StoreChanged(hotTrackColorType_, t)) Invalidate();
}
void TWsCustomTabControl::SetHotTrackStyle(TWsTabHotTrackStyle s) {
    if (StoreChanged(hotTrackStyle_, s)) Invalidate();
}

void TWsCustomTabControl::SetShowCardFrame(bool value) {
    if (StoreChanged(showCardFrame_, value)) Invalidate();
}
void TWsCustomTabControl::SetShowFullFrame(bool value) {
    if (StoreChanged(showFullFrame_, value)) Invalidate();
}
void TWsCustomTabControl::SetShowShadow(bool value) {
    if (StoreChanged(showShadow_, value)) InvalidateLayout();
}
void TWsCustomTabControl::SetShowFocusRect(bool value) {
    if (StoreChanged(showFocusRect_, value)) Invalidate();
}
void TWsCustomTabControl::SetUseGradients(bool value) {
    if (StoreChanged(useGradients_, value)) Invalidate();
}
void TWsCustomTabControl::SetTransparent(bool value) {
    if (StoreChanged(transparent_, value)) Invalidate();
}
void TWsCustomTabControl::SetFlatColor(TColor c) {
    if (StoreChanged(flatColor_, c)) Invalidate();
}
void TWsCustomTabControl::SetFlatColorAdjustment(int value) {
    if (StoreChanged(flatColorAdjustment_, value)) Invalidate();
}
void TWsCustomTabControl::SetSoftCorners(bool value) {
    if (StoreChanged(softCorners_, value)) Invalidate();
}

TColor TWsCustomTabControl::LineColor() const {
    return ShiftLightness(flatColor_, flatColorAdjustment_);
}

// ---- layout ----------------------------------------------------------------------------

TFont TWsCustomTabControl::TabFont(bool selected) const {
    TFont font = Font();
    if (selected && boldCurrentTab_) font.SetStyle(font.Style() | fsBold);
    return font;
}

TSize TWsCustomTabControl::TabSize(const TWsTabData& tab, TCanvas& measure, bool selected) const {
    measure.Font() = TabFont(selected);
    TSize caption;
    if (!tab.Caption.empty()) {
        for (const std::string& line : CaptionLines(tab.Caption)) {
            std::string plain = SplitAccel(line).Plain();
            caption.cx = std::max(caption.cx, measure.TextWidth(plain));
            caption.cy += measure.TextHeight(plain.empty() ? "W" : plain);
        }
    }
    TSize image;
    if (images_ && tab.ImageIndex != -1) image = {images_->Width(), images_->Height()};
    TSize content{imageMargin_ + image.cx + caption.cx, std::max(image.cy, caption.cy)};
    if (tabWidth_ <= 0)
        content.cx =
            std::max(content.cx, measure.TextWidth(tabStyle_ == tsRoundCorners ? "AAA" : "A"));
    if (tabHeight_ <= 0) content.cy = std::max(content.cy, std::abs(measure.Font().Height()));
    return content;
}

int TWsCustomTabControl::ArrowSize() {
    TBitmap measure(1, 1);
    measure.Canvas().Font() = Font();
    return std::max(0, std::min(measure.Canvas().TextHeight("A") + 4, fixedDimension_ - 2));
}

template <class F>
void TWsCustomTabControl::PaintStep(F&& step) {
    try {
        step();
    } catch (const std::exception& e) {
        if (paintFault_ == e.what()) return;
        paintFault_ = e.what();
        std::fprintf(stderr, "vigil: a step of painting the tabs was left out: %s\n", e.what());
    }
}

void TWsCustomTabControl::Layout() {
    layoutDirty_ = false;
    TBitmap measureBitmap(1, 1);
    TCanvas& measure = measureBitmap.Canvas();
    const int n = TabCount();
    std::vector<TSize> content(n);
    int maxContent = 0;
    for (int i = 0; i < n; ++i) {
        if (!tabs_[i].Visible) continue;
        content[i] = TabSize(tabs_[i], measure, i == tabIndex_);
        maxContent = std::max(maxContent, content[i].cy);
    }
    const bool round = tabStyle_ == tsRoundCorners;
    fixedDimension_ = tabHeight_ > 0 ? tabHeight_ : maxContent + 6;
    if (fixedDimension_ <= 6 && tabHeight_ <= 0) {
        measure.Font() = Font();
        fixedDimension_ = std::abs(Font().Height()) + 6;
    }
    const int fd = fixedDimension_;
    const int stripHeight = fd + (round ? 3 : 0);
    const int top = stripHeight - fd;
    const int stripWidth = Width() - 1 - (showShadow_ ? 2 : 0);
    const int arrows = 2 * ArrowSize() + 2;
    const int room = std::max(0, stripWidth - margin_ - arrows - (round ? 4 : 0));

    int left = margin_;
    for (int i = 0; i < n; ++i) {
        TWsTabData& tab = tabs_[i];
        if (!tab.Visible) {
            tab.Rect = {};
            continue;
        }
        int width = content[i].cx;
        switch (tabStyle_) {
            case tsRoundCorners:
                width += 16;
                break;
            case tsCutCorner:
                width += 8 + cutCornerSize_;
                break;
            case tsDoubleSlant:
                width += 8 + 2 * fd;
                break;
            default:
                width += 8 + fd;
                break;
        }
        if (tabWidth_ > 0) width = tabWidth_;
        width = std::min(width, room);
        tab.Rect = Rect(left, top, left + width, top + fd);
        tab.Row = 0;
        int overlap = 0;
        switch (tabStyle_) {
            case tsRoundCorners:
            case tsCutCorner:
                overlap = tabOverlap_;
                break;
            case tsDoubleSlant:
                overlap = fd;
                break;
            default:
                overlap = fd / 2;
                break;
        }
        left += width + 1 - overlap;
    }
    if (!Overflows()) firstShown_ = 0;

    // The drawn shapes, also the hit areas.
    regions_.assign(n, TRegion());
    for (int i = 0; i < n; ++i) {
        TRect r = DrawnTabRect(i);
        if (r.IsEmpty()) continue;
        PaintStep([&] {
            regions_[i] = TRegion::FromPolygon(TabShapePoints(tabStyle_, r, cutCornerSize_));
        });
    }
}

bool TWsCustomTabControl::Overflows() {
    int last = -1;
    for (int i = 0; i < TabCount(); ++i)
        if (tabs_[i].Visible) last = i;
    if (last < 0) return false;
    const int stripWidth = Width() - 1 - (showShadow_ ? 2 : 0);
    return tabs_[last].Rect.Right > stripWidth - 2 * margin_ - 2 * ArrowSize() - 2;
}

bool TWsCustomTabControl::ScrollArrowsShown() {
    EnsureLayout();
    return Overflows();
}

void TWsCustomTabControl::ScrollTabs(int delta) {
    EnsureLayout();
    if (!Overflows()) return;
    int first = firstShown_;
    int step = delta > 0 ? 1 : -1;
    for (int k = 0; k != delta; k += step) {
        int next = first + step;
        while (next >= 0 && next < TabCount() && !tabs_[next].Visible) next += step;
        if (next < 0 || next >= TabCount()) break;
        first = next;
    }
    if (StoreChanged(firstShown_, first)) InvalidateLayout();
}

TRect TWsCustomTabControl::ArrowRect(int which) {
    const int size = ArrowSize();
    const int stripWidth = Width() - 1 - (showShadow_ ? 2 : 0);
    const int top = StripHeight() - size - 1;
    const int left = stripWidth - 2 * size - 1 + which * (size + 1);
    return Bounds(left, top, size, size);
}

TRect TWsCustomTabControl::DrawnTabRect(int index) {
    EnsureLayout();
    if (index < 0 || index >= TabCount() || !tabs_[index].Visible) return {};
    if (index < firstShown_) return {};
    TRect r = tabs_[index].Rect;
    const bool round = tabStyle_ == tsRoundCorners;
    int dx = round ? 2 : 0;
    if (firstShown_ > 0) dx -= tabs_[firstShown_].Rect.Left - margin_;
    r = r.Offset(dx, 0);
    const int stripWidth = Width() - 1 - (showShadow_ ? 2 : 0);
    // A tab that reaches under the arrows, lifted or not, waits for the strip to scroll.
    if (Overflows() && r.Right + (round ? 2 : 0) >= ArrowRect(0).Left) return {};
    if (tabSequence_ == tsReverse)
        r = Rect(stripWidth - 1 - r.Right, r.Top, stripWidth - 1 - r.Left, r.Bottom);
    if (round && index == tabIndex_) r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom);
    return r;
}

int TWsCustomTabControl::StripHeight() {
    EnsureLayout();
    return fixedDimension_ + (tabStyle_ == tsRoundCorners ? 3 : 0);
}

TRect TWsCustomTabControl::CardRect() {
    const int shadow = showShadow_ ? 2 : 0;
    return Rect(0, StripHeight(), std::max(0, Width() - shadow), std::max(0, Height() - shadow));
}

void TWsCustomTabControl::AdjustClientRect(TRect& rect) const {
    // The pages sit inside the card's outline: it is measured with the tab font, which the
    // layout caches, so a const query may have to lay out first.
    auto* self = const_cast<TWsCustomTabControl*>(this);
    TRect card = self->CardRect();
    rect = Rect(card.Left + 1, card.Top + 1, std::max(card.Left + 1, card.Right - 1),
                std::max(card.Top + 1, card.Bottom - 1));
}

int TWsCustomTabControl::TabAt(TPoint pos) {
    EnsureLayout();
    if (tabIndex_ >= 0 && tabIndex_ < TabCount() && regions_[tabIndex_].Contains(pos))
        return tabIndex_;
    for (int i = firstShown_; i < TabCount(); ++i) {
        if (i == tabIndex_ || regions_[i].IsEmpty()) continue;
        if (regions_[i].Bounds().Contains(pos) && regions_[i].Contains(pos)) return i;
    }
    return -1;
}

void TWsCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    layoutDirty_ = true;
    int stored = storedTabIndex_;
    storedTabIndex_ = -1;
    if (stored != -1) SelectTab(stored);
    Realign();
}

void TWsCustomTabControl::Resize() {
    layoutDirty_ = true;
    TCustomControl::Resize();
}

void TWsCustomTabControl::FontChanged() {
    TCustomControl::FontChanged();
    InvalidateLayout();
}

void TWsCustomTabControl::ColorChanged() {
    TCustomControl::ColorChanged();
}

void TWsCustomTabControl::EnabledChanged() {
    if (!Enabled()) {
        StopHotTimer();
        hotTab_ = -1;
    }
    Invalidate();
}

// ---- selection ---------------------------------------------------------------------------

bool TWsCustomTabControl::CanChange(int index) {
    if (index < 0 || index >= TabCount()) return false;
    if (!tabs_[index].Visible || !tabs_[index].Enabled) return false;
    bool allow = true;
    if (OnChanging) OnChanging(this, index, allow);
    return allow;
}

bool TWsCustomTabControl::SelectTab(int index) {
    if (index < 0 || index >= TabCount()) {
        if (tabIndex_ != -1) {
            // A page control hides the page of the tab it leaves.
            Switching(tabIndex_, -1);
            tabIndex_ = -1;
            InvalidateLayout();
        }
        return false;
    }
    if (index == tabIndex_) return true;
    if (!CanChange(index)) return false;
    const int old = tabIndex_;
    Switching(old, index);
    tabIndex_ = index;
    // Make the tab visible in a scrolled strip.
    if (index < firstShown_) firstShown_ = index;
    InvalidateLayout();
    while (DrawnTabRect(index).IsEmpty() && firstShown_ < index) {
        do ++firstShown_;
        while (firstShown_ < index && !tabs_[firstShown_].Visible);
        layoutDirty_ = true;
    }
    Change();
    return true;
}

void TWsCustomTabControl::Change() {
    if (auto* node = static_cast<TWsTabListAccessible*>(AccessibleNode())) {
        node->TabSelected(tabIndex_);
    }
    if (OnChange) OnChange(this);
}

std::unique_ptr<TControlAccessible> TWsCustomTabControl::CreateAccessible() {
    return std::make_unique<TWsTabListAccessible>(*this);
}

void TWsCustomTabControl::TabClick() {
    if (OnTabClick) OnTabClick(this);
}

bool TWsCustomTabControl::Selectable(int index) const {
    return index >= 0 && index < TabCount() && tabs_[index].Visible && tabs_[index].Enabled;
}

// Tries the tabs after (or before) from in turn, wrapping, until one may be selected; every
// tab is tried at most once, so a strip where nothing can be selected ends the search.
int TWsCustomTabControl::NextSelectable(int from, int step) const {
    const int n = TabCount();
    if (n == 0) return -1;
    int start = from >= 0 && from < n ? from : (step > 0 ? -1 : n);
    for (int k = 1; k <= n; ++k) {
        int i = ((start + k * step) % n + n) % n;
        if (i == from) return -1;
        if (Selectable(i)) return i;
    }
    return -1;
}

void TWsCustomTabControl::SelectNextPage(bool forward) {
    const int n = TabCount();
    int i = tabIndex_;
    for (int k = 0; k < n; ++k) {
        i = NextSelectable(i, forward ? 1 : -1);
        if (i < 0 || i == tabIndex_) return;
        if (SelectTab(i)) return;
    }
}

// ---- input -------------------------------------------------------------------------------

void TWsCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (ScrollArrowsShown()) {
        for (int which = 0; which < 2; ++which) {
            if (ArrowRect(which).Contains({x, y})) {
                ScrollTabs(which == 0 ? -1 : 1);
                return;
            }
        }
    }
    int index = TabAt({x, y});
    if (index < 0 || !tabs_[index].Enabled) return;
    if (index == tabIndex_) {
        if (TabStop()) SetFocus();
        if (Focused()) TabClick();
        return;
    }
    if (SelectTab(index)) TabClick();
}

void TWsCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!hotTrack_) return;
    int index = TabAt({x, y});
    if (index >= 0 && index != hotTab_) {
        SetHotTab(index);
        StartHotTimer();
    } else if (index < 0 && hotTab_ >= 0) {
        SetHotTab(-1);
        StopHotTimer();
    }
}

void TWsCustomTabControl::SetHotTab(int index) {
    if (StoreChanged(hotTab_, index)) InvalidateStrip();
}

void TWsCustomTabControl::StartHotTimer() {
    if (hotTimer_.Enabled() || !Application()) return;
    hotTimer_.Start(kHotCheckMs);
}

void TWsCustomTabControl::StopHotTimer() {
    hotTimer_.SetEnabled(false);
}

void TWsCustomTabControl::HotTimerTick() {
    int index = -1;
    if (TApplication* app = Application(); app && Showing()) {
        TPoint screen = app->Host().CursorPos();
        if (app->FormAt(screen) == Form()) index = TabAt(ScreenToClient(screen));
    }
    if (index >= 0) {
        SetHotTab(index);
        return;
    }
    StopHotTimer();
    SetHotTab(-1);
}

void TWsCustomTabControl::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || (shift & (ssCtrl | ssAlt))) return;
    // Only the top orientation with the standard sequence is laid out, so arrows map directly.
    int step = 0;
    int from = tabIndex_;
    switch (key) {
        case vkRight:
        case vkDown:
            step = 1;
            break;
        case vkLeft:
        case vkUp:
            step = -1;
            break;
        case vkHome:
            step = 1;
            from = -1;
            break;
        case vkEnd:
            step = -1;
            from = -1;
            break;
        default:
            return;
    }
    key = 0;
    // A refused tab is skipped like a disabled one; every tab is tried at most once.
    int target = NextSelectable(from, step);
    for (int tries = 0; tries < TabCount(); ++tries) {
        if (target < 0 || target == tabIndex_) return;
        if (SelectTab(target)) {
            TabClick();
            return;
        }
        target = NextSelectable(target, step);
    }
}

bool TWsCustomTabControl::DialogKey(TKey key, TShiftState shift) {
    if (key == vkTab && (shift & ssCtrl) && !(shift & ssAlt) && ContainsFocus()) {
        SelectNextPage(!(shift & ssShift));
        return true;
    }
    return TCustomControl::DialogKey(key, shift);
}

bool TWsCustomTabControl::DialogChar(char32_t ch, TShiftState shift) {
    for (int i = 0; i < TabCount(); ++i) {
        if (!Selectable(i) || !IsAccel(ch, tabs_[i].Caption)) continue;
        if (!CanFocus()) return false;
        SetFocus();
        SelectTab(i);
        return true;
    }
    return TCustomControl::DialogChar(ch, shift);
}

void TWsCustomTabControl::DoEnter() {
    InvalidateStrip();
    TCustomControl::DoEnter();
}

void TWsCustomTabControl::DoExit() {
    InvalidateStrip();
    TCustomControl::DoExit();
}

// ---- painting ----------------------------------------------------------------------------

void TWsCustomTabControl::Paint(TCanvas& canvas) {
    EnsureLayout();
    ++paintCount_;
    picture_.SetSize(Width(), Height());
    TRect clip = canvas.ClipBounds().Intersect(ClientRect());
    if (clip.IsEmpty()) return;
    TCanvas& pc = picture_.Canvas();
    {
        TCanvasStateSaver saver(pc);
        pc.ResetClip();
        pc.SetOrigin({0, 0});
        pc.IntersectClipRect(clip);
        pc.Font() = Font();
        PaintPicture(pc);
    }
    canvas.CopyRect(clip, pc, clip);
}

void TWsCustomTabControl::PaintPicture(TCanvas& canvas) {
    const TRect all = ClientRect();
    PaintStep([&] {
        bool handled = false;
        if (OnPaintBackground) OnPaintBackground(this, canvas, all, handled);
        if (handled) return;
        if (transparent_ && Parent()) {
            PaintParentBackground(*this, canvas);
            return;
        }
        canvas.Brush() = TBrush{BackgroundColor(), bsSolid};
        canvas.FillRect(all);
    });
    for (int i = TabCount() - 1; i >= 0; --i)
        if (i != tabIndex_) PaintStep([&] { PaintTab(canvas, i); });
    if (tabIndex_ >= 0) PaintStep([&] { PaintTab(canvas, tabIndex_); });
    PaintStep([&] { PaintCard(canvas); });
    if (showShadow_) PaintStep([&] { PaintShadow(canvas); });
    if (Overflows()) PaintStep([&] { PaintScrollArrows(canvas); });
}

void TWsCustomTabControl::PaintTab(TCanvas& canvas, int index) {
    const TRect r = DrawnTabRect(index);
    if (r.IsEmpty() || regions_[index].IsEmpty()) return;
    if (Rect(r.Left, r.Top, r.Right + 1, r.Bottom).Intersect(canvas.ClipBounds()).IsEmpty()) return;
    const bool selected = index == tabIndex_;
    {
        TCanvasStateSaver saver(canvas);
        canvas.IntersectClipRegion(regions_[index]);
        PaintStep([&] { PaintTabBackground(canvas, index, r, selected); });
        PaintStep([&] { PaintHighlightBar(canvas, index, r, selected); });
    }
    PaintStep([&] { PaintCaption(canvas, index, selected); });
    PaintTabOutline(canvas, r);
}

void TWsCustomTabControl::PaintTabBackground(TCanvas& canvas, int index, const TRect& r,
                                             bool selected) {
    bool handled = false;
    if (OnPaintTabBackground) OnPaintTabBackground(this, canvas, index, r, handled);
    if (handled) return;
    const TRect area = Rect(r.Left, r.Top, r.Right + 1, r.Bottom);
    const TColor pageColor = tabs_[index].Color;
    if (selected) {
        canvas.Brush() = TBrush{useColoredTabs_ ? pageColor : Color(), bsSolid};
        canvas.FillRect(area);
        return;
    }
    TColor upper = tabColors_.Unselected();
    TColor lower = tabColors_.Shadow();
    if (useColoredTabs_) {
        upper = pageColor;
        lower = ColorToRGB(pageColor) == clWhite ? clBtnFace : Darken(pageColor, 30);
    }
    if (useGradients_ && Display().FullColor) {
        TGradientDirection dir = gdHorizontalEnd;
        TColor start = upper, stop = lower;
        if (tabOrientation_ == toBottom) std::swap(start, stop);
        if (tabOrientation_ == toLeft || tabOrientation_ == toRight) dir = gdVerticalEnd;
        ShadeRect(canvas, area, dir, start, stop, 1);
    } else {
        canvas.Brush() = TBrush{upper, bsSolid};
        canvas.FillRect(area);
    }
}

void TWsCustomTabControl::PaintHighlightBar(TCanvas& canvas, int index, const TRect& r,
                                            bool selected) {
    if (!hotTrack_ || hotTrackStyle_ != htsTab) return;
    TColor color;
    if (index == hotTab_)
        color = hotTrackColorType_ == htctComplement ? OppositeHue(hotTrackColor_, 140)
                                                     : hotTrackColor_;
    else if (selected)
        color = tabColors_.HighlightBar();
    else
        return;
    canvas.Brush() = TBrush{color, bsSolid};
    canvas.FillRect(Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Top + 5));
}

TRect TWsCustomTabControl::ContentRect(int index) {
    TRect r = DrawnTabRect(index);
    return Rect(r.Left + 5, r.Top + 3, r.Right - 5, r.Bottom - 3);
}

TRect TWsCustomTabControl::CaptionArea(int index) {
    TRect area = ContentRect(index);
    const TWsTabData& tab = tabs_[index];
    const int imageW = images_ && tab.ImageIndex != -1 ? images_->Width() : 0;
    const int imageH = images_ && tab.ImageIndex != -1 ? images_->Height() : 0;
    const int gap = tab.ImageIndex != -1 ? imageMargin_ : 0;
    switch (imagePosition_) {
        case ipLeft:
            area.Left += imageW + gap;
            break;
        case ipRight:
            area.Right -= imageW + gap;
            break;
        case ipTop:
            area.Top += imageH + gap;
            break;
        case ipBottom:
            area.Bottom -= imageH + gap;
            break;
        default:
            break;
    }
    return area;
}

void TWsCustomTabControl::PaintCaption(TCanvas& canvas, int index, bool selected) {
    const TWsTabData& tab = tabs_[index];
    const TRect content = ContentRect(index);
    const TRect area = CaptionArea(index);
    TCanvasStateSaver saver(canvas);

    // The image strip.
    if (images_ && tab.ImageIndex != -1) {
        int image =
            tab.Enabled || tab.DisabledImageIndex == -1 ? tab.ImageIndex : tab.DisabledImageIndex;
        if (image >= 0 && image < images_->Count()) {
            const int w = images_->Width(), h = images_->Height();
            TRect strip = content;
            if (imagePosition_ == ipLeft) strip.Right = strip.Left + w;
            if (imagePosition_ == ipRight) strip.Left = strip.Right - w;
            if (imagePosition_ == ipTop) strip.Bottom = strip.Top + h;
            if (imagePosition_ == ipBottom) strip.Top = strip.Bottom - h;
            int x = imageAlignment_ == haLeft    ? strip.Left
                    : imageAlignment_ == haRight ? strip.Right - w
                                                 : strip.Left + (strip.Width() - w) / 2;
            int y = imageAlignmentVertical_ == vaTop      ? strip.Top
                    : imageAlignmentVertical_ == vaBottom ? strip.Bottom - h
                                                          : strip.Top + (strip.Height() - h) / 2;
            images_->Draw(canvas, x, y, image, tab.Enabled || tab.DisabledImageIndex != -1);
        }
    }
    if (tab.Caption.empty()) return;

    const bool hot = hotTrack_ && index == hotTab_;
    TColor color = textColors_.Unselected();
    if (hot)
        color = hotTrackStyle_ == htsTab ? textColors_.Selected() : hotTrackColor_;
    else if (selected)
        color = textColors_.Selected();
    canvas.Font() = TabFont(selected);
    canvas.Brush().Style = bsClear;
    canvas.SetTextAlign(taLeft | taTop);

    const std::vector<std::string> lines = CaptionLines(tab.Caption);
    std::vector<TAccelParts> parts;
    int blockHeight = 0;
    for (const auto& line : lines) {
        parts.push_back(SplitAccel(line));
        blockHeight += canvas.TextHeight(parts.back().Plain().empty() ? "W" : parts.back().Plain());
    }
    int y = area.Top;
    if (textAlignmentVertical_ == vaCenter) y += (area.Height() - blockHeight) / 2;
    if (textAlignmentVertical_ == vaBottom) y = area.Bottom - blockHeight;

    auto drawLines = [&](int dx, int dy, TColor c) {
        int ly = y + dy;
        for (const TAccelParts& p : parts) {
            const std::string plain = p.Plain();
            const int width = canvas.TextWidth(plain);
            int x = textAlignment_ == haLeft    ? area.Left
                    : textAlignment_ == haRight ? area.Right - width
                                                : area.Left + (area.Width() - width) / 2;
            x += dx;
            TFont font = canvas.Font();
            font.SetColor(c);
            canvas.Font() = font;
            canvas.TextOut(x, ly, p.Before);
            x += canvas.TextWidth(p.Before);
            if (!p.Letter.empty()) {
                TFont underlined = font;
                underlined.SetStyle(font.Style() | fsUnderline);
                canvas.Font() = underlined;
                canvas.TextOut(x, ly, p.Letter);
                x += canvas.TextWidth(p.Letter);
                canvas.Font() = font;
            }
            canvas.TextOut(x, ly, p.After);
            ly += canvas.TextHeight(plain.empty() ? "W" : plain);
        }
    };
    if (!tab.Enabled) {
        TColor hi = textColors_.DisabledHighlight(), sh = textColors_.DisabledShadow();
        if (OnGetTextColor) OnGetTextColor(this, index, selected, hot, hi);
        drawLines(1, 1, hi);
        if (OnGetTextColor) OnGetTextColor(this, index, selected, hot, sh);
        drawLines(0, 0, sh);
    } else {
        if (OnGetTextColor) OnGetTextColor(this, index, selected, hot, color);
        drawLines(0, 0, color);
    }

    if (selected && showFocusRect_ && Focused()) {
        TRect focus = Rect(area.Left - 1, area.Top, area.Right + 1, area.Bottom + 1);
        if (tabStyle_ == tsRoundCorners) focus.Top -= 1;
        canvas.DrawFocusRect(focus);
    }
}

void TWsCustomTabControl::PaintTabOutline(TCanvas& canvas, const TRect& r) {
    std::vector<TPoint> p = TabShapePoints(tabStyle_, r, cutCornerSize_);
    TCanvasStateSaver saver(canvas);
    canvas.Pen() = TPen{LineColor(), 1, psSolid, pmCopy};
    // Each side stops one row above the card's edge, which the card draws.
    canvas.MoveTo(p[1].X, p[1].Y);
    canvas.LineTo(p[0].X, p[0].Y);
    canvas.Polyline(std::vector<TPoint>(p.begin() + 1, p.end()));
}

void TWsCustomTabControl::PaintCard(TCanvas& canvas) {
    const TRect card = CardRect();
    if (card.IsEmpty()) return;
    bool handled = false;
    if (OnPaintCardBackground) OnPaintCardBackground(this, canvas, card, handled);
    if (!handled) {
        canvas.Brush() = TBrush{CardColor(), bsSolid};
        canvas.FillRect(card);
    }
    if (!showCardFrame_) return;
    TCanvasStateSaver saver(canvas);
    canvas.Pen() = TPen{LineColor(), 1, psSolid, pmCopy};
    const int l = card.Left, t = card.Top, r = card.Right - 1, b = card.Bottom - 1;
    if (showFullFrame_) {
        canvas.MoveTo(l, t);
        canvas.LineTo(l, b);
        canvas.LineTo(r, b);
        canvas.LineTo(r, t - 1);
    }
    // The top edge stays open under the selected tab, which merges with the card.
    TRect sel = DrawnTabRect(tabIndex_);
    if (sel.IsEmpty()) {
        canvas.MoveTo(l, t);
        canvas.LineTo(r + 1, t);
        return;
    }
    if (sel.Left >= l) {
        canvas.MoveTo(l, t);
        canvas.LineTo(std::min(sel.Left, r) + 1, t);
    }
    if (sel.Right <= r) {
        canvas.MoveTo(std::max(sel.Right, l), t);
        canvas.LineTo(r + 1, t);
    }
}

void TWsCustomTabControl::PaintShadow(TCanvas& canvas) {
    const int w = Width(), h = Height();
    const int top = StripHeight();
    const TRect clip = canvas.ClipBounds();
    // Each band darkens what lies behind the control there: the parent's pixels, or the
    // control's own picture when nothing is behind it.
    auto shade = [&](TRect band, std::uint8_t weight) {
        band = band.Intersect(clip);
        if (band.IsEmpty()) return;
        TBitmap behind(band.Width(), band.Height());
        TCanvas& bc = behind.Canvas();
        bc.CopyRect(Rect(0, 0, band.Width(), band.Height()), canvas, band);
        bc.SetOrigin({-band.Left, -band.Top});
        PaintParentBackground(*this, bc);
        bc.SetOrigin({0, 0});
        for (int y = band.Top; y < band.Bottom; ++y)
            for (int x = band.Left; x < band.Right; ++x)
                canvas.SetPixels(
                    x, y, MixColors(clBlack, bc.Pixels(x - band.Left, y - band.Top), weight));
    };
    shade(Rect(w - 2, top + 2, w - 1, h - 1), 30);
    shade(Rect(2, h - 2, w - 2, h - 1), 30);
    shade(Rect(w - 1, top + 3, w, h), 15);
    shade(Rect(3, h - 1, w - 1, h), 15);
}

void TWsCustomTabControl::PaintScrollArrows(TCanvas& canvas) {
    TCanvasStateSaver saver(canvas);
    for (int which = 0; which < 2; ++which) {
        TRect r = ArrowRect(which);
        canvas.Brush() = TBrush{clBtnFace, bsSolid};
        canvas.Pen() = TPen{LineColor(), 1, psSolid, pmCopy};
        canvas.Rectangle(r);
        const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
        const int s = std::max(1, r.Width() / 4);
        canvas.Brush().Color = clBtnText;
        canvas.Pen().Color = clBtnText;
        if (which == 0)
            canvas.Polygon({{cx + s / 2, cy - s}, {cx + s / 2, cy + s}, {cx - s / 2 - 1, cy}});
        else
            canvas.Polygon({{cx - s / 2, cy - s}, {cx - s / 2, cy + s}, {cx + s / 2 + 1, cy}});
    }
}
