#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/CustomControl.h"
#include "framework/ImageList.h"

// One item of a header: a push button with a caption over one column.
struct THeaderSection {
    std::string Text;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
    int ImageIndex = -1;
};

enum TSectionTrackState : std::uint8_t { tsTrackBegin, tsTrackMove, tsTrackEnd };

using THeaderSectionEvent = std::function<void(TObject* sender, int index)>;
// Draws one section's face into rect (the whole item); pressed while the button is held.
using THeaderDrawSectionEvent = std::function<void(TObject* sender, TCanvas& canvas, int index,
                                                   const TRect& rect, bool pressed)>;
// A divider drag: the width shown so far. At tsTrackEnd the handler may change the width
// that stays.
using THeaderTrackEvent =
    std::function<void(TObject* sender, int index, int& width, TSectionTrackState state)>;

// A row of column captions as push buttons, with draggable dividers between them. Sections
// are laid out from ScrollOffset to the left, so a horizontally scrolled view moves its
// header with it. The faces are drawn by OnDrawSection when assigned, inside the button
// edges that the header draws over them.
class THeaderControl : public TCustomControl {
  public:
    explicit THeaderControl(TComponent* owner = nullptr);

    int SectionCount() const { return static_cast<int>(sections_.size()); }
    const THeaderSection& Section(int index) const { return sections_.at(index); }
    // Replaces all sections at once (widths included).
    void SetSections(std::vector<THeaderSection> sections);
    void SetSection(int index, const THeaderSection& section);
    int SectionWidth(int index) const { return sections_.at(index).Width; }
    void SetSectionWidth(int index, int width);
    // The section's item rectangle in client coordinates (left of ScrollOffset is off-screen).
    TRect SectionRect(int index) const;
    // The section under a client x, or -1.
    int SectionAt(int x) const;
    // The section whose right divider is within reach of x, or -1. Of dividers that coincide
    // the last wins, so a column shrunk to nothing can still be pulled open.
    int DividerAt(int x) const;

    int ScrollOffset() const { return scrollOffset_; }
    void SetScrollOffset(int offset);
    // Whether the sections are push buttons that can be clicked.
    bool Clickable() const { return clickable_; }
    void SetClickable(bool clickable) { clickable_ = clickable; }
    // The section held down by the mouse, or -1; the divider being dragged, or -1.
    int PressedSection() const { return pressed_; }
    int TrackingSection() const { return tracking_; }
    // The height that fits the font: one line of text inside the button edges.
    int PreferredHeight() const;
    // Where the default faces take a section's image from.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // How far from a divider the pointer still grabs it.
    static constexpr int DividerReach = 4;

    THeaderDrawSectionEvent OnDrawSection;
    THeaderSectionEvent OnSectionClick;
    THeaderSectionEvent OnDividerDblClick;
    THeaderTrackEvent OnSectionTrack;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CaptureLost() override;
    TCursor CursorAt(TPoint pos) const override;

  private:
    void DrawDefaultFace(TCanvas& canvas, int index, const TRect& rect) const;
    void InvalidateSection(int index);
    void EndTrack(bool commit);

    std::vector<THeaderSection> sections_;
    int scrollOffset_ = 0;
    TImageList* images_ = nullptr;
    bool clickable_ = true;
    int pressed_ = -1;
    bool pressedInside_ = false;
    int tracking_ = -1;
    int trackStartX_ = 0;
    int trackStartWidth_ = 0;
};
