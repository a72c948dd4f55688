#pragma once

#include <string>
#include <vector>

#include "framework/ImageList.h"
#include "graphics/PixelBuffer.h"
#include "widgets/WsCustomPanel.h"
#include "widgets/WsToolbarTypes.h"

// One entry of a tool bar's layout order: a control and its component name.
struct TWsToolbarControl {
    TControl* Control = nullptr;
    std::string Name;
};

// The order in which a tool bar lays out its controls. Names are unique without regard to
// case, controls by identity.
class TWsToolbarControlList {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TWsToolbarControl& operator[](int index) const { return items_.at(index); }
    int IndexOf(const TControl* control) const;
    int IndexOfName(const std::string& name) const;
    // False (and nothing added) when the control or its name is already in the list.
    bool Add(TControl* control);
    bool Remove(const TControl* control);
    // Moves the entry at from to position to.
    void Move(int from, int to);
    void Clear() { items_.clear(); }

  private:
    std::vector<TWsToolbarControl> items_;
};

// A tool bar: lays its controls out in rows (or columns), wraps them, sizes itself to them,
// draws its border (a groove on the chosen sides) and shades its background in vsGradient.
// Its button settings (captions, layout, size, style) go to the buttons that follow them.
class TWsToolbar : public TWsCustomPanel {
  public:
    explicit TWsToolbar(TComponent* owner = nullptr);
    ~TWsToolbar() override;
    void DescribeAccessible(TAccDescription& d) const override;

    bool AutoResize() const { return autoResize_; }
    void SetAutoResize(bool autoResize);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Derives the border from the alignment; setting a border property switches it off.
    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool autoStyle);
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool show);

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    // Setting any of these four switches TextOptions to ttoCustom.
    bool ShowButtonCaptions() const { return showButtonCaptions_; }
    void SetShowButtonCaptions(bool show);
    TButtonLayout ButtonLayout() const { return buttonLayout_; }
    void SetButtonLayout(TButtonLayout layout);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height);
    // A preset of the four settings above and RowHeight; ttoCustom applies nothing.
    TWsToolbarTextOptions TextOptions() const { return textOptions_; }
    void SetTextOptions(TWsToolbarTextOptions options);

    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int margin);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int height);
    bool WrapControls() const { return wrapControls_; }
    void SetWrapControls(bool wrap);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation orientation);
    // Tiled over the area inside the border when not empty.
    const TPixelBuffer& Background() const { return background_; }
    void SetBackground(const TPixelBuffer& picture);

    const TWsToolbarControlList& ToolbarControls() const { return order_; }
    // The layout order by component name, as layout data stores it; resolved when loading
    // completes (or at once after loading).
    void SetToolbarControlNames(std::vector<std::string> names);
    // Moves a control to another place in the layout order and lays out again.
    void MoveToolbarControl(int from, int to);

    // Sends one of the shared-setting notices to every child.
    void NotifyButtons(TWsToolbarNotice notice);
    // Lays the controls out now (also done whenever a child moves, resizes or comes and goes).
    void LayoutControls() { Realign(); }
    // How many layout passes have run; each applies every position once.
    int LayoutPasses() const { return layoutPasses_; }

    void Loaded() override;

  protected:
    void Paint(TCanvas& canvas) override;
    bool PlacesAllChildren() const override { return true; }
    void ChildInserted(TControl* child) override;
    void ChildRemoved(TControl* child) override;
    void AlignControls(TRect rect) override;
    void BorderStyleChanged() override;
    void VisualStyleChanged() override;

  private:
    void ResolveControlNames();
    void AppendUnlisted();
    void ApplyAutoStyle();
    void ButtonSettingSet(TWsToolbarNotice notice);

    bool autoResize_ = true;
    bool autoSize_ = false;
    bool autoStyle_ = true;
    bool showDivider_ = true;
    TImageList* images_ = nullptr;
    bool showButtonCaptions_ = false;
    TButtonLayout buttonLayout_ = blGlyphLeft;
    int buttonWidth_ = 25;
    int buttonHeight_ = 25;
    TWsToolbarTextOptions textOptions_ = ttoNoTextLabels;
    int margin_ = 4;
    int topMargin_ = 2;
    int rowHeight_ = 25;
    bool wrapControls_ = true;
    TOrientation orientation_ = orHorizontal;
    TPixelBuffer background_;

    TWsToolbarControlList order_;
    std::vector<std::string> pendingNames_;
    bool namesPending_ = false;
    TAlign styledAlign_ = alNone;
    bool applyingAutoStyle_ = false;
    bool destroying_ = false;
    int layoutPasses_ = 0;
};
