#include "widgets/WsPageControl.h"

#include <algorithm>

#include "framework/Form.h"
#include "widgets/WsTabSheet.h"

TWsPageControl::TWsPageControl(TComponent* owner) : TWsCustomTabControl(owner) {}

TWsPageControl::~TWsPageControl() {
    // The pages go with the children after this part of the control is gone.
    for (TWsTabSheet* page : pages_) page->pageControl_ = nullptr;
}

TWsTabSheet* TWsPageControl::Pages(int index) const {
    return index >= 0 && index < PageCount() ? pages_[index] : nullptr;
}

int TWsPageControl::IndexOfPage(const TWsTabSheet* page) const {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

int TWsPageControl::TabIndexOfPage(const TWsTabSheet* page) const {
    int tab = 0;
    for (TWsTabSheet* p : pages_) {
        if (!p->TabVisible()) continue;
        if (p == page) return tab;
        ++tab;
    }
    return -1;
}

TWsTabSheet* TWsPageControl::PageOfTab(int tabIndex) const {
    int tab = 0;
    for (TWsTabSheet* p : pages_) {
        if (!p->TabVisible()) continue;
        if (tab++ == tabIndex) return p;
    }
    return nullptr;
}

void TWsPageControl::InsertPage(TWsTabSheet* page) {
    page->pageControl_ = this;
    pages_.push_back(page);
    if (!UseColoredTabs()) page->SetColor(Color());
    page->SetBoundsRect(PageRect());
    RebuildTabs();
}

void TWsPageControl::RemovePage(TWsTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (storedActivePage_ == page) storedActivePage_ = nullptr;
    if (activePageDefault_ == page) activePageDefault_ = nullptr;
    if (activePage_ == page) {
        activePage_ = nullptr;
        SetTabIndexQuiet(-1);
    }
    RebuildTabs();
}

void TWsPageControl::MovePage(TWsTabSheet* page, int index) {
    int from = IndexOfPage(page);
    if (from < 0) return;
    index = std::clamp(index, 0, PageCount() - 1);
    if (index == from) return;
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + index, page);
    RebuildTabs();
}

void TWsPageControl::RebuildTabs() {
    TWsTabDataList& tabs = Tabs();
    tabs.clear();
    for (TWsTabSheet* p : pages_) {
        if (!p->TabVisible()) continue;
        TWsTabData tab;
        tab.Caption = p->Caption();
        tab.Enabled = p->TabEnabled();
        tab.ImageIndex = p->ImageIndex();
        tab.DisabledImageIndex = p->DisabledIndex();
        tab.Hint = p->Hint();
        tab.Color = p->Color();
        tabs.push_back(tab);
    }
    SetTabIndexQuiet(TabIndexOfPage(activePage_));
    TabsChanged();
}

TWsTabSheet* TWsPageControl::FindNextPage(TWsTabSheet* current, bool forward,
                                          bool tabVisibleOnly) const {
    const int n = PageCount();
    if (n == 0) return nullptr;
    int start = IndexOfPage(current);
    if (start < 0) start = forward ? -1 : n;
    for (int k = 1; k <= n; ++k) {
        int i = ((start + (forward ? k : -k)) % n + n) % n;
        if (!tabVisibleOnly || pages_[i]->TabVisible()) return pages_[i];
    }
    return nullptr;
}

void TWsPageControl::ShowPage(TWsTabSheet* page) {
    TWsTabSheet* old = activePage_;
    if (page == old) return;
    const bool hadFocus = old && old->ContainsFocus();
    activePage_ = page;
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
        if (hadFocus) {
            TWinControl* next = page->FindNextControl(nullptr, true, true);
            if (next)
                next->SetFocus();
            else if (CanFocus())
                SetFocus();
        }
    }
    if (old) {
        if (hadFocus && old->ContainsFocus() && CanFocus()) SetFocus();
        old->SetVisible(false);
    }
    Invalidate();
}

void TWsPageControl::Switching(int oldIndex, int newIndex) {
    TWsCustomTabControl::Switching(oldIndex, newIndex);
    ShowPage(PageOfTab(newIndex));
}

void TWsPageControl::Change() {
    TWsCustomTabControl::Change();
    if (OnPageChange) OnPageChange(this);
}

void TWsPageControl::SetActivePage(TWsTabSheet* page) {
    if (page && page->PageControl() != this) return;
    if (Loading()) {
        storedActivePage_ = page;
        return;
    }
    int tab = page ? TabIndexOfPage(page) : -1;
    if (tab >= 0) {
        SelectTab(tab);
        return;
    }
    // Leaving the selected tab hides its page; the page without a tab shows after that.
    SelectTab(-1);
    ShowPage(page);
}

void TWsPageControl::Loaded() {
    TWsCustomTabControl::Loaded();
    TWsTabSheet* page = storedActivePage_ ? storedActivePage_ : activePageDefault_;
    storedActivePage_ = nullptr;
    if (page && page->PageControl() == this) SetActivePage(page);
    // Exactly the active page is visible.
    for (TWsTabSheet* p : pages_)
        if (p != activePage_) p->SetVisible(false);
    if (activePage_) {
        activePage_->BringToFront();
        activePage_->SetVisible(true);
    }
}

TColor TWsPageControl::CardColor() const {
    return activePage_ ? activePage_->Color() : Color();
}

void TWsPageControl::ColorChanged() {
    TWsCustomTabControl::ColorChanged();
    if (UseColoredTabs()) return;
    for (TWsTabSheet* p : pages_) p->SetColor(Color());
}

TRect TWsPageControl::PageRect() const {
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TWsPageControl::AlignControls(TRect rect) {
    // Hidden pages are kept at the card's size too, so what they hold is laid out before
    // they are first shown.
    for (TWsTabSheet* p : pages_)
        if (p->Align() == alClient) p->SetBoundsRect(rect);
    TWsCustomTabControl::AlignControls(rect);
}

void TWsPageControl::DoEnter() {
    TWsCustomTabControl::DoEnter();
    // A page shown without a tab hands the focus on to its first control.
    if (activePage_ && !activePage_->TabVisible()) {
        if (TWinControl* next = activePage_->FindNextControl(nullptr, true, true)) next->SetFocus();
    }
}

TControl* TWsPageControl::TabContent(int index) const {
    return PageOfTab(index);
}
