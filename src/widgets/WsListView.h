#pragma once

#include <cstdint>
#include <functional>

#include "framework/ListView.h"
#include "widgets/WsTypes.h"

enum TWsLVHeaderSortDisplayMode : std::uint8_t {
    hsdmNone,
    hsdmLeftAlign,
    hsdmRightOfText,
    hsdmRightAlign,
};

enum TFramingPreference : std::uint8_t { fpXPThemes, fpCustomFraming };

// Values of the common-controls library's version (TDisplaySettings::CommonControlsVersion),
// packed as major * 65536 + minor (0 when it cannot be read). Below 4.70 the list leaves its
// header to the platform. This platform's own list control stands in for version 6.0.
inline constexpr unsigned ComCtlVersion470 = 0x40046;
inline constexpr unsigned ComCtlVersion600 = 0x60000;

// A menu that a list can pop up. This framework draws no menus yet: Popup raises OnPopup
// with the screen point, and the owner shows what it likes there.
class TPopupMenu : public TComponent {
  public:
    using TComponent::TComponent;
    virtual void Popup(TPoint screenPos) {
        if (OnPopup) OnPopup(this, screenPos);
    }
    std::function<void(TObject* sender, TPoint screenPos)> OnPopup;
};

using TWsLVCheckStateChangingEvent =
    std::function<void(TObject* sender, TListItem* item, bool checked, bool& allow)>;
using TWsLVCheckStateChangeEvent = std::function<void(TObject* sender, TListItem* item)>;
// May replace the menu (with null for none).
using TWsLVItemContextMenuEvent =
    std::function<void(TObject* sender, TListItem* item, TPoint pos, TPopupMenu*& menu)>;

// The widget set's list view: a report list whose header it draws itself with a sort arrow,
// an optional sort by header clicks, a background that follows focus and enabled state, an
// optional frame of its own, a last column stretched to the right edge, a fixed wheel step
// and item context menus.
class TWsCustomListView : public TCustomListView {
  public:
    explicit TWsCustomListView(TComponent* owner = nullptr);

    bool AlphaSortAll() const { return alphaSortAll_; }
    void SetAlphaSortAll(bool on) { alphaSortAll_ = on; }
    bool EditOnRowClick() const { return editOnRowClick_; }
    void SetEditOnRowClick(bool on) { editOnRowClick_ = on; }
    bool FillLastColumn() const { return fillLastColumn_; }
    virtual void SetFillLastColumn(bool on);
    TWsLVHeaderSortDisplayMode HeaderSortDisplayMode() const { return sortDisplayMode_; }
    void SetHeaderSortDisplayMode(TWsLVHeaderSortDisplayMode mode);
    bool HeaderDefaultDrawing() const { return headerDefaultDrawing_; }
    void SetHeaderDefaultDrawing(bool on);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor color);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor color);
    TColor NormalColor() const { return normalColor_; }

    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool on);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle style);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle style);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor color);
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor color);
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool on);
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides sides);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference preference);
    // The platform theme draws the frame: themes active and the preference says so.
    virtual bool UseThemedFrame() const;
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    // The column that shows the arrow (-1 none), the arrow's direction, and the column the last
    // header click sorted ascending.
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int column);
    bool SortDescending() const { return sortDescending_; }
    void SetSortDescending(bool descending);
    int LastSortColumn() const { return lastSortColumn_; }
    // The header item under the mouse and the button state, kept for themed header drawing;
    // without visual themes (always on this platform) they stay -1 and false.
    int HotHeaderItem() const { return hotHeaderItem_; }
    bool HeaderMouseDown() const { return headerMouseDown_; }

    void SetViewStyle(TViewStyle style) override;
    // The background for the current state: disabled, focused or normal.
    virtual void UpdateColors();
    // Notes a focus or hover change; setMouse says whether mouseIn is news.
    virtual void UpdateFrame(bool setMouse, bool mouseIn);
    virtual void RepaintFrame();
    // Widens the last column to the right edge (never below 5 pixels by this rule).
    virtual void FitLastColumn();
    // Sorts the rows by one column's texts: case-insensitive, empty texts last ascending.
    void AlphaSort(int column, bool descending);
    // The order AlphaSort uses: negative when a's text for column goes first.
    static int CompareItems(const TListItem& a, const TListItem& b, int column, bool descending);
    // The arrow box for a text rectangle (left L, top T, bottom B).
    static TRect ArrowBox(const TRect& textRect);

    TWsLVCheckStateChangingEvent OnCheckStateChanging;
    TWsLVCheckStateChangeEvent OnCheckStateChange;
    TWsLVItemContextMenuEvent OnItemContextMenu;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void Loaded() override;
    void Resize() override;
    void AdjustColumnWidths(int availableWidth) override;
    void DrawHeaderSection(TCanvas& canvas, int index, const TRect& rect, bool pressed) override;
    void ColumnClicked(int index) override;
    void ColumnResized(int index) override;
    bool CanEdit(TListItem* item) override;
    bool CanChangeCheck(TListItem* item, bool checked) override;
    void CheckChanged(TListItem* item) override;
    void ContextMenu(TListItem* item, TPoint pos, bool byKeyboard) override;
    int WheelRows(unsigned lines) const override;
    int BorderWidth() const override;

  private:
    bool CustomFrame() const { return frameVisible_ && !UseThemedFrame(); }
    void RefreshHeaderFormats();
    void InvalidateHeaderItem(int index);
    void DrawArrow(TCanvas& canvas, const TRect& box, int columnWidth) const;
    void FrameSettingChanged();

    bool alphaSortAll_ = false;
    bool editOnRowClick_ = false;
    bool fillLastColumn_ = true;
    TWsLVHeaderSortDisplayMode sortDisplayMode_ = hsdmRightOfText;
    bool headerDefaultDrawing_ = true;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor normalColor_ = clWindow;
    bool frameVisible_ = false;
    TFrameStyle frameStyle_ = fsFlat;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TSides frameSides_ = AllSides;
    TFramingPreference framingPreference_ = fpXPThemes;
    TPopupMenu* popupMenu_ = nullptr;
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    int lastSortColumn_ = -1;
    int hotHeaderItem_ = -1;
    bool headerMouseDown_ = false;
    bool mouseInControl_ = false;
    bool updatingColors_ = false;
    int formatNesting_ = 0;
    bool fitting_ = false;
};

// The list view as layout data configures it. With a frame controller (none exists in this
// widget set yet) the colours and frame would be the controller's to store.
class TWsListView : public TWsCustomListView {
  public:
    using TWsCustomListView::TWsCustomListView;
};
