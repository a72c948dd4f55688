#include "widgets/WsTabSheet.h"

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "widgets/WsPageControl.h"

TWsTabSheet::TWsTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetVisible(false);
    SetAlign(alClient);
}

TWsTabSheet::~TWsTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

int TWsTabSheet::PageIndex() const {
    return pageControl_ ? pageControl_->IndexOfPage(this) : -1;
}

void TWsTabSheet::SetPageIndex(int index) {
    if (pageControl_) pageControl_->MovePage(this, index);
}

int TWsTabSheet::TabIndex() const {
    return pageControl_ ? pageControl_->TabIndexOfPage(this) : -1;
}

void TWsTabSheet::TabChanged() {
    if (pageControl_) pageControl_->RebuildTabs();
}

void TWsTabSheet::SetImageIndex(int index) {
    if (StoreChanged(imageIndex_, index)) TabChanged();
}

void TWsTabSheet::SetDisabledIndex(int index) {
    if (StoreChanged(disabledIndex_, index)) TabChanged();
}

void TWsTabSheet::SetTabEnabled(bool value) {
    if (StoreChanged(tabEnabled_, value)) TabChanged();
}

void TWsTabSheet::SetTabVisible(bool value) {
    if (StoreChanged(tabVisible_, value)) TabChanged();
}

void TWsTabSheet::Paint(TCanvas& canvas) {
    bool handled = false;
    if (OnPaintBackground) OnPaintBackground(this, canvas, ClientRect(), handled);
    if (handled) return;
    canvas.Brush() = TBrush{Color(), bsSolid};
    canvas.FillRect(ClientRect());
}

void TWsTabSheet::VisibleChanged() {
    TCustomControl::VisibleChanged();
    if (Visible() && OnShow) OnShow(this);
    if (!Visible() && OnHide) OnHide(this);
}

void TWsTabSheet::TextChanged() {
    TCustomControl::TextChanged();
    TabChanged();
}

void TWsTabSheet::ColorChanged() {
    TCustomControl::ColorChanged();
    if (!pageControl_) return;
    // A page of its own colour turns on coloured tabs, so its tab shows that colour.
    if (Color() != pageControl_->Color()) pageControl_->SetUseColoredTabs(true);
    TabChanged();
}

void TWsTabSheet::ParentChanged() {
    auto* control = dynamic_cast<TWsPageControl*>(Parent());
    if (control == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = nullptr;
    if (control) control->InsertPage(this);
}

void TWsTabSheet::DescribeAccessible(TAccDescription& d) const {
    TCustomControl::DescribeAccessible(d);
    d.Role = arPropertyPage;
    d.Shortcut.clear();
}
