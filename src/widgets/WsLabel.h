#pragma once

#include <cstdint>

#include "framework/Label.h"
#include "framework/Timer.h"
#include "widgets/WsCustomButton.h"
#include "widgets/WsTypes.h"

enum TWsCondenseCaption : std::uint8_t { ccNone, ccAtEnd, ccWithinPath };

// A label with the widget set's borders, text margin and blinking. It paints in its current
// text colour, which follows the font colour unless blinking takes it over.
class TWsLabel : public TLabel {
  public:
    explicit TWsLabel(TComponent* owner = nullptr);
    ~TWsLabel() override;

    TFrameStyle BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyle style);
    TFrameStyle BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyle style);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int TextMargin() const { return textMargin_; }
    void SetTextMargin(int margin);
    TWsTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TWsTextStyle style);
    TWsCondenseCaption CondenseCaption() const { return condenseCaption_; }
    void SetCondenseCaption(TWsCondenseCaption c);
    bool Blinking() const { return blinking_; }
    // Alternates the text between the font colour and BlinkColor.
    void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor c);
    static constexpr std::uint32_t BlinkIntervalMs = 500;

    // The colour the text is painted in now.
    TColor TextColor() const { return textColor_; }

    void Loaded() override;

  protected:
    void Paint(TCanvas& canvas) override;
    void FontChanged() override;
    // The borders and the text margin on each side.
    TRect TextInsets() const override;

  private:
    void BlinkTick();
    void StopBlinking();

    TFrameStyle borderOuter_ = fsNone;
    TFrameStyle borderInner_ = fsNone;
    int borderWidth_ = 0;
    int bevelWidth_ = 1;
    int textMargin_ = 0;
    TWsTextStyle textStyle_ = tsNormal;
    TWsCondenseCaption condenseCaption_ = ccNone;
    bool blinking_ = false;
    bool blinkOn_ = false;
    TColor blinkColor_ = clHighlight;
    TColor textColor_ = clWindowText;
    TTimer blinkTimer_{this, false};
};
