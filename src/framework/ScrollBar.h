#pragma once

#include <cstdint>
#include <functional>

#include "framework/CustomControl.h"
#include "framework/Timer.h"

enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// What moved the position: an arrow, a page click in the track, a thumb drag (scTrack while
// dragging, scPosition on release), or code.
enum TScrollCode : std::uint8_t {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll,
};

// Called before the position changes; the handler may change the new position.
using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& scrollPos)>;

// A scroll bar in the classic look: two arrow buttons, a dithered track and a thumb whose
// length shows the page's share of the range. The position runs from Min to
// Max - PageSize + 1, so the last page ends exactly at Max. A held arrow or track click
// repeats; a range that fits in one page shows no thumb and greyed arrows.
class TScrollBar : public TCustomControl {
  public:
    explicit TScrollBar(TComponent* owner = nullptr);
    ~TScrollBar() override;
    void DescribeAccessible(TAccDescription& d) const override;

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int PageSize() const { return pageSize_; }
    int Position() const { return position_; }
    // Sets the whole state at once (what a scrolled view does on every layout); Max below Min
    // becomes Min, a negative page 0, and the position is clamped. Repaints only on change and
    // raises no event.
    void SetParams(int position, int min, int max, int pageSize);
    void SetMin(int min) { SetParams(position_, min, max_, pageSize_); }
    void SetMax(int max) { SetParams(position_, min_, max, pageSize_); }
    void SetPageSize(int pageSize) { SetParams(position_, min_, max_, pageSize); }
    // Clamped; raises OnChange when it moved.
    void SetPosition(int position);
    // The highest position: the start of the last page.
    int MaxPosition() const;
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change) { smallChange_ = change; }
    // A page click's step; 0 (the default) means PageSize.
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change) { largeChange_ = change; }

    // Geometry in client coordinates, for hit tests and painting.
    int ButtonLength() const;
    TRect FirstButtonRect() const;
    TRect SecondButtonRect() const;
    // Empty when the range fits one page or the track is too short to hold a thumb.
    TRect ThumbRect() const;

    // The default width of a vertical bar (and height of a horizontal one).
    static constexpr int DefaultThickness = 17;
    // The wait before a held arrow repeats, and the time between repeats.
    static constexpr int RepeatDelayMs = 400;
    static constexpr int RepeatIntervalMs = 50;

    TScrollEvent OnScroll;
    TNotifyEvent OnChange;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CaptureLost() override;
    void EnabledChanged() override;

  private:
    enum TPart : std::uint8_t { spNone, spFirst, spSecond, spPageBack, spPageForward, spThumb };

    bool Active() const;
    // Along-the-bar coordinate of a client point, and the bar's length and thickness.
    int Along(int x, int y) const { return kind_ == sbVertical ? y : x; }
    int Length() const { return kind_ == sbVertical ? Height() : Width(); }
    int Thickness() const { return kind_ == sbVertical ? Width() : Height(); }
    // A rectangle given along the bar (from a to b), across the whole thickness.
    TRect Span(int a, int b) const;
    void ThumbSpan(int& start, int& length) const;
    TPart PartAt(int along) const;
    // Moves by one step of the pressed part; false when that part has nothing more to do.
    bool Step();
    void Scroll(TScrollCode code, int position);
    void StartRepeat();
    void StopRepeat();
    void EndPress();
    void PaintButton(TCanvas& canvas, const TRect& r, bool pressed, bool first) const;

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
    int position_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 0;
    TPart pressed_ = spNone;
    bool pressedHot_ = false;  // the pointer is still over the pressed part
    int pressAlong_ = 0;       // where the track was pressed
    int dragOffset_ = 0;       // pointer position within the thumb when the drag began
    TTimer repeat_{this, false};
};
