#pragma once

#include <cstdint>
#include <string>

#include "framework/GraphicControl.h"
#include "widgets/WsBlinkList.h"
#include "widgets/WsTypes.h"

class TWsStatusBar;

// A windowless pane of a status bar: a thin frame by FrameStyle and one line of text, clipped
// at the frame, never shortened with an ellipsis. With AutoSize its width follows the text.
class TWsCustomStatusPane : public TGraphicControl, public TWsBlinker {
  public:
    explicit TWsCustomStatusPane(TComponent* owner = nullptr);
    ~TWsCustomStatusPane() override;
    void DescribeAccessible(TAccDescription& d) const override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // Horizontal gap between the frame and the text.
    int CaptionOffset() const { return captionOffset_; }
    void SetCaptionOffset(int offset);
    // Gap between the pane's edge and its frame.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle style);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor color);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int amount);
    // The text's background when the pane is not transparent; follows Color while
    // ParentFillColor is set, and setting it clears that.
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor color);
    bool ParentFillColor() const { return parentFillColor_; }
    void SetParentFillColor(bool parentFillColor);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // The width of an auto-sized pane with no text.
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int width);
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool blinking);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor color);
    // Shared by every blinking control of the widget set.
    std::uint16_t BlinkIntervalOn() const;
    void SetBlinkIntervalOn(std::uint16_t ms);
    std::uint16_t BlinkIntervalOff() const;
    void SetBlinkIntervalOff(std::uint16_t ms);
    // The colour the text is drawn in now: the font's, or BlinkColor in the blink phase.
    TColor TextColor() const { return textColor_; }

    // The width AutoSize gives the pane.
    virtual int GetIdealWidth() const;
    // Where the text goes, in the pane's coordinates.
    virtual TRect GetTextRect() const;
    // Whether a pane with this rectangle (in the bar's coordinates) lies under the bar's
    // size grip.
    virtual bool UnderSizeGrip(const TRect& rect) const;

    void Loaded() override;
    bool HitTest(TPoint pos) const override;

    // TWsBlinker
    bool IsBlinking() const override { return blinking_; }
    void SetBlinkState(bool blinkPhase) override;

  protected:
    void Paint(TCanvas& canvas) override;
    virtual void DrawPaneFrame(TCanvas& canvas);
    virtual void DrawPaneCaption(TCanvas& canvas, const std::string& text);
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    // The status bar the pane sits on, if it sits on one.
    TWsStatusBar* StatusBar() const;
    // Applies AutoSize now (never while loading).
    void AdjustWidth();

  private:
    TAlignment alignment_ = taLeftJustify;
    int captionOffset_ = 2;
    int borderWidth_ = 1;
    TFrameStyle frameStyle_ = fsFlat;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TColor fillColor_ = clBtnFace;
    bool parentFillColor_ = true;
    bool transparent_ = true;
    bool autoSize_ = false;
    int defaultWidth_ = 40;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    TColor textColor_;
};

// A status pane with text that the program sets.
class TWsStatusPane : public TWsCustomStatusPane {
  public:
    using TWsCustomStatusPane::TWsCustomStatusPane;
};
