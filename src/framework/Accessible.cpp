#include "framework/Accessible.h"

#include <vector>

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/HintWindow.h"

namespace {

TAccEventSink* gSink = nullptr;
std::uint32_t gLastId = 0;

// The application (the newest living one; a process publishes one tree): its forms that take part
// in the desktop (not hint windows).
class TApplicationAccessible final : public TAccessible {
  public:
    TAccDescription Describe() const override {
        TAccDescription d;
        d.Role = arApplication;
        TApplication* app = TApplication::Default();
        d.Name = app ? app->Title() : std::string();
        return d;
    }
    TRect ScreenBounds() const override { return {}; }
    TAccessible* Parent() const override { return nullptr; }
    int ChildCount() const override { return static_cast<int>(Forms().size()); }
    TAccessible* Child(int index) override {
        std::vector<TForm*> forms = Forms();
        if (index < 0 || index >= static_cast<int>(forms.size())) return nullptr;
        return forms[index]->Accessible();
    }
    TAccessible* NodeAt(TPoint screen) override {
        TApplication* app = TApplication::Default();
        TForm* form = app ? app->FormAt(screen) : nullptr;
        if (!form || dynamic_cast<THintWindow*>(form)) return nullptr;
        return form->Accessible()->NodeAt(screen);
    }

  private:
    static std::vector<TForm*> Forms() {
        std::vector<TForm*> out;
        TApplication* app = TApplication::Default();
        if (!app) return out;
        for (TForm* f : app->Forms()) {
            if (f->Visible() && !dynamic_cast<THintWindow*>(f)) out.push_back(f);
        }
        return out;
    }
};

}  // namespace

TAccessible::TAccessible() : id_(++gLastId) {}

TAccessible::~TAccessible() {
    Raise(aeDestroyed);
}

int TAccessible::IndexInParent() const {
    TAccessible* parent = Parent();
    if (!parent) return -1;
    for (int i = 0, n = parent->ChildCount(); i < n; ++i) {
        if (parent->Child(i) == this) return i;
    }
    return -1;
}

TAccessible* TAccessible::NodeAt(TPoint screen) {
    if (!ScreenBounds().Contains(screen)) return nullptr;
    // Front-most first: children are listed back to front.
    for (int i = ChildCount() - 1; i >= 0; --i) {
        TAccessible* child = Child(i);
        if (child && !(child->Describe().States & asInvisible)) {
            if (TAccessible* hit = child->NodeAt(screen)) return hit;
        }
    }
    return this;
}

void TAccessible::Raise(TAccEvent event) {
    if (gSink) gSink->AccessibleEvent(*this, event);
}

void SetAccEventSink(TAccEventSink* sink) {
    gSink = sink;
}

TAccEventSink* AccEventSink() {
    return gSink;
}

TAccessible* AccessibleRoot() {
    static TApplicationAccessible root;
    return &root;
}

std::string AccessibleCaption(const std::string& caption) {
    // "刷新(&R)": the bracketed letter only shows the key, which the shortcut tells already.
    const std::size_t n = caption.size();
    if (n >= 4 && caption[n - 1] == ')' && caption[n - 3] == '&' && caption[n - 4] == '(' &&
        caption[n - 2] != '&') {
        return AccessibleCaption(caption.substr(0, n - 4));
    }
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

std::string AccessibleShortcut(const std::string& caption) {
    const std::size_t at = TControl::AccelIndex(caption);
    if (at == std::string::npos) return {};
    auto c = static_cast<unsigned char>(caption[at]);
    if (c >= 0x80) return {};
    return std::string("Alt+") + static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}
