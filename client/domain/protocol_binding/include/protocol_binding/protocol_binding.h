#pragma once

#include "protocol/callback_dispatcher.h"
#include "protocol/protocol_manager.h"

#include <string>
#include <vector>

namespace protocol_binding {

// The file name of the protocol library `wirekit`.
inline constexpr const char* kWirekitFileName = "libwirekit.so";

// Where the protocol library is looked for, in order: the program folder, the "../lib" folder
// beside it (the build tree's layout), and finally the bare file name, which the system's
// library search path resolves. `programFolder` ends in "/".
std::vector<std::string> wirekitCandidates(const std::string& programFolder);

// Loads the protocol library once, keeps its manager for the whole run and unloads it when
// destroyed, giving the manager back first.
class ProtocolBinding {
public:
    ProtocolBinding() = default;
    ~ProtocolBinding();
    ProtocolBinding(const ProtocolBinding&) = delete;
    ProtocolBinding& operator=(const ProtocolBinding&) = delete;

    // Binds the library from the candidates of the running program's folder. See bindFrom.
    bool bind(std::u16string& error);
    // Loads the first candidate that loads, looks up "getProtocolManager",
    // "releaseProtocolManager" and "setCallbackDispatcher" and calls the first once. Does nothing
    // and succeeds when already bound. On failure nothing stays loaded and `error` holds a message
    // for the user.
    bool bindFrom(const std::vector<std::string>& candidates, std::u16string& error);
    bool isBound() const { return manager_ != nullptr; }
    protocol::ProtocolManager* manager() const { return manager_; }

    // Installs the dispatcher that carries listener calls onto the user-interface thread; the
    // dispatcher must outlive the binding or be replaced by nullptr first.
    void installDispatcher(protocol::CallbackDispatcher* dispatcher);
    // Points the library at a DKP web site other than the deployment setting; "" restores it.
    void setSiteUrl(const std::string& url);
    // Request time limits in milliseconds; 0 restores the library's defaults.
    void setRequestTimeouts(long connectMs, long transferMs);

    // Gives the manager back, which stops the library's transfer threads (no listener is called
    // afterwards), uninstalls the dispatcher and unloads the library.
    void unbind();

private:
    void* handle_ = nullptr;
    protocol::ProtocolManager* manager_ = nullptr;
    void (*setDispatcher_)(protocol::CallbackDispatcher*) = nullptr;
    void (*releaseManager_)() = nullptr;
    bool dispatcherInstalled_ = false;
};

} // namespace protocol_binding
