#include "widgets/WsToolbar.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Form.h"
#include "widgets/WsToolButton.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

int TWsToolbarControlList::IndexOf(const TControl* control) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].Control == control) return static_cast<int>(i);
    return -1;
}

int TWsToolbarControlList::IndexOfName(const std::string& name) const {
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (SameName(items_[i].Name, name)) return static_cast<int>(i);
    return -1;
}

bool TWsToolbarControlList::Add(TControl* control) {
    // Unnamed controls cannot clash by name; they are told apart by identity alone.
    if (!control || IndexOf(control) >= 0 || IndexOfName(control->Name()) >= 0) return false;
    items_.push_back({control, control->Name()});
    return true;
}

bool TWsToolbarControlList::Remove(const TControl* control) {
    const int i = IndexOf(control);
    if (i < 0) return false;
    items_.erase(items_.begin() + i);
    return true;
}

void TWsToolbarControlList::Move(int from, int to) {
    const int n = Count();
    if (from < 0 || from >= n) return;
    to = std::clamp(to, 0, n - 1);
    const TWsToolbarControl item = items_[from];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
}

TWsToolbar::TWsToolbar(TComponent* owner) : TWsCustomPanel(owner) {
    SetBounds(0, 0, 32, 32);
    SetAlign(alTop);
    ApplyAutoStyle();
}

TWsToolbar::~TWsToolbar() {
    // The children go after this; nothing is laid out while the bar is torn down.
    destroying_ = true;
    order_.Clear();
}

void TWsToolbar::SetAutoResize(bool autoResize) {
    if (StoreChanged(autoResize_, autoResize)) Realign();
}

void TWsToolbar::SetAutoSize(bool autoSize) {
    if (StoreChanged(autoSize_, autoSize)) Realign();
}

void TWsToolbar::SetAutoStyle(bool autoStyle) {
    if (StoreChanged(autoStyle_, autoStyle) && autoStyle) ApplyAutoStyle();
}

void TWsToolbar::SetShowDivider(bool show) {
    if (!StoreChanged(showDivider_, show)) return;
    applyingAutoStyle_ = true;
    SetBorderOuter(show ? fsGroove : fsNone);
    applyingAutoStyle_ = false;
}

void TWsToolbar::ApplyAutoStyle() {
    applyingAutoStyle_ = true;
    SetBorderInner(fsNone);
    SetBorderOuter(showDivider_ ? fsGroove : fsNone);
    switch (Align()) {
        case alBottom:
            SetBorderSides({sdBottom});
            break;
        case alLeft:
            SetBorderSides({sdLeft});
            break;
        case alRight:
            SetBorderSides({sdRight});
            break;
        default:
            SetBorderSides({sdTop});
            break;
    }
    styledAlign_ = Align();
    applyingAutoStyle_ = false;
}

void TWsToolbar::BorderStyleChanged() {
    if (!applyingAutoStyle_) autoStyle_ = false;
}

void TWsToolbar::VisualStyleChanged() {
    NotifyButtons(tnStyle);
}

void TWsToolbar::SetImages(TImageList* images) {
    if (!StoreChanged(images_, images)) return;
    NotifyButtons(tnSize);
    Invalidate();
}

void TWsToolbar::ButtonSettingSet(TWsToolbarNotice notice) {
    textOptions_ = ttoCustom;
    NotifyButtons(notice);
}

void TWsToolbar::SetShowButtonCaptions(bool show) {
    if (StoreChanged(showButtonCaptions_, show)) ButtonSettingSet(tnCaptionSetting);
}
void TWsToolbar::SetButtonLayout(TButtonLayout layout) {
    if (StoreChanged(buttonLayout_, layout)) ButtonSettingSet(tnLayout);
}
void TWsToolbar::SetButtonWidth(int width) {
    if (StoreChanged(buttonWidth_, std::clamp(width, 0, 1 << 12))) ButtonSettingSet(tnSize);
}
void TWsToolbar::SetButtonHeight(int height) {
    if (StoreChanged(buttonHeight_, std::clamp(height, 0, 1 << 12))) ButtonSettingSet(tnSize);
}

void TWsToolbar::SetTextOptions(TWsToolbarTextOptions options) {
    if (!StoreChanged(textOptions_, options) || options == ttoCustom) return;
    struct TPreset {
        TButtonLayout Layout;
        int Width, Height;
        bool Captions;
        int RowHorizontal, RowVertical;
    };
    static constexpr TPreset kPresets[] = {
        {blGlyphLeft, 25, 25, false, 25, 25},
        {blGlyphTop, 60, 40, true, 40, 60},
        {blGlyphLeft, 60, 25, true, 25, 60},
    };
    const TPreset& p = kPresets[options];
    DisableAlign();
    buttonLayout_ = p.Layout;
    buttonWidth_ = p.Width;
    buttonHeight_ = p.Height;
    showButtonCaptions_ = p.Captions;
    rowHeight_ = orientation_ == orHorizontal ? p.RowHorizontal : p.RowVertical;
    for (TWsToolbarNotice n : {tnCaptionSetting, tnLayout, tnSize}) NotifyButtons(n);
    Realign();
    EnableAlign();
}

void TWsToolbar::SetMargin(int margin) {
    if (StoreChanged(margin_, std::clamp(margin, 0, 1 << 12))) Realign();
}
void TWsToolbar::SetTopMargin(int margin) {
    if (StoreChanged(topMargin_, std::clamp(margin, 0, 1 << 12))) Realign();
}
void TWsToolbar::SetRowHeight(int height) {
    if (StoreChanged(rowHeight_, std::clamp(height, 1, 1 << 12))) Realign();
}
void TWsToolbar::SetWrapControls(bool wrap) {
    if (StoreChanged(wrapControls_, wrap)) Realign();
}
void TWsToolbar::SetOrientation(TOrientation orientation) {
    if (StoreChanged(orientation_, orientation)) Realign();
}

void TWsToolbar::SetBackground(const TPixelBuffer& picture) {
    background_ = picture;
    Invalidate();
}

void TWsToolbar::NotifyButtons(TWsToolbarNotice notice) {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TWsToolButton*>(Controls(i))) button->ToolbarNotice(notice);
}

void TWsToolbar::SetToolbarControlNames(std::vector<std::string> names) {
    pendingNames_ = std::move(names);
    namesPending_ = true;
    if (Loading()) return;
    ResolveControlNames();
    Realign();
}

void TWsToolbar::MoveToolbarControl(int from, int to) {
    order_.Move(from, to);
    Realign();
}

void TWsToolbar::ResolveControlNames() {
    order_.Clear();
    if (namesPending_) {
        const TForm* form = Form();
        for (const std::string& name : pendingNames_) {
            auto* control =
                form ? dynamic_cast<TControl*>(form->FindComponent(name)) : FindChildControl(name);
            // A name of nothing, or of a control elsewhere, is dropped.
            if (control && control->Parent() == this) order_.Add(control);
        }
        pendingNames_.clear();
        namesPending_ = false;
    }
    AppendUnlisted();
}

void TWsToolbar::AppendUnlisted() {
    for (int i = 0; i < ControlCount(); ++i)
        if (order_.IndexOf(Controls(i)) < 0) order_.Add(Controls(i));
}

void TWsToolbar::Loaded() {
    ResolveControlNames();
    if (autoStyle_) ApplyAutoStyle();
    TWsCustomPanel::Loaded();
    Realign();
}

void TWsToolbar::ChildInserted(TControl* child) {
    if (!Loading() && !destroying_) order_.Add(child);
}

void TWsToolbar::ChildRemoved(TControl* child) {
    order_.Remove(child);
}

void TWsToolbar::AlignControls(TRect) {
    if (destroying_) return;
    ++layoutPasses_;
    if (autoStyle_ && Align() != styledAlign_) ApplyAutoStyle();
    AppendUnlisted();

    // Every position and the bar's size are worked out first, then each is applied once, and
    // only where it changes: moving a child asks for another layout, which the realign guard
    // turns away while this one runs.
    struct TPlace {
        TControl* Control;
        int Left;
        int Top;
    };
    std::vector<TPlace> places;
    const bool horizontal = orientation_ == orHorizontal;
    const int extent = horizontal ? Width() : Height();
    int pos = margin_;
    int line = 1;
    int largest = 0;
    bool lineUsed = false;
    for (int i = 0; i < order_.Count(); ++i) {
        TControl* c = order_[i].Control;
        if (!c->Visible()) continue;
        const int along = horizontal ? c->Width() : c->Height();
        const int across = horizontal ? c->Height() : c->Width();
        if (lineUsed && wrapControls_ && extent - margin_ < pos + along) {
            pos = margin_;
            ++line;
        }
        const int lineStart = horizontal ? topMargin_ : margin_;
        const int offset = (line - 1) * rowHeight_ + lineStart + rowHeight_ / 2 - across / 2;
        places.push_back(horizontal ? TPlace{c, pos, offset} : TPlace{c, offset, pos});
        pos += along;
        largest = std::max(largest, pos);
        lineUsed = true;
    }

    int width = Width();
    int height = Height();
    const TAlign align = Align();
    const bool sideways = align == alLeft || align == alRight;
    if (autoResize_ && align != alClient) {
        if (horizontal) {
            if (!sideways)
                height = rowHeight_ * line + 2 * topMargin_;
            else if (!places.empty())
                width = margin_ + largest;
        } else {
            if (sideways)
                width = rowHeight_ * line + topMargin_ + 2;
            else if (!places.empty())
                height = margin_ + largest;
        }
    }
    if (autoSize_ && align != alClient && !places.empty()) {
        // Fit the bar to its controls across its docking edge; the groove may lie under them.
        int lo = INT_MAX;
        int hi = INT_MIN;
        for (const TPlace& p : places) {
            const int start = sideways ? p.Left : p.Top;
            const int size = sideways ? p.Control->Width() : p.Control->Height();
            lo = std::min(lo, start);
            hi = std::max(hi, start + size);
        }
        for (TPlace& p : places) (sideways ? p.Left : p.Top) -= lo;
        (sideways ? width : height) = hi - lo;
    }

    if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
    for (const TPlace& p : places) {
        TControl* c = p.Control;
        if (c->Left() != p.Left || c->Top() != p.Top)
            c->SetBounds(p.Left, p.Top, c->Width(), c->Height());
    }
}

void TWsToolbar::Paint(TCanvas& canvas) {
    TWsCustomPanel::Paint(canvas);
    if (background_.Width() <= 0 || background_.Height() <= 0) return;
    const TRect inside = InsideBorders(PanelRect());
    TCanvasStateSaver saver(canvas);
    canvas.IntersectClipRect(inside);
    const TRect clip = canvas.ClipBounds();
    const int w = background_.Width();
    const int h = background_.Height();
    for (int y = inside.Top; y < inside.Bottom; y += h) {
        if (y + h <= clip.Top || y >= clip.Bottom) continue;
        for (int x = inside.Left; x < inside.Right; x += w) {
            if (x + w <= clip.Left || x >= clip.Right) continue;
            canvas.Draw(x, y, background_);
        }
    }
}

void TWsToolbar::DescribeAccessible(TAccDescription& d) const {
    TWsCustomPanel::DescribeAccessible(d);
    d.Role = arToolBar;
}
