#include "framework/ListView.h"

#include <algorithm>
#include <climits>

#include "base/StoreChanged.h"
#include "framework/Application.h"
#include "framework/ListViewAccessible.h"
#include "graphics/Frame3D.h"

namespace {

constexpr int kScrollBar = TScrollBar::DefaultThickness;
// Space left of the first image in column 0, around a caption, and inside other cells.
constexpr int kIconMargin = 1;
constexpr int kCaptionPadding = 2;
constexpr int kCellPadding = 6;
constexpr int kCheckBox = 13;
// The wait that tells a slow second click (edit the caption) from a double click.
constexpr int kEditDelayMs = 500;
constexpr int kHorzLine = 16;

unsigned TextFlags(TAlignment alignment) {
    unsigned align = alignment == taRightJustify ? dtRight
                     : alignment == taCenter     ? dtCenter
                                                 : dtLeft;
    return align | dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix;
}

}  // namespace

int TWheelAccumulator::Add(int delta) {
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0)) rest_ = 0;
    // Far more than any turn, but no overflow however many come.
    rest_ = std::clamp(rest_ + delta, -WheelDelta * 1000, WheelDelta * 1000);
    int notches = rest_ / WheelDelta;
    rest_ -= notches * WheelDelta;
    return notches;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TCustomControl(owner),
      columns_(this,
               [this](int column, int request) {
                   return request == TListColumn::AutoSizeToCaption &&
                                  column == columns_.Count() - 1
                              ? std::max(0, ListClientWidth() - ColumnLeft(column))
                              : ContentWidth(column);
               }),
      items_(this) {
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
    editTimer_.OnTimer = [this](TObject*) {
        int index = editCandidate_;
        CancelEditTimer();
        EditCaption(items_.Item(index));
    };
    SetControlStyle(csCaptureMouse | csDoubleClicks | csOpaque | csClickEvents);

    header_ = InsertControl(std::make_unique<THeaderControl>());
    header_->OnSectionClick = [this](TObject*, int index) {
        if (columnClick_) ColumnClicked(index);
    };
    header_->OnSectionTrack = [this](TObject*, int index, int& width, TSectionTrackState state) {
        TListColumn* column = columns_.Item(index);
        if (!column) return;
        if (state == tsTrackEnd) {
            width = column->Clamped(width);
            column->SetWidth(width);
            Layout();
            ColumnResized(index);
        } else {
            Layout();
        }
        InvalidateBody();
    };
    header_->OnDividerDblClick = [this](TObject*, int index) {
        TListColumn* column = columns_.Item(index);
        if (!column) return;
        // The automatic width obeys the limits as a drag does, so a column held shut by its
        // maximum stays shut.
        column->SetWidth(column->Clamped(ContentWidth(index)));
        Layout();
        ColumnResized(index);
        InvalidateBody();
    };

    vbar_ = InsertControl(std::make_unique<TScrollBar>());
    vbar_->SetKind(sbVertical);
    vbar_->SetVisible(false);
    vbar_->OnChange = [this](TObject*) { SetTopIndex(vbar_->Position()); };
    hbar_ = InsertControl(std::make_unique<TScrollBar>());
    hbar_->SetVisible(false);
    hbar_->SetSmallChange(kHorzLine);
    hbar_->OnChange = [this](TObject*) { SetHorzScrollPos(hbar_->Position()); };

    UpdateRowHeight();
    Layout();
}

TCustomListView::~TCustomListView() {
    destroying_ = true;
    CancelEditTimer();
    // The children outlive the items and columns they report to.
    header_->OnSectionClick = header_->OnDividerDblClick = nullptr;
    header_->OnSectionTrack = nullptr;
    header_->OnDrawSection = nullptr;
    vbar_->OnChange = hbar_->OnChange = nullptr;
}

// ---- properties ----

void TCustomListView::SetViewStyle(TViewStyle style) {
    if (!StoreChanged(viewStyle_, style)) return;
    Layout();
    Invalidate();
}

void TCustomListView::SetGridLines(bool on) {
    if (StoreChanged(gridLines_, on)) InvalidateBody();
}

void TCustomListView::SetRowSelect(bool on) {
    if (StoreChanged(rowSelect_, on)) InvalidateBody();
}

void TCustomListView::SetHideSelection(bool on) {
    if (StoreChanged(hideSelection_, on)) InvalidateBody();
}

void TCustomListView::SetMultiSelect(bool on) {
    if (on == multiSelect_) return;
    TListItem* keep = focusItem_ && focusItem_->Selected() ? focusItem_ : Selected();
    multiSelect_ = on;
    singleSelected_ = nullptr;
    if (on || !keep) return;
    // Down to one selection: the focused one if it is selected, else the first.
    for (int i = 0; i < items_.Count() && selCount_ > 1; ++i)
        if (items_.Item(i) != keep) SetSelectedSilently(items_.Item(i), false);
    singleSelected_ = keep;
}

void TCustomListView::SetColumnClick(bool on) {
    columnClick_ = on;
    header_->SetClickable(on);
}

void TCustomListView::SetCheckboxes(bool on) {
    if (!StoreChanged(checkboxes_, on)) return;
    UpdateRowHeight();
    Layout();
    InvalidateBody();
}

void TCustomListView::SetBorderStyle(TFormBorderStyle style) {
    if (!StoreChanged(borderStyle_, style)) return;
    Layout();
    Invalidate();
}

void TCustomListView::SetSmallImages(TImageList* images) {
    if (!StoreChanged(smallImages_, images)) return;
    header_->SetImages(images);
    UpdateRowHeight();
    Layout();
    InvalidateBody();
}

void TCustomListView::SetStateImages(TImageList* images) {
    if (!StoreChanged(stateImages_, images)) return;
    UpdateRowHeight();
    Layout();
    InvalidateBody();
}

// ---- selection ----

TListItem* TCustomListView::Selected() const {
    if (!multiSelect_) return singleSelected_;
    if (selCount_ == 0) return nullptr;
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i)->Selected()) return items_.Item(i);
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* item) {
    ClearSelection();
    if (item && item->Owner() == &items_) {
        SetSelectedSilently(item, true);
        SetItemFocused(item);
        anchor_ = item;
        MakeVisible(item->Index());
    }
}

int TCustomListView::ItemIndex() const {
    TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TCustomListView::SetItemIndex(int index) {
    SetSelected(items_.Item(index));
}

int TCustomListView::SelCount() const {
    return selCount_;
}

void TCustomListView::ClearSelection() {
    if (selCount_ == 0) return;
    if (!multiSelect_ && singleSelected_) {
        SetSelectedSilently(singleSelected_, false);
        return;
    }
    for (int i = 0; i < items_.Count() && selCount_ > 0; ++i)
        if (items_.Item(i)->Selected()) SetSelectedSilently(items_.Item(i), false);
}

TListItem* TCustomListView::ItemFocused() const {
    return focusItem_;
}

void TCustomListView::SetItemFocused(TListItem* item) {
    if (item) {
        item->SetFocused(true);
    } else if (focusItem_) {
        focusItem_->SetFocused(false);
    }
}

void TCustomListView::SetSelectedSilently(TListItem* item, bool selected) {
    if (!item || item->Selected() == selected) return;
    selecting_ = true;
    item->SetSelected(selected);
    selecting_ = false;
    if (OnSelectItem) OnSelectItem(this, item, selected);
}

bool TCustomListView::ItemStateChanging(TListItem* item, std::uint8_t flag, bool on) {
    // A check made in code is asked about and reported like one made by a click.
    return flag != TListItem::kChecked || !checkboxes_ || CanChangeCheck(item, on);
}

void TCustomListView::ItemStateChanged(TListItem* item, std::uint8_t changed) {
    if (changed & TListItem::kSelected) {
        selCount_ += item->Selected() ? 1 : -1;
        if (TListViewAccessible* table = TableNode(); table && item->Selected()) {
            table->ItemSelected(item);
        }
        if (!multiSelect_) {
            if (item->Selected()) {
                TListItem* old = singleSelected_;
                singleSelected_ = item;
                // Without multi-select a new selection ends the old one.
                if (old && old != item) SetSelectedSilently(old, false);
            } else if (singleSelected_ == item) {
                singleSelected_ = nullptr;
            }
        }
    }
    if (changed & TListItem::kFocused) {
        if (item->Focused()) {
            TListItem* old = focusItem_;
            focusItem_ = item;
            if (old && old != item) old->SetFocused(false);
        } else if (focusItem_ == item) {
            focusItem_ = nullptr;
        }
    }
    if ((changed & TListItem::kChecked) && checkboxes_) CheckChanged(item);
    InvalidateItem(item->Index());
}

void TCustomListView::ItemRemoving(const TListItem* item) {
    auto gone = [item](const TListItem* p) { return p && (!item || p == item); };
    if (gone(editItem_) && editor_) FinishEdit(false, {});
    if (gone(focusItem_)) focusItem_ = nullptr;
    if (gone(anchor_)) anchor_ = nullptr;
    if (gone(singleSelected_)) singleSelected_ = nullptr;
    if (!item)
        selCount_ = 0;
    else if (item->Selected())
        --selCount_;
    if (editCandidate_ >= 0) CancelEditTimer();
    if (TListViewAccessible* table = TableNode()) table->ItemRemoving(item);
}

void TCustomListView::SelectRange(int from, int to, bool keepOthers) {
    if (from > to) std::swap(from, to);
    if (!keepOthers) {
        for (int i = 0; i < items_.Count() && selCount_ > 0; ++i)
            if (i < from || i > to) SetSelectedSilently(items_.Item(i), false);
    }
    for (int i = from; i <= to; ++i) SetSelectedSilently(items_.Item(i), true);
}

void TCustomListView::MoveFocus(int index, TShiftState shift, bool byMouse) {
    if (items_.Count() == 0) return;
    index = std::clamp(index, 0, items_.Count() - 1);
    TListItem* item = items_.Item(index);
    bool ctrl = shift & ssCtrl;
    if (multiSelect_ && (shift & ssShift)) {
        int from = anchor_ ? anchor_->Index() : index;
        SelectRange(from, index, ctrl && byMouse);
        if (!anchor_) anchor_ = item;
    } else if (multiSelect_ && ctrl) {
        // Ctrl+click toggles one row; Ctrl+arrow only moves the focus.
        if (byMouse) SetSelectedSilently(item, !item->Selected());
        anchor_ = item;
    } else {
        if (multiSelect_) {
            for (int i = 0; i < items_.Count() && selCount_ > (item->Selected() ? 1 : 0); ++i)
                if (i != index) SetSelectedSilently(items_.Item(i), false);
        }
        SetSelectedSilently(item, true);
        anchor_ = item;
    }
    item->SetFocused(true);
    MakeVisible(index);
}

// ---- geometry ----

int TCustomListView::DisplayWidth(int column) const {
    if (column < 0 || column >= columns_.Count()) return 0;
    if (header_->TrackingSection() == column && column < header_->SectionCount())
        return header_->SectionWidth(column);
    return columns_.Item(column)->Width();
}

int TCustomListView::TotalColumnWidth() const {
    long long total = 0;
    for (int i = 0; i < columns_.Count(); ++i) total += DisplayWidth(i);
    return static_cast<int>(std::min<long long>(total, INT_MAX / 2));
}

int TCustomListView::ColumnLeft(int column) const {
    long long left = 0;
    for (int i = 0; i < column && i < columns_.Count(); ++i) left += DisplayWidth(i);
    return static_cast<int>(std::min<long long>(left, INT_MAX / 2));
}

TRect TCustomListView::HeaderRect() const {
    return header_->Visible() ? header_->BoundsRect() : TRect{};
}

int TCustomListView::VisibleRowCount() const {
    return rowHeight_ > 0 ? std::max(0, body_.Height()) / rowHeight_ : 0;
}

TRect TCustomListView::ItemRect(int index) const {
    if (index < 0 || index >= items_.Count()) return {};
    long long top = body_.Top + static_cast<long long>(index - topIndex_) * rowHeight_;
    top = std::clamp<long long>(top, INT_MIN / 4, INT_MAX / 4);
    int left = body_.Left - hpos_;
    int right = left + TotalColumnWidth();
    return {left, static_cast<int>(top), right, static_cast<int>(top) + rowHeight_};
}

TRect TCustomListView::CellRect(int index, int column) const {
    TRect row = ItemRect(index);
    if (row.Bottom == row.Top || column < 0 || column >= columns_.Count()) return {};
    int left = body_.Left - hpos_ + ColumnLeft(column);
    return {left, row.Top, left + DisplayWidth(column), row.Bottom};
}

TRect TCustomListView::CaptionRect(int index) const {
    TRect cell = CellRect(index, 0);
    if (cell.Bottom == cell.Top) return {};
    int x = cell.Left + kIconMargin;
    TListItem* item = items_.Item(index);
    if (checkboxes_)
        x += kCheckBox + 3;
    else if (stateImages_ && item->StateIndex() >= 0)
        x += stateImages_->Width();
    if (smallImages_) x += smallImages_->Width();
    return {std::min(x, cell.Right), cell.Top, cell.Right, cell.Bottom};
}

int TCustomListView::ItemAtPos(TPoint pos) const {
    if (!body_.Contains(pos) || rowHeight_ <= 0) return -1;
    long long index = topIndex_ + static_cast<long long>(pos.Y - body_.Top) / rowHeight_;
    if (index >= items_.Count()) return -1;
    int right = body_.Left - hpos_ + TotalColumnWidth();
    if (pos.X >= right) return -1;
    return static_cast<int>(index);
}

int TCustomListView::ContentWidth(int column) const {
    if (column < 0 || column >= columns_.Count()) return 0;
    TPixelBuffer probe(1, 1);
    TCanvas canvas(probe);
    canvas.Font() = Font();
    int widest = canvas.TextWidth(columns_.Item(column)->Caption()) + 2 * kCellPadding;
    for (int i = 0; i < items_.Count(); ++i) {
        int w = canvas.TextWidth(items_.Item(i)->Text(column)) + 2 * kCellPadding;
        if (column == 0) {
            TRect caption = CaptionRect(i);
            w = caption.Left - CellRect(i, 0).Left + canvas.TextWidth(items_.Item(i)->Caption()) +
                2 * kCaptionPadding;
        }
        widest = std::max(widest, w);
    }
    return widest;
}

// ---- layout ----

void TCustomListView::UpdateRowHeight() {
    TPixelBuffer probe(1, 1);
    TCanvas canvas(probe);
    canvas.Font() = Font();
    int text = canvas.TextHeight("W") + 2;
    int image = 0;
    if (smallImages_) image = std::max(image, smallImages_->Height());
    if (stateImages_) image = std::max(image, stateImages_->Height());
    if (checkboxes_) image = std::max(image, kCheckBox);
    rowHeight_ = std::max({text, image + 1, 1});
}

void TCustomListView::AdjustColumnWidths(int available) {
    std::vector<int> pending;
    int fixed = 0;
    for (int i = 0; i < columns_.Count(); ++i) {
        if (columns_.Item(i)->AutoSize() && header_->TrackingSection() != i)
            pending.push_back(i);
        else
            fixed += DisplayWidth(i);
    }
    int remaining = available - fixed;
    // Columns that a limit keeps from their share keep the clamped width; the others share
    // again what is left, the first of them taking the remainder of the division.
    while (!pending.empty()) {
        int n = static_cast<int>(pending.size());
        int left = std::max(remaining, 0);
        bool settled = true;
        for (std::size_t k = 0; k < pending.size(); ++k) {
            int want = left / n + (k == 0 ? left % n : 0);
            TListColumn* column = columns_.Item(pending[k]);
            int clamped = column->Clamped(want);
            if (clamped != want) {
                column->SetWidth(clamped);
                remaining -= clamped;
                pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(k));
                settled = false;
                break;
            }
        }
        if (!settled) continue;
        for (std::size_t k = 0; k < pending.size(); ++k)
            columns_.Item(pending[k])->SetWidth(left / n + (k == 0 ? left % n : 0));
        break;
    }
}

void TCustomListView::SyncHeader() {
    int n = columns_.Count();
    if (header_->SectionCount() != n) {
        std::vector<THeaderSection> sections(static_cast<std::size_t>(n));
        header_->SetSections(std::move(sections));
    }
    for (int i = 0; i < n; ++i) {
        const TListColumn* c = columns_.Item(i);
        header_->SetSection(i, {c->Caption(), DisplayWidth(i), c->Alignment(), c->ImageIndex()});
    }
}

void TCustomListView::Layout() {
    if (laying_ || destroying_ || !hbar_) return;
    laying_ = true;
    int b = BorderWidth();
    int innerW = std::max(0, Width() - 2 * b);
    int innerH = std::max(0, Height() - 2 * b);
    int headerH = std::min(header_->PreferredHeight(), innerH);
    bool v = false, h = false;
    int cw = innerW, ch = innerH;
    // A scroll bar takes room from the other direction, which may call for the other bar.
    for (int pass = 0; pass < 3; ++pass) {
        cw = std::max(0, innerW - (v ? kScrollBar : 0));
        ch = std::max(0, innerH - (h ? kScrollBar : 0));
        AdjustColumnWidths(cw);
        int rows = std::max(0, ch - headerH) / std::max(rowHeight_, 1);
        bool nv = items_.Count() > rows && innerW > kScrollBar;
        bool nh = TotalColumnWidth() > cw && innerH > headerH + kScrollBar;
        if (nv == v && nh == h) break;
        v = nv;
        h = nh;
    }
    body_ = {b, b + headerH, b + cw, b + std::max(ch, headerH)};
    header_->SetBounds(b, b, cw, headerH);
    vbar_->SetBounds(b + cw, b, v ? kScrollBar : 0, ch);
    hbar_->SetBounds(b, b + ch, cw, h ? kScrollBar : 0);
    vbar_->SetVisible(v);
    hbar_->SetVisible(h);

    int rows = VisibleRowCount();
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, items_.Count() - rows));
    int total = TotalColumnWidth();
    hpos_ = std::clamp(hpos_, 0, std::max(0, total - cw));
    vbar_->SetParams(topIndex_, 0, std::max(0, items_.Count() - 1), std::max(rows, 1));
    hbar_->SetParams(hpos_, 0, std::max(0, total - 1), std::max(cw, 1));
    header_->SetScrollOffset(hpos_);
    SyncHeader();
    laying_ = false;
}

void TCustomListView::Resize() {
    TCustomControl::Resize();
    Layout();
    Invalidate();
}

void TCustomListView::Loaded() {
    TCustomControl::Loaded();
    UpdateRowHeight();
    Layout();
}

void TCustomListView::FontChanged() {
    TCustomControl::FontChanged();
    UpdateRowHeight();
    Layout();
}

void TCustomListView::ColorChanged() {
    Invalidate();
}

void TCustomListView::EnabledChanged() {
    TCustomControl::EnabledChanged();
    if (!Enabled() && editor_) FinishEdit(false, {});
    Invalidate();
}

void TCustomListView::ItemsChanged() {
    if (destroying_) return;
    Layout();
    InvalidateBody();
    if (TListViewAccessible* table = TableNode()) table->ItemsChanged();
    if (OnItemsChange) OnItemsChange(this);
}

std::unique_ptr<TControlAccessible> TCustomListView::CreateAccessible() {
    return std::make_unique<TListViewAccessible>(*this);
}

TListViewAccessible* TCustomListView::TableNode() const {
    return static_cast<TListViewAccessible*>(AccessibleNode());
}

void TCustomListView::ItemChanged(int index) {
    InvalidateItem(index);
}

void TCustomListView::ColumnsChanged() {
    if (laying_ || destroying_) return;
    Layout();
    Invalidate();
    if (TListViewAccessible* table = TableNode()) table->ColumnsChanged();
}

// ---- scrolling ----

void TCustomListView::SetTopIndex(int index) {
    index = std::clamp(index, 0, std::max(0, items_.Count() - VisibleRowCount()));
    if (index == topIndex_) return;
    if (editor_) FinishEdit(true, editor_->Text());
    topIndex_ = index;
    vbar_->SetPosition(index);
    InvalidateBody();
}

void TCustomListView::SetHorzScrollPos(int pos) {
    pos = std::clamp(pos, 0, std::max(0, TotalColumnWidth() - body_.Width()));
    if (pos == hpos_) return;
    if (editor_) FinishEdit(true, editor_->Text());
    hpos_ = pos;
    hbar_->SetPosition(pos);
    header_->SetScrollOffset(pos);
    InvalidateBody();
}

bool TCustomListView::ScrollRows(long long rows) {
    long long target = std::clamp<long long>(topIndex_ + rows, 0, items_.Count());
    int before = topIndex_;
    SetTopIndex(static_cast<int>(target));
    return topIndex_ != before;
}

void TCustomListView::MakeVisible(int index) {
    if (index < 0 || index >= items_.Count()) return;
    int rows = std::max(VisibleRowCount(), 1);
    if (index < topIndex_)
        SetTopIndex(index);
    else if (index >= topIndex_ + rows)
        SetTopIndex(index - rows + 1);
}

int TCustomListView::WheelRows(unsigned lines) const {
    return static_cast<int>(std::min<unsigned>(lines, 1000));
}

bool TCustomListView::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    if (TCustomControl::MouseWheel(shift, delta, pos)) return true;
    int notches = wheel_.Add(delta);
    if (notches == 0) return true;
    unsigned lines = Display().WheelScrollLines;
    long long perNotch =
        lines == WheelPageScroll ? std::max(VisibleRowCount(), 1) : WheelRows(lines);
    // A turn away from the user shows earlier rows.
    ScrollRows(-static_cast<long long>(notches) * perNotch);
    return true;
}

// ---- painting ----

void TCustomListView::InvalidateBody() {
    InvalidateRect(body_);
}

void TCustomListView::InvalidateItem(int index) {
    if (index < topIndex_ || index > topIndex_ + VisibleRowCount()) return;
    TRect r = ItemRect(index);
    InvalidateRect({body_.Left, r.Top, body_.Right, r.Bottom});
}

bool TCustomListView::SelectionShown() const {
    return Focused() || !hideSelection_;
}

void TCustomListView::DrawCheckBox(TCanvas& canvas, int x, int y, bool checked) const {
    TRect box = Bounds(x, y, kCheckBox, kCheckBox);
    Frame3D(canvas, box, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, box, cl3DDkShadow, cl3DLight, 1);
    canvas.Brush().Color = clWindow;
    canvas.FillRect(box);
    if (!checked) return;
    // A tick of three-pixel strokes: down from the left, then up to the right.
    canvas.Brush().Color = clWindowText;
    for (int i = 0; i < 7; ++i) {
        int top = i < 3 ? box.Top + 2 + i : box.Top + 4 - (i - 2);
        canvas.FillRect({box.Left + 1 + i, top + 1, box.Left + 2 + i, top + 4});
    }
}

void TCustomListView::DrawRow(TCanvas& canvas, int index, const TRect& row) {
    TListItem* item = items_.Item(index);
    bool selected = item->Selected() && SelectionShown();
    bool focused = Focused();
    TColor back = selected ? (focused ? clHighlight : clBtnFace) : Color();
    TColor fore = selected ? (focused ? clHighlightText : clWindowText) : Font().Color();
    int bottom = row.Bottom - (gridLines_ ? 1 : 0);
    if (selected && rowSelect_) {
        canvas.Brush().Color = back;
        canvas.FillRect({row.Left, row.Top, row.Right, bottom});
    }
    TRect clip = canvas.ClipBounds();
    int left = row.Left;
    for (int c = 0; c < columns_.Count(); ++c) {
        int width = DisplayWidth(c);
        TRect cell{left, row.Top, left + width, bottom};
        left = cell.Right;
        if (cell.IsEmpty() || cell.Intersect(clip).IsEmpty()) continue;
        canvas.Font().SetColor(fore);
        canvas.Brush().Style = bsClear;
        if (c > 0) {
            TRect text{cell.Left + kCellPadding, cell.Top, cell.Right - kCellPadding, cell.Bottom};
            if (!text.IsEmpty())
                canvas.DrawText(item->Text(c), text, TextFlags(columns_.Item(c)->Alignment()));
            continue;
        }
        TCanvasStateSaver saver(canvas);
        canvas.IntersectClipRect(cell);
        int x = cell.Left + kIconMargin;
        auto imageTop = [&](int height) { return cell.Top + (cell.Height() - height) / 2; };
        if (checkboxes_) {
            DrawCheckBox(canvas, x, imageTop(kCheckBox), item->Checked());
            x += kCheckBox + 3;
        } else if (stateImages_ && item->StateIndex() >= 0) {
            stateImages_->Draw(canvas, x, imageTop(stateImages_->Height()), item->StateIndex(),
                               Enabled());
            x += stateImages_->Width();
        }
        if (smallImages_) {
            smallImages_->Draw(canvas, x, imageTop(smallImages_->Height()), item->ImageIndex(),
                               Enabled());
            x += smallImages_->Width();
        }
        TRect label{x, cell.Top, cell.Right, cell.Bottom};
        if (selected && !rowSelect_ && !label.IsEmpty()) {
            canvas.Brush().Style = bsSolid;
            canvas.Brush().Color = back;
            canvas.FillRect(label);
        }
        canvas.Font().SetColor(fore);
        canvas.Brush().Style = bsClear;
        TRect text{label.Left + kCaptionPadding, label.Top, label.Right - kCaptionPadding,
                   label.Bottom};
        if (!text.IsEmpty())
            canvas.DrawText(item->Caption(), text, TextFlags(columns_.Item(0)->Alignment()));
    }
    if (focused && item->Focused()) {
        TRect focus = rowSelect_ ? TRect{row.Left, row.Top, row.Right, bottom} : CaptionRect(index);
        if (!rowSelect_) focus.Bottom = bottom;
        canvas.Pen().Color = clBlack;
        if (!focus.IsEmpty()) canvas.DrawFocusRect(focus);
    }
}

void TCustomListView::Paint(TCanvas& canvas) {
    TRect clip = canvas.ClipBounds();
    canvas.Brush().Style = bsSolid;
    if (borderStyle_ == bsSingle) {
        // The plain one-pixel border of a flat window.
        canvas.Brush().Color = clWindowFrame;
        TRect r = ClientRect();
        canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
        canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
        canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
        canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
    }
    if (vbar_->Visible() && hbar_->Visible()) {
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect({vbar_->Left(), hbar_->Top(), vbar_->Left() + vbar_->Width(),
                         hbar_->Top() + hbar_->Height()});
    }
    TRect area = clip.Intersect(body_);
    if (area.IsEmpty()) return;
    TCanvasStateSaver saver(canvas);
    canvas.IntersectClipRect(body_);
    canvas.Brush().Color = Color();
    canvas.FillRect(area);
    int rowH = std::max(rowHeight_, 1);
    int first = topIndex_ + std::max(0, (area.Top - body_.Top) / rowH);
    int last = topIndex_ + (area.Bottom - body_.Top + rowH - 1) / rowH;
    last = std::min(last, items_.Count());
    for (int i = first; i < last; ++i) {
        TRect row = ItemRect(i);
        if (!row.Intersect(area).IsEmpty()) DrawRow(canvas, i, row);
        canvas.Brush().Style = bsSolid;
    }
    if (!gridLines_) return;
    // Grid lines cover the whole body, under the rows that exist and the empty ones below.
    canvas.Brush().Color = clBtnFace;
    canvas.Brush().Style = bsSolid;
    int lineLeft = std::max(area.Left, body_.Left);
    int firstLine = std::max(0, (area.Top - body_.Top) / rowH);
    for (int y = body_.Top + firstLine * rowH + rowH - 1; y < area.Bottom; y += rowH)
        canvas.FillRect({lineLeft, y, area.Right, y + 1});
    int x = body_.Left - hpos_;
    for (int c = 0; c < columns_.Count(); ++c) {
        x += DisplayWidth(c);
        if (x - 1 >= area.Right) break;
        if (x - 1 >= area.Left) canvas.FillRect({x - 1, area.Top, x, area.Bottom});
    }
}

void TCustomListView::SetHeaderOwnerDraw(bool on) {
    if (!StoreChanged(ownerDrawHeader_, on)) return;
    if (on)
        header_->OnDrawSection = [this](TObject*, TCanvas& canvas, int index, const TRect& rect,
                                        bool pressed) {
            DrawHeaderSection(canvas, index, rect, pressed);
        };
    else
        header_->OnDrawSection = nullptr;
    header_->Invalidate();
}

void TCustomListView::DrawHeaderSection(TCanvas& canvas, int index, const TRect& rect, bool) {
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(rect);
    TListColumn* column = columns_.Item(index);
    if (!column) return;
    TRect text = rect.Inflate(-kCellPadding, -2);
    canvas.Font().SetColor(clBtnText);
    canvas.Brush().Style = bsClear;
    canvas.DrawText(column->Caption(), text, TextFlags(column->Alignment()) & ~dtVCenter);
}

void TCustomListView::ColumnClicked(int index) {
    if (OnColumnClick) OnColumnClick(this, columns_.Item(index));
}

void TCustomListView::CustomSort(
    const std::function<int(const TListItem& a, const TListItem& b)>& compare) {
    items_.Sort(compare);
}

// ---- mouse and keys ----

void TCustomListView::CancelEditTimer() {
    editTimer_.SetEnabled(false);
    editCandidate_ = -1;
}

void TCustomListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus()) SetFocus();
    TCustomControl::MouseDown(button, shift, x, y);
    CancelEditTimer();
    int index = ItemAtPos({x, y});
    TListItem* item = items_.Item(index);
    if (item && !rowSelect_ && x >= CellRect(index, 0).Right) item = nullptr, index = -1;
    if (!item) {
        if (!(shift & (ssCtrl | ssShift))) ClearSelection();
        return;
    }
    if (button == mbLeft && checkboxes_) {
        TRect cell = CellRect(index, 0);
        if (x >= cell.Left + kIconMargin && x < cell.Left + kIconMargin + kCheckBox) {
            ToggleCheck(item);
            return;
        }
    }
    if (button == mbRight) {
        if (!item->Selected()) MoveFocus(index, 0, true);
        return;
    }
    if (button != mbLeft) return;
    bool slowClick = !(shift & (ssCtrl | ssShift | ssDouble)) && item->Selected() &&
                     item->Focused() && selCount_ == 1;
    MoveFocus(index, shift, true);
    if (slowClick) editCandidate_ = index;
}

void TCustomListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbRight) {
        ContextMenu(GetItemAt(x, y), {x, y}, false);
        return;
    }
    if (button != mbLeft || editCandidate_ < 0) return;
    if (ItemAtPos({x, y}) != editCandidate_ || !Application()) {
        editCandidate_ = -1;
        return;
    }
    editTimer_.Start(kEditDelayMs);
}

void TCustomListView::KeyDown(TKey& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    int count = items_.Count();
    int focus = focusItem_ ? focusItem_->Index() : -1;
    int page = std::max(VisibleRowCount(), 1);
    auto move = [&](int target) {
        MoveFocus(target, shift, false);
        key = 0;
    };
    switch (key) {
        case vkUp:
            if (count) move(focus < 0 ? 0 : focus - 1);
            return;
        case vkDown:
            if (count) move(focus < 0 ? 0 : focus + 1);
            return;
        case vkHome:
            if (count) move(0);
            return;
        case vkEnd:
            if (count) move(count - 1);
            return;
        case vkPrior: {
            // The first press goes to the top of the page, the next one a page further.
            int top = topIndex_;
            if (count) move(focus == top ? focus - (page - 1) : top);
            return;
        }
        case vkNext: {
            int bottom = std::min(topIndex_ + page - 1, count - 1);
            if (count) move(focus == bottom ? focus + (page - 1) : bottom);
            return;
        }
        case vkLeft:
            SetHorzScrollPos(hpos_ - kHorzLine);
            key = 0;
            return;
        case vkRight:
            SetHorzScrollPos(hpos_ + kHorzLine);
            key = 0;
            return;
        case vkSpace:
            if (checkboxes_ && focusItem_) {
                ToggleCheck(focusItem_);
                key = 0;
            } else if (multiSelect_ && (shift & ssCtrl) && focusItem_) {
                SetSelectedSilently(focusItem_, !focusItem_->Selected());
                key = 0;
            }
            return;
        case vkA:
            if (multiSelect_ && (shift & ssCtrl) && count) {
                SelectRange(0, count - 1, false);
                key = 0;
            }
            return;
        case vkF2:
            if (focusItem_) EditCaption(focusItem_);
            key = 0;
            return;
        case vkApps:
        case vkF10:
            if (key == vkF10 && !(shift & ssShift)) return;
            if (key == vkApps && (shift & ssShift)) return;
            {
                TRect r = focusItem_ ? CaptionRect(focusItem_->Index()) : TRect{};
                ContextMenu(focusItem_,
                            focusItem_ ? TPoint{r.Left, r.Bottom} : TPoint{body_.Left, body_.Top},
                            true);
            }
            key = 0;
            return;
        default:
            return;
    }
}

void TCustomListView::KeyPress(char32_t& ch) {
    TCustomControl::KeyPress(ch);
    if (ch == U' ' && (checkboxes_ || multiSelect_)) ch = 0;
}

void TCustomListView::DoEnter() {
    TCustomControl::DoEnter();
    InvalidateBody();
}

void TCustomListView::DoExit() {
    TCustomControl::DoExit();
    InvalidateBody();
}

void TCustomListView::ContextMenu(TListItem*, TPoint, bool) {}

bool TCustomListView::CanChangeCheck(TListItem*, bool) {
    return true;
}

void TCustomListView::ToggleCheck(TListItem* item) {
    item->SetChecked(!item->Checked());
}

// ---- caption editing ----

bool TCustomListView::CanEdit(TListItem* item) {
    if (readOnly_ || !item) return false;
    bool allow = true;
    if (OnEditing) OnEditing(this, item, allow);
    return allow;
}

bool TCustomListView::EditCaption(TListItem* item) {
    if (!item || item->Owner() != &items_ || editor_ || !CanEdit(item)) return false;
    MakeVisible(item->Index());
    TRect r = CaptionRect(item->Index());
    r.Right = std::min(r.Right, body_.Right);
    if (r.Width() < 20) r.Right = std::min(r.Left + 80, body_.Right);
    if (r.IsEmpty()) return false;
    retiredEditor_.reset();
    editItem_ = item;
    editor_ = InsertControl(std::make_unique<TInplaceEdit>());
    editor_->SetBoundsRect(r);
    editor_->SetText(std::string(item->Caption()));
    editor_->OnFinish = [this](bool commit, const std::string& text) { FinishEdit(commit, text); };
    editor_->SetFocus();
    return true;
}

void TCustomListView::FinishEdit(bool commit, const std::string& text) {
    if (!editor_) return;
    std::string s = text;  // the editor's own text, which goes with it
    TInplaceEdit* editor = editor_;
    TListItem* item = editItem_;
    editor_ = nullptr;
    editItem_ = nullptr;
    bool hadFocus = editor->Focused();
    // The editor may be the caller, so it is kept until the next edit or the list's end.
    retiredEditor_ = RemoveControl(editor);
    if (hadFocus && CanFocus()) SetFocus();
    if (commit && item) {
        if (OnEdited) OnEdited(this, item, s);
        item->SetCaption(s);
    }
    InvalidateBody();
}
