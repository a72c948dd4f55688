#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "framework/Accessible.h"
#include "platform/win32/UiaApi_p.h"

class TUiaElement;

// The accessibility tree's bridge to UI Automation: the element of every node a client has
// reached, the window each form shows in, and the tree's events passed on as UI Automation
// events. It is made by the first WM_GETOBJECT, so a program that nobody reads never loads the
// library and pays nothing for events.
class TUiaBridge final : public TAccEventSink {
  public:
    static TUiaBridge& Get();
    // The bridge when one was made, else null.
    static TUiaBridge* Existing();

    ~TUiaBridge();
    TUiaBridge(const TUiaBridge&) = delete;
    TUiaBridge& operator=(const TUiaBridge&) = delete;

    // A new reference to the node's element, made on first request.
    TUiaElement* ElementFor(TAccessible& node);
    // An element is going away.
    void ElementGone(std::uint32_t id);

    // The window a form shows in, for its element's host and for posted actions.
    void AddWindow(const TAccessible& form, HWND window);
    void RemoveWindow(HWND window);
    HWND WindowOf(const TAccessible& form) const;

    // Asks the node's window to perform its default action from its message loop.
    bool PostAction(TAccessible& node);
    // The posted action arrived: performs it when the node is still there.
    void PerformAction(std::uint32_t id);

    void AccessibleEvent(TAccessible& node, TAccEvent event) override;

  private:
    TUiaBridge();

    std::unordered_map<std::uint32_t, TUiaElement*> elements_;
    std::unordered_map<std::uint32_t, HWND> windows_;
    // Elements whose posted action has not arrived yet, each with a reference.
    std::vector<TUiaElement*> pending_;
};

// The form a node belongs to (the node itself for a form); null for the application.
TAccessible* FormNodeOf(TAccessible& node);

// The message a window receives for PostAction: WPARAM holds the node's id.
inline constexpr UINT kAccessibleActionMessage = WM_APP + 1;
