#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/HeaderControl.h"
#include "framework/ImageList.h"
#include "framework/InplaceEdit.h"
#include "framework/ListItems.h"
#include "framework/ScrollBar.h"
#include "framework/Timer.h"

enum TViewStyle : std::uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };

using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
using TLVEditingEvent = std::function<void(TObject* sender, TListItem* item, bool& allowEdit)>;
using TLVEditedEvent = std::function<void(TObject* sender, TListItem* item, std::string& s)>;
using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;

// Collects wheel deltas and hands out whole notches, so that a fine-grained wheel that
// reports less than a notch at a time scrolls as far as a classic one. A turn in the other
// direction starts afresh.
class TWheelAccumulator {
  public:
    int Add(int delta);

  private:
    int rest_ = 0;
};

// A list of rows in report view: a header of columns, rows of texts with a state image, a
// small image and a caption, scroll bars, selection by mouse and keys, and in-place editing
// of captions. Only the rows that can be seen are drawn or hit-tested, so the work per paint
// does not grow with the number of rows. The other view styles show as report view.
class TListViewAccessible;

class TCustomListView : public TCustomControl, private TListModelEvents {
  public:
    explicit TCustomListView(TComponent* owner = nullptr);
    ~TCustomListView() override;

    TListColumns& Columns() { return columns_; }
    TListItems& Items() { return items_; }
    const TListItems& Items() const { return items_; }

    TViewStyle ViewStyle() const { return viewStyle_; }
    virtual void SetViewStyle(TViewStyle style);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool on);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    // Hide the selection while the list has no focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    // The header items are push buttons that report clicks.
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool on);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool on);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TImageList* images);
    TImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TImageList* images) { largeImages_ = images; }
    TImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TImageList* images);

    // Selection and focus. ItemIndex is the first selected row, -1 for none.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int ItemIndex() const;
    void SetItemIndex(int index);
    int SelCount() const;
    void ClearSelection();
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);

    // Scrolling: the first row shown, and the horizontal offset in pixels.
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int index);
    int HorzScrollPos() const { return hpos_; }
    void SetHorzScrollPos(int pos);
    void MakeVisible(int index);
    // Rows that fit wholly in the body.
    int VisibleRowCount() const;
    int RowHeight() const { return rowHeight_; }

    // Geometry in client coordinates.
    TRect BodyRect() const { return body_; }
    TRect HeaderRect() const;
    // The width the columns can fill: the client area less border and vertical scroll bar.
    int ListClientWidth() const { return body_.Width(); }
    TRect ItemRect(int index) const;
    // The part of column 0 after the images, where the caption stands.
    TRect CaptionRect(int index) const;
    TRect CellRect(int index, int column) const;
    // The row under a client point, or -1 (only visible rows are looked at).
    int ItemAtPos(TPoint pos) const;
    TListItem* GetItemAt(int x, int y) const { return items_.Item(ItemAtPos({x, y})); }
    // The width a column's texts need (a divider double-click's width).
    int ContentWidth(int column) const;
    // The width a column is drawn with: a divider being dragged shows its unclamped width.
    int DisplayWidth(int column) const;

    // Opens the caption editor on an item if CanEdit allows; true when it opened.
    bool EditCaption(TListItem* item);
    bool IsEditing() const { return editor_ != nullptr; }
    TInplaceEdit* Editor() const { return editor_; }
    // The stable sort behind every reordering of the rows.
    void CustomSort(const std::function<int(const TListItem& a, const TListItem& b)>& compare);

    THeaderControl* Header() const { return header_; }
    TScrollBar* VertScrollBar() const { return vbar_; }
    TScrollBar* HorzScrollBar() const { return hbar_; }

    TLVColumnClickEvent OnColumnClick;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVSelectItemEvent OnSelectItem;
    TNotifyEvent OnItemsChange;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint pos) override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void Loaded() override;
    std::unique_ptr<TControlAccessible> CreateAccessible() override;

    // Lays out header, scroll bars and auto-sized columns for the current size and content.
    void Layout();
    // Gives columns their automatic widths for an available width; runs inside Layout.
    virtual void AdjustColumnWidths(int availableWidth);
    // Draws one header item's face; the header's edges go over it afterwards.
    virtual void DrawHeaderSection(TCanvas& canvas, int index, const TRect& rect, bool pressed);
    // Whether DrawHeaderSection draws the header items (else the header's plain faces).
    void SetHeaderOwnerDraw(bool on);
    virtual void ColumnClicked(int index);
    // A divider drag ended, or a divider was double-clicked; the new width is stored.
    virtual void ColumnResized(int index) { (void)index; }
    // Whether the caption of item may be edited now.
    virtual bool CanEdit(TListItem* item);
    virtual bool CanChangeCheck(TListItem* item, bool checked);
    virtual void CheckChanged(TListItem* item) { (void)item; }
    // A right click (pos where it happened) or the context-menu key (pos at the focused row).
    virtual void ContextMenu(TListItem* item, TPoint pos, bool byKeyboard);
    // Scrolls by rows; clamped. Returns whether it moved.
    bool ScrollRows(long long rows);
    // Rows one wheel notch scrolls for the system's line count (never WheelPageScroll).
    virtual int WheelRows(unsigned lines) const;
    bool Destroying() const { return destroying_; }
    // The frame's depth on every side, inside which header, body and scroll bars lie.
    virtual int BorderWidth() const { return borderStyle_ == bsSingle ? 1 : 0; }

  private:
    // TListModelEvents
    void ItemsChanged() override;
    void ItemChanged(int index) override;
    bool ItemStateChanging(TListItem* item, std::uint8_t flag, bool on) override;
    void ItemStateChanged(TListItem* item, std::uint8_t changed) override;
    void ItemRemoving(const TListItem* item) override;
    void ColumnsChanged() override;

    // The table node, when assistive technology has asked for it.
    TListViewAccessible* TableNode() const;
    int TotalColumnWidth() const;
    int ColumnLeft(int column) const;
    void SyncHeader();
    void UpdateRowHeight();
    void InvalidateItem(int index);
    void InvalidateBody();
    void DrawRow(TCanvas& canvas, int index, const TRect& row);
    void DrawCheckBox(TCanvas& canvas, int x, int y, bool checked) const;
    bool SelectionShown() const;
    // Keyboard and mouse selection: move the focus to index, selecting as the shift keys say.
    void MoveFocus(int index, TShiftState shift, bool byMouse);
    void SelectRange(int from, int to, bool keepOthers);
    void SetSelectedSilently(TListItem* item, bool selected);
    void ToggleCheck(TListItem* item);
    void FinishEdit(bool commit, const std::string& text);
    void CancelEditTimer();

    TListColumns columns_;
    TListItems items_;
    THeaderControl* header_ = nullptr;
    TScrollBar* vbar_ = nullptr;
    TScrollBar* hbar_ = nullptr;
    TInplaceEdit* editor_ = nullptr;
    std::unique_ptr<TControl> retiredEditor_;
    TListItem* editItem_ = nullptr;
    TImageList* smallImages_ = nullptr;
    TImageList* largeImages_ = nullptr;
    TImageList* stateImages_ = nullptr;
    TViewStyle viewStyle_ = vsIcon;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool gridLines_ = false;
    bool rowSelect_ = false;
    bool hideSelection_ = true;
    bool multiSelect_ = false;
    bool readOnly_ = false;
    bool columnClick_ = true;
    bool checkboxes_ = false;
    bool destroying_ = false;
    bool laying_ = false;
    bool ownerDrawHeader_ = false;
    TRect body_;
    int rowHeight_ = 17;
    int topIndex_ = 0;
    int hpos_ = 0;
    TListItem* anchor_ = nullptr;          // where Shift ranges start
    TListItem* focusItem_ = nullptr;       // the one item with the focus flag
    TListItem* singleSelected_ = nullptr;  // without MultiSelect, the one selected item
    int selCount_ = 0;
    bool selecting_ = false;  // the list itself is changing flags
    TWheelAccumulator wheel_;
    TTimer editTimer_{this, false};
    int editCandidate_ = -1;  // a click on the focused, selected row may start editing
};
