#include "widgets/WsURLLabel.h"

#include <algorithm>
#include <cctype>

#include "base/StoreChanged.h"
#include "framework/Accessible.h"
#include "framework/Application.h"

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
}
