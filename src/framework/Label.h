#pragma once

#include <string>

#include "framework/GraphicControl.h"

// A line (or, with WordWrap, a paragraph) of text painted on the parent. With AutoSize the
// label takes the size of its text whenever text or font change, keeping its right edge
// when right-aligned. "&" marks an underlined accelerator unless ShowAccelChar is off.
class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner = nullptr);
    void DescribeAccessible(TAccDescription& d) const override;

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TVerticalLayout Layout() const { return layout_; }
    void SetLayout(TVerticalLayout layout);
    // A transparent label fills nothing: the parent shows between its letters.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);

    void Loaded() override;

  protected:
    void Paint(TCanvas& canvas) override;
    void TextChanged() override;
    void FontChanged() override;
    // The DrawText format the label paints and measures with.
    unsigned TextFormat() const;
    // Sizes the label to its text when AutoSize is set, leaving room for TextInsets.
    void AdjustBounds();
    // What lies between the label's edges and its text on each side (borders, margins).
    virtual TRect TextInsets() const { return {}; }

  private:
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TVerticalLayout layout_ = tlTop;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

// Text of a disabled control: an embossed copy in the highlight colour one pixel right and
// down, then the text itself in the shadow colour.
void DrawDisabledText(TCanvas& canvas, const std::string& text, const TRect& r, unsigned format);
