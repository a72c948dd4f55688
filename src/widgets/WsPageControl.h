#pragma once

#include <vector>

#include "widgets/WsCustomTabControl.h"

class TWsTabSheet;

// The tab engine with pages: tab n is the n-th page whose TabVisible is set, and selecting a
// tab shows its page in the card. Pages join when inserted into the control.
class TWsPageControl : public TWsCustomTabControl {
  public:
    explicit TWsPageControl(TComponent* owner = nullptr);
    ~TWsPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TWsTabSheet* Pages(int index) const;
    int IndexOfPage(const TWsTabSheet* page) const;
    int TabIndexOfPage(const TWsTabSheet* page) const;
    TWsTabSheet* PageOfTab(int tabIndex) const;
    TControl* TabContent(int index) const override;

    TWsTabSheet* ActivePage() const { return activePage_; }
    // A page of another control is ignored; a page with a hidden tab becomes active without
    // a tab. While loading the page is only stored.
    void SetActivePage(TWsTabSheet* page);
    TWsTabSheet* ActivePageDefault() const { return activePageDefault_; }
    void SetActivePageDefault(TWsTabSheet* page) { activePageDefault_ = page; }
    // The page after (or before) current, wrapping; with tabVisibleOnly, pages with hidden tabs
    // are passed over. Null when there is none.
    TWsTabSheet* FindNextPage(TWsTabSheet* current, bool forward, bool tabVisibleOnly) const;

    void Loaded() override;

    TNotifyEvent OnPageChange;

  protected:
    void Switching(int oldIndex, int newIndex) override;
    void Change() override;
    TColor CardColor() const override;
    void ColorChanged() override;
    void DoEnter() override;
    void AlignControls(TRect rect) override;

  private:
    friend class TWsTabSheet;
    void InsertPage(TWsTabSheet* page);
    void RemovePage(TWsTabSheet* page);
    void MovePage(TWsTabSheet* page, int index);
    void RebuildTabs();
    void ShowPage(TWsTabSheet* page);
    TRect PageRect() const;

    std::vector<TWsTabSheet*> pages_;
    TWsTabSheet* activePage_ = nullptr;
    TWsTabSheet* storedActivePage_ = nullptr;
    TWsTabSheet* activePageDefault_ = nullptr;
};
