#pragma once

#include <string>
#include <vector>

#include "widgets/WsCustomPanel.h"

// The bar along a window's bottom edge: hosts status panes side by side, paints a flat or
// shaded background and a size grip that sizes the form from its bottom-right corner.
class TWsStatusBar : public TWsCustomPanel {
  public:
    explicit TWsStatusBar(TComponent* owner = nullptr);
    void DescribeAccessible(TAccDescription& d) const override;

    // Re-applies the standard look after loading; setting a border property clears it.
    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool autoStyle);
    bool ShowSizeGrip() const { return showSizeGrip_; }
    void SetShowSizeGrip(bool show);
    // Scales the panes' widths with the bar's width.
    bool AutoScalePanes() const { return autoScalePanes_; }
    void SetAutoScalePanes(bool scale);
    // Hides every pane and shows SimpleCaption instead.
    bool SimpleStatus() const { return simpleStatus_; }
    void SetSimpleStatus(bool simple);
    const std::string& SimpleCaption() const { return simpleCaption_; }
    void SetSimpleCaption(const std::string& caption);
    TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
    void SetSimpleFrameStyle(TFrameStyle style);

    // The form can be sized and is not maximized, so the grip is drawn and served.
    bool SizeGripValid() const;
    // The grip's area: the rightmost 13 pixels over the full height.
    TRect SizeGripRect() const;

    void Loaded() override;
    TCursor CursorAt(TPoint pos) const override;
    TFrameHit FrameHitAt(TPoint pos) const override;

  protected:
    void Paint(TCanvas& canvas) override;
    TRect PanelRect() const override;
    TShadeColors BackgroundShadeColors() const override;
    void BorderStyleChanged() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  private:
    void ApplyAutoStyle();
    void PaintSimpleStatus(TCanvas& canvas);
    void PaintSizeGrip(TCanvas& canvas);

    bool autoStyle_ = true;
    bool showSizeGrip_ = true;
    bool autoScalePanes_ = false;
    bool simpleStatus_ = false;
    std::string simpleCaption_;
    TFrameStyle simpleFrameStyle_ = fsFlat;
    bool applyingAutoStyle_ = false;
    int scaledWidth_ = -1;  // the width the panes were last scaled for; -1 before the first
    std::vector<TControl*> hiddenBySimple_;
};
