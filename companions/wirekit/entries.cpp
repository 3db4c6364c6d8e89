// The entries the host looks up by name (see protocol/wirekit_entries.h).
#include "protocol_manager_impl.h"

#include <atomic>

#define WIREKIT_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

// Set once the manager has been destroyed at exit; a host whose own clean-up runs later (and
// uninstalls its dispatcher, say) then reaches nothing.
std::atomic<bool> managerGone{false};

struct ManagerHolder {
    wirekit::ProtocolManagerImpl manager;
    ~ManagerHolder() { managerGone = true; }
};

wirekit::ProtocolManagerImpl* theManager() {
    if (managerGone)
        return nullptr;
    static ManagerHolder holder;
    return &holder.manager;
}

} // namespace

WIREKIT_ENTRY protocol::ProtocolManager* getProtocolManager() {
    auto* manager = theManager();
    if (manager)
        manager->acquire();
    return manager;
}

WIREKIT_ENTRY void releaseProtocolManager() {
    if (auto* manager = theManager())
        manager->release();
}

WIREKIT_ENTRY void setCallbackDispatcher(protocol::CallbackDispatcher* dispatcher) {
    if (auto* manager = theManager())
        manager->context().hub.install(dispatcher);
}

WIREKIT_ENTRY void setSiteUrl(const char* url) {
    if (auto* manager = theManager())
        manager->context().settings.setSiteUrl(url ? url : "");
}

WIREKIT_ENTRY void setRequestTimeouts(long connectMs, long transferMs) {
    if (auto* manager = theManager())
        manager->context().settings.setTimeouts(connectMs, transferMs);
}
