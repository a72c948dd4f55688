#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/Accessible.h"
#include "framework/Host.h"

struct _AtkObject;

// Publishes the accessibility tree over AT-SPI2 through ATK and its bridge. The GLib main
// context that carries the bridge's D-Bus traffic is served from the host's own waits, so the
// program still sleeps until something arrives. Everything runs on the loop's thread.
class TAtspiBridge : public TAccEventSink, public THostEventSource {
  public:
    // Null, having loaded nothing, when the desktop has no accessibility bus. Needs the
    // Application object.
    static std::unique_ptr<TAtspiBridge> Start(THost& host);
    ~TAtspiBridge();
    TAtspiBridge(const TAtspiBridge&) = delete;
    TAtspiBridge& operator=(const TAtspiBridge&) = delete;

    // The ATK object that stands for a node, made on first use and kept until the node goes;
    // the bridge holds the reference. Null for null.
    _AtkObject* Wrap(TAccessible* node);
    // Runs the node's default action from the loop, after the request that asked for it has
    // been answered: an action may open a modal window and run a loop of its own.
    void ActLater(TAccessible& node);

    void AccessibleEvent(TAccessible& node, TAccEvent event) override;
    int PrepareWait(std::vector<THostWaitFd>& fds) override;
    void DispatchReady(std::vector<THostWaitFd>& fds) override;

  private:
    struct TPump;

    explicit TAtspiBridge(THost& host);
    void MoveFocus(TAccessible& node);

    THost& host_;
    std::unique_ptr<TPump> pump_;
    std::unordered_map<std::uint32_t, _AtkObject*> objects_;
    std::uint32_t focused_ = 0;
};
