#include "widgets/WsListView.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "framework/Application.h"
#include "widgets/WsPanelBorders.h"

namespace {

// Gaps around the arrow, and the room a header text keeps from the item's sides.
constexpr int kArrowGap = 5;
constexpr int kHeaderTextInset = 4;
constexpr int kHeaderEdge = 2;
// A header text is read as the platform hands it over: at most 255 bytes, whole characters.
constexpr std::size_t kHeaderTextLimit = 255;

std::string_view HeaderText(std::string_view text) {
    if (text.size() <= kHeaderTextLimit) return text;
    std::size_t cut = kHeaderTextLimit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

unsigned Justification(TAlignment alignment) {
    return alignment == taRightJustify ? dtRight : alignment == taCenter ? dtCenter : dtLeft;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = lower(a[i]), y = lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

TWsCustomListView::TWsCustomListView(TComponent* owner) : TCustomListView(owner) {
    // The creation default skips the version test that an assignment makes.
    RefreshHeaderFormats();
}

// ---- properties ----

void TWsCustomListView::SetViewStyle(TViewStyle style) {
    TCustomListView::SetViewStyle(style);
    if (style == vsReport) RefreshHeaderFormats();
}

void TWsCustomListView::SetFillLastColumn(bool on) {
    if (StoreChanged(fillLastColumn_, on)) FitLastColumn();
}

void TWsCustomListView::SetHeaderSortDisplayMode(TWsLVHeaderSortDisplayMode mode) {
    if (mode == sortDisplayMode_) return;
    sortDisplayMode_ = Display().CommonControlsVersion >= ComCtlVersion470 ? mode : hsdmNone;
    RefreshHeaderFormats();
    Header()->Invalidate();
}

void TWsCustomListView::SetHeaderDefaultDrawing(bool on) {
    if (StoreChanged(headerDefaultDrawing_, on)) Header()->Invalidate();
}

void TWsCustomListView::RefreshHeaderFormats() {
    // Changing header items makes the header report changes, which would start this again.
    if (formatNesting_ > 0 || ViewStyle() != vsReport) return;
    ++formatNesting_;
    SetHeaderOwnerDraw(sortDisplayMode_ != hsdmNone);
    Header()->Invalidate();
    --formatNesting_;
}

void TWsCustomListView::SetFocusColor(TColor color) {
    if (StoreChanged(focusColor_, color)) UpdateColors();
}

void TWsCustomListView::SetDisabledColor(TColor color) {
    if (StoreChanged(disabledColor_, color)) UpdateColors();
}

void TWsCustomListView::FrameSettingChanged() {
    Layout();
    RepaintFrame();
}

void TWsCustomListView::SetFrameVisible(bool on) {
    if (StoreChanged(frameVisible_, on)) FrameSettingChanged();
}

void TWsCustomListView::SetFrameStyle(TFrameStyle style) {
    if (StoreChanged(frameStyle_, style)) FrameSettingChanged();
}

void TWsCustomListView::SetFrameHotStyle(TFrameStyle style) {
    if (StoreChanged(frameHotStyle_, style)) FrameSettingChanged();
}

void TWsCustomListView::SetFrameColor(TColor color) {
    if (StoreChanged(frameColor_, color)) FrameSettingChanged();
}

void TWsCustomListView::SetFrameHotColor(TColor color) {
    if (StoreChanged(frameHotColor_, color)) FrameSettingChanged();
}

void TWsCustomListView::SetFrameHotTrack(bool on) {
    if (StoreChanged(frameHotTrack_, on)) FrameSettingChanged();
}

void TWsCustomListView::SetFrameSides(TSides sides) {
    if (StoreChanged(frameSides_, sides)) FrameSettingChanged();
}

void TWsCustomListView::SetFramingPreference(TFramingPreference preference) {
    if (StoreChanged(framingPreference_, preference)) FrameSettingChanged();
}

bool TWsCustomListView::UseThemedFrame() const {
    return framingPreference_ == fpXPThemes && Display().VisualThemesActive;
}

int TWsCustomListView::BorderWidth() const {
    return CustomFrame() ? 2 : TCustomListView::BorderWidth();
}

// ---- sorting ----

void TWsCustomListView::InvalidateHeaderItem(int index) {
    if (index >= 0) Header()->InvalidateRect(Header()->SectionRect(index));
}

void TWsCustomListView::SetSortColumn(int column) {
    if (column == sortColumn_) return;
    InvalidateHeaderItem(sortColumn_);
    sortColumn_ = column;
    InvalidateHeaderItem(sortColumn_);
    if (Display().CommonControlsVersion >= ComCtlVersion600) RefreshHeaderFormats();
}

void TWsCustomListView::SetSortDescending(bool descending) {
    if (!StoreChanged(sortDescending_, descending)) return;
    InvalidateHeaderItem(sortColumn_);
    if (Display().CommonControlsVersion >= ComCtlVersion600) RefreshHeaderFormats();
    Header()->Update();
}

int TWsCustomListView::CompareItems(const TListItem& a, const TListItem& b, int column,
                                    bool descending) {
    std::string_view ta = a.Text(column), tb = b.Text(column);
    int r = CompareNoCase(ta, tb);
    // Ascending, every text goes before every empty one.
    if (r > 0 && tb.empty())
        r = -1;
    else if (r < 0 && ta.empty())
        r = 1;
    return descending ? -r : r;
}

void TWsCustomListView::AlphaSort(int column, bool descending) {
    CustomSort([column, descending](const TListItem& a, const TListItem& b) {
        return CompareItems(a, b, column, descending);
    });
}

void TWsCustomListView::ColumnClicked(int index) {
    if (alphaSortAll_) {
        if (index == lastSortColumn_) {
            SetSortColumn(index);
            SetSortDescending(true);
            AlphaSort(index, true);
            lastSortColumn_ = -1;
        } else {
            SetSortColumn(index);
            SetSortDescending(false);
            AlphaSort(index, false);
            lastSortColumn_ = index;
        }
    }
    Header()->Invalidate();
    TCustomListView::ColumnClicked(index);
}

// ---- header drawing ----

TRect TWsCustomListView::ArrowBox(const TRect& r) {
    int s = (r.Top + r.Bottom) / 2 - 1;
    int top = (r.Top + r.Bottom - s) / 2 - 1;
    return {r.Left, top, r.Left + s + 1, top + s};
}

void TWsCustomListView::DrawArrow(TCanvas& canvas, const TRect& box, int columnWidth) const {
    if (2 * box.Width() >= columnWidth) return;
    int x = box.Left, y = box.Bottom;
    int h = box.Height() * 3 / 4;
    int w = 2 * h - 1;
    if (h <= 0) return;
    canvas.Pen() = TPen{clBtnShadow, 1, psSolid, pmCopy};
    canvas.Brush() = TBrush{clBtnShadow, bsSolid};
    if (sortDescending_)
        canvas.Polygon({{x, y - h}, {x + w - 1, y - h}, {x + w / 2, y - 1}});
    else
        canvas.Polygon({{x + w / 2, y - h}, {x, y - 1}, {x + w - 1, y - 1}});
}

void TWsCustomListView::DrawHeaderSection(TCanvas& canvas, int index, const TRect& item, bool) {
    TListColumn* column = Columns().Item(index);
    canvas.Font() = Font();
    canvas.Font().SetColor(clBtnText);
    canvas.Brush().Color = clBtnFace;
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(item);
    TRect r = item.Inflate(-kHeaderEdge, -kHeaderEdge);
    if (!headerDefaultDrawing_ || !column) return;
    TRect text{r.Left + kHeaderTextInset, r.Top, r.Right - kHeaderTextInset, r.Bottom};
    canvas.IntersectClipRect(r);
    int width = DisplayWidth(index);
    bool sorted = index == sortColumn_;
    TAlignment alignment = column->Alignment();
    std::string_view caption = HeaderText(column->Caption());
    TRect box = ArrowBox(text);
    bool textDrawn = false;

    auto drawText = [&](TRect at) {
        if (column->ImageIndex() != -1 && SmallImages()) {
            SmallImages()->Draw(canvas, at.Left, at.Top, column->ImageIndex());
            at.Left += SmallImages()->Width() + 4;
        }
        canvas.Brush().Color = clBtnFace;
        canvas.Brush().Style = bsSolid;
        if (!at.IsEmpty())
            canvas.DrawText(caption, at,
                            dtSingleLine | dtEndEllipsis | dtNoPrefix | Justification(alignment));
        return at;
    };
    auto toRightEnd = [&] {
        int w = box.Width();
        box.Right = text.Right - kArrowGap;
        box.Left = box.Right - w;
    };

    switch (sortDisplayMode_) {
        case hsdmLeftAlign:
            if (sorted && width > 15) {
                DrawArrow(canvas, box, width);
                text.Left = box.Right + kArrowGap;
            }
            break;
        case hsdmRightOfText:
            if (!sorted) break;
            if (alignment == taLeftJustify) {
                TRect at = drawText(text);
                textDrawn = true;
                int end = at.Left + std::min(canvas.TextWidth(caption), std::max(at.Width(), 0));
                int w = box.Width();
                box.Left = end + kArrowGap;
                box.Right = box.Left + w;
                DrawArrow(canvas, box, width);
            } else {
                // The box keeps the arrow size of the header line, which the text shares.
                toRightEnd();
                DrawArrow(canvas, box, width);
                if (alignment == taRightJustify) {
                    text.Right = box.Left - kArrowGap;
                } else {
                    text.Left += box.Width() + kArrowGap;
                    text.Right -= box.Width() + kArrowGap;
                }
            }
            break;
        case hsdmRightAlign:
            toRightEnd();
            if (sorted) {
                DrawArrow(canvas, box, width);
                text.Right = box.Left - kArrowGap;
            }
            break;
        case hsdmNone:
            break;
    }
    if (!textDrawn) drawText(text);
}

// ---- colours and frame ----

void TWsCustomListView::UpdateColors() {
    if (Loading()) return;
    updatingColors_ = true;
    if (!Enabled())
        SetColor(disabledColor_);
    else if (Focused())
        SetColor(focusColor_);
    else
        SetColor(normalColor_);
    updatingColors_ = false;
}

void TWsCustomListView::ColorChanged() {
    if (!updatingColors_) {
        // A colour set by the user: focus follows it while the two were the same.
        if (focusColor_ == normalColor_) focusColor_ = Color();
        normalColor_ = Color();
    }
    if (CustomFrame()) RepaintFrame();
    TCustomListView::ColorChanged();
}

void TWsCustomListView::UpdateFrame(bool setMouse, bool mouseIn) {
    if (setMouse) mouseInControl_ = mouseIn;
    if (frameHotTrack_ && CustomFrame()) RepaintFrame();
}

void TWsCustomListView::RepaintFrame() {
    Invalidate();
}

void TWsCustomListView::Paint(TCanvas& canvas) {
    TCustomListView::Paint(canvas);
    if (!CustomFrame()) return;
    bool hot = frameHotTrack_ && (Focused() || mouseInControl_);
    DrawControlFrame(canvas, Width(), Height(), frameSides_, hot ? frameHotColor_ : frameColor_,
                     Color(), hot ? frameHotStyle_ : frameStyle_);
}

void TWsCustomListView::MouseEnter() {
    UpdateColors();
    UpdateFrame(true, true);
    TCustomListView::MouseEnter();
}

void TWsCustomListView::MouseLeave() {
    UpdateColors();
    UpdateFrame(true, false);
    TCustomListView::MouseLeave();
}

void TWsCustomListView::DoEnter() {
    UpdateColors();
    UpdateFrame(false, false);
    TCustomListView::DoEnter();
}

void TWsCustomListView::DoExit() {
    UpdateColors();
    UpdateFrame(false, false);
    TCustomListView::DoExit();
}

void TWsCustomListView::EnabledChanged() {
    TCustomListView::EnabledChanged();
    UpdateColors();
}

void TWsCustomListView::Loaded() {
    TCustomListView::Loaded();
    UpdateColors();
    UpdateFrame(false, false);
    if (fillLastColumn_) FitLastColumn();
    RefreshHeaderFormats();
}

void TWsCustomListView::Resize() {
    TCustomListView::Resize();
    if (CustomFrame()) RepaintFrame();
}

// ---- column widths ----

void TWsCustomListView::AdjustColumnWidths(int availableWidth) {
    TCustomListView::AdjustColumnWidths(availableWidth);
    if (!fillLastColumn_ || ViewStyle() != vsReport || Destroying() || fitting_) return;
    int last = Columns().Count() - 1;
    if (last < 0) return;
    int sum = 0;
    for (int i = 0; i < last; ++i) sum += DisplayWidth(i);
    if (sum >= availableWidth) return;
    int rest = availableWidth - sum;
    fitting_ = true;
    Columns()[last]->SetWidth(rest <= 4 ? 5 : rest);
    fitting_ = false;
}

void TWsCustomListView::FitLastColumn() {
    // Layout gives the last column its width whenever columns or the client area change.
    if (fillLastColumn_) Layout();
}

void TWsCustomListView::ColumnResized(int) {
    FitLastColumn();
    RefreshHeaderFormats();
}

// ---- behaviour ----

int TWsCustomListView::WheelRows(unsigned lines) const {
    // The classic step is 16 pixels per line, which a report list moves in whole rows; a
    // count of 0 means the user turned wheel scrolling off.
    if (lines == 0) return 0;
    long long pixels = static_cast<long long>(std::min<unsigned>(lines, 100000)) * 16;
    int row = std::max(RowHeight(), 1);
    return static_cast<int>(std::max<long long>(1, (pixels + row / 2) / row));
}

bool TWsCustomListView::CanEdit(TListItem* item) {
    if (ViewStyle() == vsReport && RowSelect() && !editOnRowClick_) {
        if (!item || !Application()) return false;
        TPoint mouse = ScreenToClient(Application()->Host().CursorPos());
        if (!CaptionRect(item->Index()).Contains(mouse)) return false;
    }
    return TCustomListView::CanEdit(item);
}

bool TWsCustomListView::CanChangeCheck(TListItem* item, bool checked) {
    bool allow = true;
    if (OnCheckStateChanging) OnCheckStateChanging(this, item, checked, allow);
    return allow;
}

void TWsCustomListView::CheckChanged(TListItem* item) {
    if (OnCheckStateChange) OnCheckStateChange(this, item);
}

void TWsCustomListView::ContextMenu(TListItem* item, TPoint pos, bool byKeyboard) {
    TPopupMenu* menu = popupMenu_;
    if (item && OnItemContextMenu) OnItemContextMenu(this, item, pos, menu);
    (void)byKeyboard;  // the position already names the pointer or the selected row
    if (menu) menu->Popup(ClientToScreen(pos));
}
