#include <algorithm>
#include <memory>

#include "platform/win32/UiaBridge_p.h"
#include "platform/win32/UiaElement_p.h"

namespace {

std::unique_ptr<TUiaBridge> gBridge;

}  // namespace

TAccessible* FormNodeOf(TAccessible& node) {
    TAccessible* root = AccessibleRoot();
    if (&node == root) return nullptr;
    TAccessible* n = &node;
    while (TAccessible* parent = n->Parent()) {
        if (parent == root) return n;
        n = parent;
    }
    return nullptr;
}

TUiaBridge& TUiaBridge::Get() {
    if (!gBridge) gBridge.reset(new TUiaBridge);
    return *gBridge;
}

TUiaBridge* TUiaBridge::Existing() {
    return gBridge.get();
}

TUiaBridge::TUiaBridge() {
    SetAccEventSink(this);
}

TUiaBridge::~TUiaBridge() {
    if (AccEventSink() == this) SetAccEventSink(nullptr);
    // Clients may still hold elements; they answer that their node is gone.
    for (auto& [id, element] : elements_) element->Detach();
    for (TUiaElement* element : pending_) element->Release();
}

TUiaElement* TUiaBridge::ElementFor(TAccessible& node) {
    TUiaElement*& element = elements_[node.Id()];
    if (element) {
        element->AddRef();
    } else {
        element = new TUiaElement(*this, node);
    }
    return element;
}

void TUiaBridge::ElementGone(std::uint32_t id) {
    elements_.erase(id);
}

void TUiaBridge::AddWindow(const TAccessible& form, HWND window) {
    windows_[form.Id()] = window;
}

void TUiaBridge::RemoveWindow(HWND window) {
    std::erase_if(windows_, [window](const auto& entry) { return entry.second == window; });
}

HWND TUiaBridge::WindowOf(const TAccessible& form) const {
    auto it = windows_.find(form.Id());
    return it == windows_.end() ? nullptr : it->second;
}

bool TUiaBridge::PostAction(TAccessible& node) {
    TAccessible* form = FormNodeOf(node);
    HWND window = form ? WindowOf(*form) : nullptr;
    if (!window) return false;
    // The client may let go of the element before the message arrives: the bridge holds it
    // until then, so that its node can still be found (or is known to be gone).
    TUiaElement* element = ElementFor(node);
    if (!PostMessageW(window, kAccessibleActionMessage, node.Id(), 0)) {
        element->Release();
        return false;
    }
    pending_.push_back(element);
    return true;
}

void TUiaBridge::PerformAction(std::uint32_t id) {
    auto it = std::find_if(pending_.begin(), pending_.end(),
                           [id](TUiaElement* e) { return e->Id() == id; });
    if (it == pending_.end()) return;
    TUiaElement* element = *it;
    pending_.erase(it);
    if (TAccessible* node = element->Node(); node && node->DoDefaultAction() && element->Node()) {
        uia::TCore* core = uia::Core();
        if (core && core->RaiseAutomationEvent)
            core->RaiseAutomationEvent(element, uia::kInvokedEvent);
    }
    element->Release();
}

void TUiaBridge::AccessibleEvent(TAccessible& node, TAccEvent event) {
    auto it = elements_.find(node.Id());
    TUiaElement* element = it == elements_.end() ? nullptr : it->second;
    uia::TCore* core = uia::Core();
    if (event == aeDestroyed) {
        // Only the id may be read: the node is being torn down.
        if (!element) return;
        elements_.erase(it);
        element->Detach();
        if (core && core->DisconnectProvider) core->DisconnectProvider(element);
        return;
    }
    if (!core || (core->ClientsAreListening && !core->ClientsAreListening())) return;
    if (element) {
        element->Raise(event);
        return;
    }
    // A reader follows the focus and the selection to nodes it has not visited yet; other
    // changes matter only for what it knows.
    if (event != aeFocus && event != aeSelection) return;
    TAccessible* form = FormNodeOf(node);
    if (!form || !WindowOf(*form)) return;
    element = ElementFor(node);
    element->Raise(event);
    element->Release();
}
