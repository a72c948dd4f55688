#pragma once

#include <string>

#include "widgets/WsLabel.h"

// The screen cursor table entry of the link hand.
inline constexpr TCursor crWsHandPoint = 26000;

class TWsLinkKeys;

// A link: a click hands its address to the desktop to open and then shows the label in its
// visited colour. Only web (http, https) and mail (mailto) addresses are opened. A label
// cannot hold the focus, so an empty windowed stand-in beside it takes Tab for it; while it
// has the focus the link wears a dotted focus rectangle, and Enter or Space opens it.
class TWsURLLabel : public TWsLabel {
  public:
    explicit TWsURLLabel(TComponent* owner = nullptr);
    ~TWsURLLabel() override;
    void DescribeAccessible(TAccDescription& d) const override;

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url) { url_ = url; }
    TColor UnvisitedColor() const { return unvisitedColor_; }
    void SetUnvisitedColor(TColor c);
    TColor VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(TColor c);
    bool Visited() const { return visited_; }
    void SetVisited(bool value);

    // Raises OnClick, then opens the address; a blank or unsafe address opens nothing.
    void Click() override;
    // The control that takes the keyboard focus for the link; null while it has no parent.
    TWinControl* KeyboardStandIn() const;
    bool Focused() const;

    // Whether an address may be handed to the desktop: http, https or mailto, with no
    // control characters.
    static bool IsOpenableAddress(const std::string& address);

  protected:
    virtual void UpdateLinkColor();
    void Paint(TCanvas& canvas) override;
    void ParentChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;

  private:
    friend class TWsLinkKeys;
    TWsLinkKeys* keys_ = nullptr;
    std::string url_;
    TColor unvisitedColor_ = clHighlight;
    TColor visitedColor_ = clPurple;
    bool visited_ = false;
};
