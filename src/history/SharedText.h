#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>

// A text that many sessions hold alike (a user name, a kernel release): each holds a pointer
// to one shared copy rather than a string of its own. The empty text holds nothing.
class TSharedText {
  public:
    TSharedText() = default;
    TSharedText(std::string_view text)
        : text_(text.empty() ? nullptr : std::make_shared<const std::string>(text)) {}
    TSharedText(const std::string& text) : TSharedText(std::string_view(text)) {}
    TSharedText(const char* text) : TSharedText(std::string_view(text)) {}

    std::string_view View() const { return text_ ? std::string_view(*text_) : std::string_view{}; }
    operator std::string_view() const { return View(); }
    bool empty() const { return !text_; }
    std::size_t size() const { return View().size(); }
    // Whether two texts share one copy.
    bool SameCopy(const TSharedText& other) const { return text_ == other.text_; }

    friend bool operator==(const TSharedText& a, std::string_view b) { return a.View() == b; }
    friend std::ostream& operator<<(std::ostream& out, const TSharedText& t) {
        return out << t.View();
    }

  private:
    std::shared_ptr<const std::string> text_;
};

// Hands out one shared copy for each distinct text it is given.
class TTextShare {
  public:
    TSharedText Get(std::string_view text) {
        if (text.empty()) return {};
        auto it = copies_.find(text);
        if (it != copies_.end()) return it->second;
        TSharedText copy(text);
        // Keyed by the copy's own characters, which stay where they are while it lives.
        copies_.emplace(copy.View(), copy);
        return copy;
    }

  private:
    std::unordered_map<std::string_view, TSharedText> copies_;
};
