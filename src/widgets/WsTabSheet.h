#pragma once

#include "framework/CustomControl.h"
#include "widgets/WsCustomTabControl.h"

class TWsPageControl;

// One page of a page control: an opaque container that fills the card. It starts hidden;
// the page control shows only its active page. Its tab follows its caption, image indexes and
// the TabEnabled and TabVisible switches.
class TWsTabSheet : public TCustomControl {
  public:
    explicit TWsTabSheet(TComponent* owner = nullptr);
    ~TWsTabSheet() override;
    void DescribeAccessible(TAccDescription& d) const override;

    // The page control this page belongs to: its parent, when that is a page control.
    TWsPageControl* PageControl() const { return pageControl_; }
    // Position in the page control's page list; -1 without a page control.
    int PageIndex() const;
    void SetPageIndex(int index);
    // The tab index of this page, -1 while its tab is hidden.
    int TabIndex() const;

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int index);
    bool TabEnabled() const { return tabEnabled_; }
    void SetTabEnabled(bool value);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TWsPaintBackgroundEvent OnPaintBackground;

  protected:
    void Paint(TCanvas& canvas) override;
    void VisibleChanged() override;
    void TextChanged() override;
    void ColorChanged() override;
    void ParentChanged() override;

  private:
    friend class TWsPageControl;
    void TabChanged();

    TWsPageControl* pageControl_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    bool tabEnabled_ = true;
    bool tabVisible_ = true;
};
