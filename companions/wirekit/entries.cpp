// The entries the host looks up by name (see protocol/wirekit_entries.h).
#include "protocol_manager_impl.h"

#define WIREKIT_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

wirekit::ProtocolManagerImpl& theManager() {
    static wirekit::ProtocolManagerImpl manager;
    return manager;
}

} // namespace

WIREKIT_ENTRY ProtocolManager* getProtocolManager() {
    return &theManager();
}

WIREKIT_ENTRY void setCallbackDispatcher(CallbackDispatcher* dispatcher) {
    theManager().context().hub.install(dispatcher);
}

WIREKIT_ENTRY void setSiteUrl(const char* url) {
    theManager().context().settings.setSiteUrl(url ? url : "");
}

WIREKIT_ENTRY void setRequestTimeouts(long connectMs, long transferMs) {
    theManager().context().settings.setTimeouts(connectMs, transferMs);
}
