#include "platform/atspi/AtspiBridge.h"

#include <atk-bridge.h>
#include <atk/atk.h>
#include <gio/gio.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "framework/Application.h"
#include "platform/atspi/AtkNode_p.h"

struct TAtspiBridge::TPump {
    GMainContext* Context = g_main_context_default();
    std::vector<GPollFD> Fds;
    gint MaxPriority = 0;
};

namespace {

TAtspiBridge* gBridge = nullptr;

bool HasEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Whether the session bus can be reached without starting one: GLib would launch a bus of
// its own (and ask the X server for it) when none is named.
bool SessionBusNamed() {
    if (HasEnv("DBUS_SESSION_BUS_ADDRESS")) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    return runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &st) == 0;
}

// An accessibility bus is present when its address is given, or when its launcher owns its
// name on the session bus (asking does not start it).
bool AccessibilityBusPresent() {
    if (HasEnv("AT_SPI_BUS_ADDRESS")) return true;
    if (!SessionBusNamed()) return false;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus) return false;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", "org.a11y.Bus"), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, nullptr);
    gboolean owned = FALSE;
    if (reply) {
        g_variant_get(reply, "(b)", &owned);
        g_variant_unref(reply);
    }
    g_object_unref(bus);
    return owned;
}

AtkObject* Root() {
    return gBridge ? gBridge->Wrap(AccessibleRoot()) : nullptr;
}

const gchar* ToolkitName() {
    return "Vigil";
}

const gchar* ToolkitVersion() {
    return "1";
}

// ATK asks its utility class for the root of the application's tree.
void InstallRoot() {
    auto* util = ATK_UTIL_CLASS(g_type_class_ref(ATK_TYPE_UTIL));
    util->get_root = Root;
    util->get_toolkit_name = ToolkitName;
    util->get_toolkit_version = ToolkitVersion;
}

}  // namespace

std::unique_ptr<TAtspiBridge> TAtspiBridge::Start(THost& host) {
    if (gBridge || !TApplication::Default() || !AccessibilityBusPresent()) return nullptr;
    std::unique_ptr<TAtspiBridge> bridge(new TAtspiBridge(host));
    return bridge;
}

TAtspiBridge::TAtspiBridge(THost& host) : host_(host), pump_(std::make_unique<TPump>()) {
    gBridge = this;
    g_main_context_acquire(pump_->Context);
    InstallRoot();
    g_set_prgname("vigil");
    g_set_application_name(TApplication::Default()->Title().c_str());
    SetAccEventSink(this);
    atk_bridge_adaptor_init(nullptr, nullptr);
    host_.SetEventSource(this);
}

TAtspiBridge::~TAtspiBridge() {
    host_.SetEventSource(nullptr);
    SetAccEventSink(nullptr);
    atk_bridge_adaptor_cleanup();
    for (auto& [id, object] : objects_) g_object_unref(object);
    objects_.clear();
    g_main_context_release(pump_->Context);
    gBridge = nullptr;
}

AtkObject* TAtspiBridge::Wrap(TAccessible* node) {
    if (!node) return nullptr;
    AtkObject*& object = objects_[node->Id()];
    if (!object) object = NewAtkNode(*this, *node);
    return object;
}

namespace {

// A default action waiting for the loop, by the node's id: the node may be gone by then.
struct TPendingAction {
    std::uint32_t Id;
};

}  // namespace

void TAtspiBridge::ActLater(TAccessible& node) {
    auto* pending = new TPendingAction{node.Id()};
    g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer data) -> gboolean {
            auto* p = static_cast<TPendingAction*>(data);
            if (!gBridge) return G_SOURCE_REMOVE;
            auto it = gBridge->objects_.find(p->Id);
            TAccessible* target =
                it == gBridge->objects_.end() ? nullptr : AtkNodeTarget(it->second);
            TApplication* app = TApplication::Default();
            if (target && app) app->Guard([target] { target->DoDefaultAction(); });
            return G_SOURCE_REMOVE;
        },
        pending, [](gpointer data) { delete static_cast<TPendingAction*>(data); });
}

void TAtspiBridge::MoveFocus(TAccessible& node) {
    auto old = objects_.find(focused_);
    if (old != objects_.end() && focused_ != node.Id()) {
        atk_object_notify_state_change(old->second, ATK_STATE_FOCUSED, FALSE);
    }
    focused_ = node.Id();
    AtkObject* object = Wrap(&node);
    const TAccRole role = node.Describe().Role;
    if (role == arRow || role == arCell) {
        // Inside a table the table keeps the focus and names the row it is on.
        TAccessible* table = node.Parent();
        if (role == arCell && table) table = table->Parent();
        if (table) g_signal_emit_by_name(Wrap(table), "active-descendant-changed", object);
    }
    atk_object_notify_state_change(object, ATK_STATE_FOCUSED, TRUE);
}

void TAtspiBridge::AccessibleEvent(TAccessible& node, TAccEvent event) {
    if (event == aeDestroyed) {
        auto it = objects_.find(node.Id());
        if (it == objects_.end()) return;
        DetachAtkNode(it->second);
        g_object_unref(it->second);
        objects_.erase(it);
        if (focused_ == node.Id()) focused_ = 0;
        return;
    }
    if (event == aeFocus) {
        MoveFocus(node);
        return;
    }
    // Nothing to tell about an object no reader has seen.
    auto it = objects_.find(node.Id());
    if (it == objects_.end()) return;
    AtkObject* object = it->second;
    const TAccDescription d = node.Describe();
    switch (event) {
        case aeSelection:
            atk_object_notify_state_change(object, ATK_STATE_SELECTED, TRUE);
            if (TAccessible* parent = node.Parent()) {
                g_signal_emit_by_name(Wrap(parent), "selection-changed");
            }
            break;
        case aeName:
            g_object_notify(G_OBJECT(object), "accessible-name");
            [[fallthrough]];
        case aeValue: {
            std::string& shown = AtkNodeShownText(object);
            std::string now = AtkNodeText(d);
            if (now == shown || !ATK_IS_TEXT(object)) break;
            auto length = [](const std::string& s) {
                return static_cast<gint>(g_utf8_strlen(s.c_str(), -1));
            };
            g_signal_emit_by_name(object, "text-remove", 0, length(shown), shown.c_str());
            shown = now;
            g_signal_emit_by_name(object, "text-insert", 0, length(shown), shown.c_str());
            break;
        }
        case aeDescription:
            g_object_notify(G_OBJECT(object), "accessible-description");
            break;
        case aeState:
            atk_object_notify_state_change(object, ATK_STATE_SHOWING, !(d.States & asInvisible));
            atk_object_notify_state_change(object, ATK_STATE_VISIBLE, !(d.States & asInvisible));
            atk_object_notify_state_change(object, ATK_STATE_ENABLED, !(d.States & asDisabled));
            atk_object_notify_state_change(object, ATK_STATE_SENSITIVE, !(d.States & asDisabled));
            atk_object_notify_state_change(object, ATK_STATE_CHECKED, (d.States & asChecked) != 0);
            break;
        case aeChildren:
            if (ATK_IS_TABLE(object)) g_signal_emit_by_name(object, "model-changed");
            g_signal_emit_by_name(object, "visible-data-changed");
            break;
        case aeBounds:
            g_signal_emit_by_name(object, "visible-data-changed");
            break;
        case aeFocus:
        case aeDestroyed:
            break;
    }
}

int TAtspiBridge::PrepareWait(std::vector<THostWaitFd>& fds) {
    TPump& p = *pump_;
    const bool ready = g_main_context_prepare(p.Context, &p.MaxPriority);
    gint timeout = -1;
    if (p.Fds.empty()) p.Fds.resize(8);
    gint n;
    while ((n = g_main_context_query(p.Context, p.MaxPriority, &timeout, p.Fds.data(),
                                     static_cast<gint>(p.Fds.size()))) >
           static_cast<gint>(p.Fds.size())) {
        p.Fds.resize(n);
    }
    p.Fds.resize(n);
    for (const GPollFD& f : p.Fds) {
        fds.push_back({f.fd, static_cast<short>(f.events), 0});
    }
    return ready ? 0 : timeout;
}

void TAtspiBridge::DispatchReady(std::vector<THostWaitFd>& fds) {
    TPump& p = *pump_;
    for (std::size_t i = 0; i < p.Fds.size() && i < fds.size(); ++i) {
        p.Fds[i].revents = static_cast<gushort>(fds[i].REvents);
    }
    // Works on a copy: a dispatched action may run a nested loop that prepares anew.
    std::vector<GPollFD> polled = p.Fds;
    if (g_main_context_check(p.Context, p.MaxPriority, polled.data(),
                             static_cast<gint>(polled.size()))) {
        g_main_context_dispatch(p.Context);
    }
}
