#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/StoreChanged.h"
#include "framework/CustomControl.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Region.h"
#include "widgets/WsTypes.h"

enum TWsTabStyle : std::uint8_t {
    tsSingleSlant,
    tsDoubleSlant,
    tsCutCorner,
    tsRoundCorners,
    tsBackSlant
};
enum TWsTabOrientation : std::uint8_t { toTop, toLeft, toBottom, toRight };
enum TWsTabSequence : std::uint8_t { tsStandard, tsReverse };
enum TWsHorizontalAlignment : std::uint8_t { haLeft, haCenter, haRight };
enum TWsVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };
enum TWsImagePosition : std::uint8_t { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TWsTabHotTrackStyle : std::uint8_t { htsTab, htsText };
enum TWsHotTrackColorType : std::uint8_t { htctComplement, htctActual };

// Raised by the tab engine for drawing failures it cannot recover from.
class EWsTabControlError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
inline constexpr const char* kErrorSavingDC = "Error saving device context";
inline constexpr const char* kErrorTabShapePoints = "Incorrect number of points in tab shape";

// The outline of a tab of the given style in its rectangle, its bottom side open toward the
// card. Throws EWsTabControlError when a shape comes out with the wrong number of points.
std::vector<TPoint> TabShapePoints(TWsTabStyle style, const TRect& r, int cutCornerSize);
// The number of points a style's outline has.
std::size_t TabShapePointCount(TWsTabStyle style);

// One tab of the strip. Rect is the laid-out rectangle (its Right and Bottom are the columns
// and rows of the outline, not past it).
struct TWsTabData {
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    int ImageIndex = -1;
    int DisabledImageIndex = -1;
    std::string Hint;
    TColor Color = clBtnFace;
    TRect Rect;
    int Row = 0;
};
using TWsTabDataList = std::vector<TWsTabData>;

// A group of colours of the tab strip; any change repaints the control.
class TWsColorGroup {
  public:
    explicit TWsColorGroup(std::function<void()> changed) : changed_(std::move(changed)) {}

  protected:
    void Store(TColor& field, TColor c) {
        if (StoreChanged(field, c) && changed_) changed_();
    }

  private:
    std::function<void()> changed_;
};

class TWsTabColors : public TWsColorGroup {
  public:
    using TWsColorGroup::TWsColorGroup;
    TColor HighlightBar() const { return highlightBar_; }
    void SetHighlightBar(TColor c) { Store(highlightBar_, c); }
    TColor Shadow() const { return shadow_; }
    void SetShadow(TColor c) { Store(shadow_, c); }
    TColor Unselected() const { return unselected_; }
    void SetUnselected(TColor c) { Store(unselected_, c); }

  private:
    TColor highlightBar_ = clHighlight;
    TColor shadow_ = clBtnFace;
    TColor unselected_ = clWindow;
};

class TWsTextColors : public TWsColorGroup {
  public:
    using TWsColorGroup::TWsColorGroup;
    TColor Selected() const { return selected_; }
    void SetSelected(TColor c) { Store(selected_, c); }
    TColor Unselected() const { return unselected_; }
    void SetUnselected(TColor c) { Store(unselected_, c); }
    TColor DisabledHighlight() const { return disabledHighlight_; }
    void SetDisabledHighlight(TColor c) { Store(disabledHighlight_, c); }
    TColor DisabledShadow() const { return disabledShadow_; }
    void SetDisabledShadow(TColor c) { Store(disabledShadow_, c); }

  private:
    TColor selected_ = clBtnText;
    TColor unselected_ = clBtnText;
    TColor disabledHighlight_ = clBtnHighlight;
    TColor disabledShadow_ = clBtnShadow;
};

using TWsTabChangingEvent = std::function<void(TObject* sender, int newIndex, bool& allowChange)>;
// Paint events: set handled to replace the control's own drawing of that part.
using TWsPaintBackgroundEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, bool& handled)>;
using TWsPaintTabBackgroundEvent = std::function<void(TObject* sender, TCanvas& canvas, int index,
                                                      const TRect& rect, bool& handled)>;
using TWsGetTextColorEvent =
    std::function<void(TObject* sender, int index, bool selected, bool hot, TColor& color)>;

// The tab engine: a custom-drawn strip of tabs over a framed card, painted off screen and
// copied in one step. Only the top orientation is laid out; the strip stays single-row.
class TWsCustomTabControl : public TCustomControl {
  public:
    explicit TWsCustomTabControl(TComponent* owner = nullptr);
    ~TWsCustomTabControl() override;
    // The control a tab shows (a page control's page), else null.
    virtual TControl* TabContent(int index) const {
        (void)index;
        return nullptr;
    }

    // The tab list. A plain tab control is given its tabs here; call TabsChanged after
    // editing it. A page control rebuilds it from its pages.
    TWsTabDataList& Tabs() { return tabs_; }
    const TWsTabDataList& Tabs() const { return tabs_; }
    void TabsChanged();
    int TabCount() const { return static_cast<int>(tabs_.size()); }

    int TabIndex() const { return tabIndex_; }
    // Out of range selects nothing (-1). While loading the value is only stored.
    void SetTabIndex(int index);

    TWsTabStyle TabStyle() const { return tabStyle_; }
    void SetTabStyle(TWsTabStyle style);
    TWsTabOrientation TabOrientation() const { return tabOrientation_; }
    void SetTabOrientation(TWsTabOrientation o);
    TWsTabSequence TabSequence() const { return tabSequence_; }
    void SetTabSequence(TWsTabSequence s);
    // The common tab height; recomputed on every layout.
    int FixedDimension();
    void SetFixedDimension(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int w);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int h);
    int TabOverlap() const { return tabOverlap_; }
    void SetTabOverlap(int overlap);
    int Margin() const { return margin_; }
    void SetMargin(int margin);

    TColor BackgroundColor() const;
    // Clears ParentBackgroundColor.
    void SetBackgroundColor(TColor c);
    bool ParentBackgroundColor() const { return parentBackgroundColor_; }
    void SetParentBackgroundColor(bool value);
    bool UseColoredTabs() const { return useColoredTabs_; }
    void SetUseColoredTabs(bool value);
    TWsTabColors& TabColors() { return tabColors_; }
    TWsTextColors& TextColors() { return textColors_; }
    TWsHorizontalAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TWsHorizontalAlignment a);
    TWsVerticalAlignment TextAlignmentVertical() const { return textAlignmentVertical_; }
    void SetTextAlignmentVertical(TWsVerticalAlignment a);
    TOrientation TextOrientation() const { return textOrientation_; }
    void SetTextOrientation(TOrientation o);
    bool BoldCurrentTab() const { return boldCurrentTab_; }
    void SetBoldCurrentTab(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TWsImagePosition ImagePosition() const { return imagePosition_; }
    void SetImagePosition(TWsImagePosition p);
    int ImageMargin() const { return imageMargin_; }
    void SetImageMargin(int margin);
    TWsHorizontalAlignment ImageAlignment() const { return imageAlignment_; }
    void SetImageAlignment(TWsHorizontalAlignment a);
    TWsVerticalAlignment ImageAlignmentVertical() const { return imageAlignmentVertical_; }
    void SetImageAlignmentVertical(TWsVerticalAlignment a);

    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor c);
    TWsHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TWsHotTrackColorType t);
    TWsTabHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(TWsTabHotTrackStyle s);

    bool ShowCardFrame() const { return showCardFrame_; }
    void SetShowCardFrame(bool value);
    bool ShowFullFrame() const { return showFullFrame_; }
    void SetShowFullFrame(bool value);
    bool ShowShadow() const { return showShadow_; }
    void SetShowShadow(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value);
    bool UseGradients() const { return useGradients_; }
    void SetUseGradients(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor c);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int value);
    int CutCornerSize() const { return cutCornerSize_; }
    void SetCutCornerSize(int value);
    bool SoftCorners() const { return softCorners_; }
    void SetSoftCorners(bool value);

    // The tab under a client point (the selected tab tested first), or -1.
    int TabAt(TPoint pos);
    // Where a tab is drawn (lifted for the selected one); empty for hidden or scrolled-off tabs.
    TRect DrawnTabRect(int index);
    int HotTab() const { return hotTab_; }
    bool HotTimerRunning() const { return hotTimer_.Enabled(); }
    // The strip's height and the card below it.
    int StripHeight();
    TRect CardRect();
    // First tab shown when the strip scrolls; the arrows appear only when tabs overflow.
    int FirstShownTab() const { return firstShown_; }
    bool ScrollArrowsShown();
    void ScrollTabs(int delta);
    // Counts full repaints of the off-screen picture (for tests of flicker-free switching).
    int PaintCount() const { return paintCount_; }

    void Loaded() override;

    TWsTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnTabClick;
    TWsPaintBackgroundEvent OnPaintBackground;
    TWsPaintBackgroundEvent OnPaintCardBackground;
    TWsPaintTabBackgroundEvent OnPaintTabBackground;
    TWsGetTextColorEvent OnGetTextColor;

  protected:
    std::unique_ptr<TControlAccessible> CreateAccessible() override;
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(TKey& key, TShiftState shift) override;
    bool DialogKey(TKey key, TShiftState shift) override;
    bool DialogChar(char32_t ch, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void AdjustClientRect(TRect& rect) const override;

    // The one selection routine of clicks, keys and properties. Returns whether the tab at
    // index is now selected.
    bool SelectTab(int index);
    // Whether the tab may become selected: visible, enabled, and not refused by OnChanging.
    virtual bool CanChange(int index);
    // Between the allowed change and the new TabIndex: a page control switches pages here.
    virtual void Switching(int oldIndex, int newIndex) {
        (void)oldIndex;
        (void)newIndex;
    }
    virtual void Change();
    virtual void TabClick();
    // The colour the card is filled with (a page control: its active page's).
    virtual TColor CardColor() const { return Color(); }
    // Ctrl+Tab: the next (or previous) tab with a visible tab, wrapping.
    virtual void SelectNextPage(bool forward);
    void InvalidateStrip();
    void InvalidateLayout();
    // Moves the selection mark without the selection routine (a page control keeping its
    // tab index in step with a rebuilt tab list).
    void SetTabIndexQuiet(int index) {
        tabIndex_ = index;
        layoutDirty_ = true;
    }

  private:
    // Runs one step of painting; a step that fails is left out and the rest is still drawn, so
    // a faulty handler cannot turn every repaint into an error box that causes the next
    // repaint. The failure is written to standard error, once while it repeats.
    template <class F>
    void PaintStep(F&& step);
    void Layout();
    void EnsureLayout() {
        if (layoutDirty_) Layout();
    }
    TSize TabSize(const TWsTabData& tab, TCanvas& measure, bool selected) const;
    TFont TabFont(bool selected) const;
    TRect ContentRect(int index);
    TRect CaptionArea(int index);
    TColor LineColor() const;
    bool Overflows();
    int ArrowSize();
    TRect ArrowRect(int which);

    void PaintPicture(TCanvas& canvas);
    void PaintTab(TCanvas& canvas, int index);
    void PaintTabBackground(TCanvas& canvas, int index, const TRect& r, bool selected);
    void PaintHighlightBar(TCanvas& canvas, int index, const TRect& r, bool selected);
    void PaintCaption(TCanvas& canvas, int index, bool selected);
    void PaintTabOutline(TCanvas& canvas, const TRect& r);
    void PaintCard(TCanvas& canvas);
    void PaintShadow(TCanvas& canvas);
    void PaintScrollArrows(TCanvas& canvas);

    void SetHotTab(int index);
    void StartHotTimer();
    void StopHotTimer();
    void HotTimerTick();
    int NextSelectable(int from, int step) const;
    bool Selectable(int index) const;

    TWsTabDataList tabs_;
    std::vector<TRegion> regions_;  // per tab, as drawn; empty for tabs not shown
    int tabIndex_ = -1;
    int storedTabIndex_ = -1;
    int hotTab_ = -1;
    TTimer hotTimer_{this, false};
    int firstShown_ = 0;
    bool layoutDirty_ = true;
    std::string paintFault_;  // the painting failure last written
    int paintCount_ = 0;
    TBitmap picture_;

    TWsTabStyle tabStyle_ = tsSingleSlant;
    TWsTabOrientation tabOrientation_ = toTop;
    TWsTabSequence tabSequence_ = tsStandard;
    int fixedDimension_ = 0;
    int tabWidth_ = 0;
    int tabHeight_ = 0;
    int tabOverlap_ = -1;
    int margin_ = 0;
    TColor backgroundColor_ = clBtnFace;
    bool parentBackgroundColor_ = true;
    bool useColoredTabs_ = false;
    TWsTabColors tabColors_;
    TWsTextColors textColors_;
    TWsHorizontalAlignment textAlignment_ = haCenter;
    TWsVerticalAlignment textAlignmentVertical_ = vaCenter;
    TOrientation textOrientation_ = orHorizontal;
    bool boldCurrentTab_ = false;
    TImageList* images_ = nullptr;
    TWsImagePosition imagePosition_ = ipLeft;
    int imageMargin_ = 2;
    TWsHorizontalAlignment imageAlignment_ = haCenter;
    TWsVerticalAlignment imageAlignmentVertical_ = vaCenter;
    bool hotTrack_ = true;
    TColor hotTrackColor_ = RGB(240, 155, 20);
    TWsHotTrackColorType hotTrackColorType_ = htctActual;
    TWsTabHotTrackStyle hotTrackStyle_ = htsTab;
    bool showCardFrame_ = true;
    bool showFullFrame_ = true;
    bool showShadow_ = true;
    bool showFocusRect_ = true;
    bool useGradients_ = true;
    bool transparent_ = false;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 0;
    int cutCornerSize_ = 6;
    bool softCorners_ = false;
};
