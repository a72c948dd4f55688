#pragma once

#include "widgets/WsCustomButton.h"

// The widget set's own push button. With HotTrack it draws a rounded two-tone frame, a
// shaded face, and a glow ring for the mouse or the focus; without it the classic raised
// frame. Themes are never drawn: the platforms this runs on draw the widget set's own look.
class TWsButton : public TWsCustomButton {
  public:
    explicit TWsButton(TComponent* owner = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor c);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool ShowDownPattern() const { return showDownPattern_; }
    void SetShowDownPattern(bool value);

  protected:
    void Paint(TCanvas& canvas) override;
    void DoButtonClick() override;
    virtual TRect GetCaptionRect() const;
    virtual void DrawCaption(TCanvas& canvas);

  private:
    void PaintHotTrack(TCanvas& canvas);
    void PaintHotTrackDisabled(TCanvas& canvas);
    void PaintClassic(TCanvas& canvas);
    void PaintFace(TCanvas& canvas, const TRect& face);
    TRect FocusRect() const;
    bool ShownDown() const { return (groupIndex_ != 0 && down_) || DrawPressed(); }

    TAlignment alignment_ = taCenter;
    TColor frameColor_ = cl3DDkShadow;
    bool showFocusRect_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool showDownPattern_ = true;
};
