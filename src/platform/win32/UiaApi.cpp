#include "platform/win32/UiaApi_p.h"

namespace uia {

namespace {

template <class F>
void Load(HMODULE module, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

TCore* Core() {
    static TCore* core = [] {
        // Only from the system folder, so that no file beside the program can stand in for it.
        HMODULE module =
            LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!module) return static_cast<TCore*>(nullptr);
        static TCore loaded;
        Load(module, "UiaReturnRawElementProvider", loaded.ReturnRawElementProvider);
        Load(module, "UiaHostProviderFromHwnd", loaded.HostProviderFromHwnd);
        Load(module, "UiaRaiseAutomationEvent", loaded.RaiseAutomationEvent);
        Load(module, "UiaRaiseAutomationPropertyChangedEvent", loaded.RaisePropertyChangedEvent);
        Load(module, "UiaRaiseStructureChangedEvent", loaded.RaiseStructureChangedEvent);
        Load(module, "UiaClientsAreListening", loaded.ClientsAreListening);
        Load(module, "UiaDisconnectProvider", loaded.DisconnectProvider);
        return loaded.ReturnRawElementProvider ? &loaded : nullptr;
    }();
    return core;
}

}  // namespace uia
