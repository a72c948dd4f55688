#pragma once

#include <string>

#include "widgets/WsLabel.h"

// The screen cursor table entry of the link hand.
inline constexpr TCursor crWsHandPoint = 26000;

// A link: a click hands its address to the desktop to open and then shows the label in its
// visited colour. Only web (http, https) and mail (mailto) addresses are opened.
class TWsURLLabel : public TWsLabel {
  public:
    explicit TWsURLLabel(TComponent* owner = nullptr);
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

    // Whether an address may be handed to the desktop: http, https or mailto, with no
    // control characters.
    static bool IsOpenableAddress(const std::string& address);

  protected:
    virtual void UpdateLinkColor();

  private:
    std::string url_;
    TColor unvisitedColor_ = clHighlight;
    TColor visitedColor_ = clPurple;
    bool visited_ = false;
};
