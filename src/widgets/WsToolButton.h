#pragma once

#include "framework/GraphicControl.h"
#include "framework/ImageList.h"
#include "widgets/WsToolbarTypes.h"
#include "widgets/WsTypes.h"

class TWsToolbar;

// A windowless tool bar button: glyph and caption, a framed and shaded highlight while the
// mouse is over it (vsGradient), the shading inverted while pressed, and the click on release
// inside. Buttons on a TWsToolbar follow its caption, layout, size and style settings while
// their UseToolbar... flags are set.
class TWsToolButton : public TGraphicControl {
  public:
    explicit TWsToolButton(TComponent* owner = nullptr);
    ~TWsToolButton() override;
    void DescribeAccessible(TAccDescription& d) const override;

    bool UseToolbarButtonSize() const { return useSize_; }
    void SetUseToolbarButtonSize(bool use);
    TButtonLayout Layout() const { return layout_; }
    // Clears UseToolbarButtonLayout.
    void SetLayout(TButtonLayout layout);
    bool UseToolbarButtonLayout() const { return useLayout_; }
    void SetUseToolbarButtonLayout(bool use);
    bool ShowCaption() const { return showCaption_; }
    // Clears UseToolbarShowCaption.
    void SetShowCaption(bool show);
    bool UseToolbarShowCaption() const { return useShowCaption_; }
    void SetUseToolbarShowCaption(bool use);
    TWsVisualStyle VisualStyle() const { return visualStyle_; }
    void SetVisualStyle(TWsVisualStyle style);
    TWsGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TWsGradientColorStyle style);
    bool UseToolbarVisualStyle() const { return useStyle_; }
    void SetUseToolbarVisualStyle(bool use);
    // The highlight's colours under gcsCustom.
    TColor SelectionColorStart() const { return selectionStart_; }
    void SetSelectionColorStart(TColor color);
    TColor SelectionColorStop() const { return selectionStop_; }
    void SetSelectionColorStop(TColor color);
    TColor SelectionFrameColor() const { return selectionFrame_; }
    void SetSelectionFrameColor(TColor color);

    // The button's own glyphs; without them, the parent tool bar's Images.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int HotIndex() const { return hotIndex_; }
    void SetHotIndex(int index);
    int DownIndex() const { return downIndex_; }
    void SetDownIndex(int index);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int index);

    // Where glyph and caption sit as a block.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TWsToolStyle ToolStyle() const { return toolStyle_; }
    void SetToolStyle(TWsToolStyle style);

    // Latching groups: a grouped button toggles Down on each click; one per group is down.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    // Only a grouped button can be down.
    void SetDown(bool down);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);

    TWsToolButtonState ToolButtonState() const { return state_; }
    bool PointerOver() const { return pointerOver_; }
    bool PressActive() const { return pressActive_; }

    // Where glyph and caption go inside the button, as painting places them.
    struct TContentLayout {
        TRect Glyph;
        TRect Text;
    };
    TContentLayout ContentLayout(TCanvas& canvas) const;
    // The tool bar's shared settings, copied where the matching UseToolbar... flag is set.
    void ToolbarNotice(TWsToolbarNotice notice);
    // The image list the glyph comes from: the button's own, else the tool bar's.
    TImageList* GlyphImages() const;

    void SetBounds(int left, int top, int width, int height) override;
    void Loaded() override;
    void Click() override;

    // Raised on a press of a tsDropDown button's arrow part (the menu belongs to the caller).
    TNotifyEvent OnDropDown;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CaptureLost() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void ParentChanged() override;
    bool DialogChar(char32_t ch, TShiftState shift) override;

  private:
    TWsToolbar* Toolbar() const;
    void PickUpToolbarSettings();
    void NormaliseState();
    void SetState(TWsToolButtonState state);
    // Sets the hover flag, with the enter or leave handling when it changes.
    void SetPointerOver(bool over);
    bool OnArrowPart(int x) const;
    // Tells the other buttons of the group that this one went down.
    void ReleaseGroup();
    void PaintHighlight(TCanvas& canvas, const TRect& rect);
    void PaintClassicFrame(TCanvas& canvas, const TRect& rect);
    void PaintArrowPart(TCanvas& canvas, const TRect& rect);
    void PaintGlyph(TCanvas& canvas, const TRect& glyph) const;
    void PaintCaption(TCanvas& canvas, const TRect& text) const;
    void ApplyToolbarSize();

    bool useSize_ = true;
    TButtonLayout layout_ = blGlyphLeft;
    bool useLayout_ = true;
    bool showCaption_ = false;
    bool useShowCaption_ = true;
    TWsVisualStyle visualStyle_ = vsWinXP;
    TWsGradientColorStyle gradientColorStyle_ = gcsSystem;
    bool useStyle_ = true;
    TColor selectionStart_ = clBtnFace;
    TColor selectionStop_ = clBtnShadow;
    TColor selectionFrame_ = cl3DDkShadow;
    TImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int hotIndex_ = -1;
    int downIndex_ = -1;
    int disabledIndex_ = -1;
    TAlignment alignment_ = taCenter;
    bool flat_ = true;
    bool transparent_ = true;
    TWsToolStyle toolStyle_ = tsButton;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;

    TWsToolButtonState state_ = tbsUp;
    bool pointerOver_ = false;
    bool pressActive_ = false;
    bool pressOnArrow_ = false;
    bool applyingToolbar_ = false;
};
