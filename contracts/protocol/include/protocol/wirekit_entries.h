#pragma once

#include "protocol/callback_dispatcher.h"
#include "protocol/protocol_manager.h"

namespace protocol {

// The entries the protocol library exports with C linkage, looked up by these names.
namespace wirekit_entries {

// ProtocolManager* getProtocolManager(): the manager, created on the first call. Each call is
// matched by one releaseProtocolManager().
inline constexpr const char* kGetProtocolManager = "getProtocolManager";
using GetProtocolManagerFunction = ProtocolManager* (*)();

// void releaseProtocolManager(): gives the manager back. The last release stops the transfer
// threads: transfers under way are abandoned and the threads have ended when it returns, and
// no listener is called afterwards for requests made before. The host calls it before it
// cleans up libcurl.
inline constexpr const char* kReleaseProtocolManager = "releaseProtocolManager";
using ReleaseProtocolManagerFunction = void (*)();

// void setCallbackDispatcher(CallbackDispatcher*): installs the host's dispatcher; answers that
// arrive while none is installed wait until one is. nullptr uninstalls it again (the host does
// this before destroying its dispatcher).
inline constexpr const char* kSetCallbackDispatcher = "setCallbackDispatcher";
using SetCallbackDispatcherFunction = void (*)(CallbackDispatcher*);

// void setSiteUrl(const char*): the DKP web site's address ("http://127.0.0.1:8080"), which
// takes precedence over the environment variable WIREKIT_SITE_URL and the deployment setting
// site_url. nullptr or "" returns to those.
inline constexpr const char* kSetSiteUrl = "setSiteUrl";
using SetSiteUrlFunction = void (*)(const char*);

// void setRequestTimeouts(long connectMs, long transferMs): time limits of each request;
// values of 0 or less restore the defaults (10 s to connect, 60 s for the whole exchange).
inline constexpr const char* kSetRequestTimeouts = "setRequestTimeouts";
using SetRequestTimeoutsFunction = void (*)(long, long);

} // namespace wirekit_entries

} // namespace protocol
