#include "widgets/WsURLLabel.h"

#include <algorithm>
#include <cctype>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/Keys.h"
#include "framework/WinControl.h"

namespace {

std::string Trimmed(const std::string& s) {
    auto space = [](unsigned char c) { return c <= ' '; };
    auto b = std::find_if_not(s.begin(), s.end(), space);
    auto e = std::find_if_not(s.rbegin(), s.rend(), space).base();
    return b < e ? std::string(b, e) : std::string();
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i)
        if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != prefix[i])
            return false;
    return true;
}

}  // namespace

// Takes Tab for its link: empty (no pixels, no mouse) and sitting in the link's parent right
// after it. Either of the two may go first, so each forgets the other as it goes.
class TWsLinkKeys : public TWinControl {
  public:
    explicit TWsLinkKeys(TWsURLLabel& link) : link_(&link) {
        SetTabStop(true);
        SetBounds(link.Left(), link.Top(), 0, 0);
        Follow();
    }
    ~TWsLinkKeys() override {
        if (link_) link_->keys_ = nullptr;
    }
    TWsLinkKeys(const TWsLinkKeys&) = delete;
    TWsLinkKeys& operator=(const TWsLinkKeys&) = delete;

    void Forget() {
        link_ = nullptr;
        SetTabStop(false);
        SetVisible(false);
    }
    void Follow() {
        SetVisible(link_->Visible());
        SetEnabled(link_->Enabled());
    }
    void Click() override {
        if (link_) link_->Click();
    }
    // The link's own node reads as the link and carries the focus states.
    void DescribeAccessible(TAccDescription& d) const override {
        TWinControl::DescribeAccessible(d);
        d.States |= asInvisible;
    }
    bool HitTest(TPoint) const override { return false; }

  protected:
    bool WantsKey(TKey key, TShiftState shift) const override {
        return (key == vkReturn || key == vkSpace) && !(shift & (ssAlt | ssCtrl));
    }
    void KeyDown(TKey& key, TShiftState shift) override {
        TWinControl::KeyDown(key, shift);
        if (!WantsKey(key, shift)) return;
        key = 0;
        Click();
    }
    void DoEnter() override {
        TWinControl::DoEnter();
        if (link_) link_->Invalidate();
    }
    void DoExit() override {
        TWinControl::DoExit();
        if (link_) link_->Invalidate();
    }

  private:
    TWsURLLabel* link_;
};

TWsURLLabel::~TWsURLLabel() {
    if (keys_) keys_->Forget();
}

TWinControl* TWsURLLabel::KeyboardStandIn() const {
    return keys_;
}

bool TWsURLLabel::Focused() const {
    return keys_ && keys_->Focused();
}

void TWsURLLabel::ParentChanged() {
    TWsLabel::ParentChanged();
    if (!Parent()) {
        if (keys_) keys_->Forget();
        keys_ = nullptr;
        return;
    }
    if (keys_)
        keys_->SetParent(Parent());
    else
        keys_ = Parent()->InsertControl(std::make_unique<TWsLinkKeys>(*this));
}

void TWsURLLabel::VisibleChanged() {
    TWsLabel::VisibleChanged();
    if (keys_) keys_->Follow();
}

void TWsURLLabel::EnabledChanged() {
    TWsLabel::EnabledChanged();
    if (keys_) keys_->Follow();
}

void TWsURLLabel::Paint(TCanvas& canvas) {
    TWsLabel::Paint(canvas);
    if (Focused()) canvas.DrawFocusRect(ClientRect());
}

TWsURLLabel::TWsURLLabel(TComponent* owner) : TWsLabel(owner) {
    RegisterCursor(crWsHandPoint, crHandPoint);
    SetCursor(crWsHandPoint);
    TFont font = Font();
    font.SetColor(clHighlight);
    font.SetStyle(font.Style() | fsUnderline);
    SetFont(font);
}

bool TWsURLLabel::IsOpenableAddress(const std::string& address) {
    for (unsigned char c : address)
        if (c < ' ' || c == 0x7F) return false;
    for (const char* scheme : {"http://", "https://", "mailto:"})
        if (StartsWithNoCase(address, scheme) &&
            address.size() > std::char_traits<char>::length(scheme))
            return true;
    return false;
}

void TWsURLLabel::Click() {
    TWsLabel::Click();
    // Trimmed once: what is tested is what is opened. Only web and mail addresses go to the
    // desktop, never a program or a file, and a blank address opens nothing.
    const std::string target = Trimmed(URL());
    TApplication* app = Application();
    if (target.empty() || !IsOpenableAddress(target) || !app) return;
    if (app->OpenURL(target)) SetVisited(true);
}

void TWsURLLabel::UpdateLinkColor() {
    TFont font = Font();
    font.SetColor(visited_ ? visitedColor_ : unvisitedColor_);
    SetFont(font);
    Invalidate();
}

void TWsURLLabel::SetUnvisitedColor(TColor c) {
    if (StoreChanged(unvisitedColor_, c)) UpdateLinkColor();
}

void TWsURLLabel::SetVisitedColor(TColor c) {
    if (StoreChanged(visitedColor_, c)) UpdateLinkColor();
}

void TWsURLLabel::SetVisited(bool value) {
    if (StoreChanged(visited_, value)) UpdateLinkColor();
}

void TWsURLLabel::DescribeAccessible(TAccDescription& d) const {
    TWsLabel::DescribeAccessible(d);
    d.Role = arLink;
    d.Description = url_;
    d.DefaultAction = aaOpenLink;
    if (keys_) d.States |= asFocusable;
    if (Focused()) d.States |= asFocused;
}
