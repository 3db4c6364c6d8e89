#include "protocol_binding/protocol_binding.h"

#include "protocol/wirekit_entries.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <dlfcn.h>

namespace protocol_binding {

namespace {

std::string lastLoaderError() {
    const char* text = dlerror();
    return text ? text : "";
}

} // namespace

std::vector<std::string> wirekitCandidates(const std::string& programFolder) {
    std::vector<std::string> candidates;
    if (!programFolder.empty()) {
        candidates.push_back(programFolder + kWirekitFileName);
        candidates.push_back(programFolder + "../lib/" + kWirekitFileName);
    }
    candidates.push_back(kWirekitFileName);
    return candidates;
}

ProtocolBinding::~ProtocolBinding() {
    unbind();
}

bool ProtocolBinding::bind(std::u16string& error) {
    return bindFrom(wirekitCandidates(ufile::toNativePath(ufile::GetModulePathDir())), error);
}

bool ProtocolBinding::bindFrom(const std::vector<std::string>& candidates, std::u16string& error) {
    if (isBound())
        return true;
    // The library is never unmapped: answers it posted may still sit in the host's event queue
    // when the host lets go of it.
    const int mode = RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE;
    std::string loaderError;
    for (const std::string& path : candidates) {
        // A bare file name goes through the system's search; a path is only tried when present.
        handle_ = dlopen(path.c_str(), mode);
        if (handle_)
            break;
        loaderError = lastLoaderError();
    }
    if (!handle_) {
        error = u"无法加载网络协议库 wirekit（" + ustring::fromUtf8(loaderError) +
                u"），程序无法运行。";
        return false;
    }
    auto getManager = reinterpret_cast<protocol::wirekit_entries::GetProtocolManagerFunction>(
        dlsym(handle_, protocol::wirekit_entries::kGetProtocolManager));
    setDispatcher_ = reinterpret_cast<protocol::wirekit_entries::SetCallbackDispatcherFunction>(
        dlsym(handle_, protocol::wirekit_entries::kSetCallbackDispatcher));
    auto releaseManager =
        reinterpret_cast<protocol::wirekit_entries::ReleaseProtocolManagerFunction>(
            dlsym(handle_, protocol::wirekit_entries::kReleaseProtocolManager));
    if (!getManager || !releaseManager || !setDispatcher_) {
        const char* missing = !getManager       ? protocol::wirekit_entries::kGetProtocolManager
                              : !releaseManager ? protocol::wirekit_entries::kReleaseProtocolManager
                                                : protocol::wirekit_entries::kSetCallbackDispatcher;
        error = u"网络协议库 wirekit 缺少入口 " + ustring::fromUtf8(missing) + u"，程序无法运行。";
        unbind();
        return false;
    }
    manager_ = getManager();
    releaseManager_ = releaseManager;
    if (!manager_) {
        error = u"网络协议库 wirekit 未能提供协议服务，程序无法运行。";
        unbind();
        return false;
    }
    return true;
}

void ProtocolBinding::installDispatcher(protocol::CallbackDispatcher* dispatcher) {
    if (!setDispatcher_)
        return;
    setDispatcher_(dispatcher);
    dispatcherInstalled_ = dispatcher != nullptr;
}

void ProtocolBinding::setSiteUrl(const std::string& url) {
    if (!handle_)
        return;
    auto setter = reinterpret_cast<protocol::wirekit_entries::SetSiteUrlFunction>(
        dlsym(handle_, protocol::wirekit_entries::kSetSiteUrl));
    if (setter)
        setter(url.c_str());
}

void ProtocolBinding::setRequestTimeouts(long connectMs, long transferMs) {
    if (!handle_)
        return;
    auto setter = reinterpret_cast<protocol::wirekit_entries::SetRequestTimeoutsFunction>(
        dlsym(handle_, protocol::wirekit_entries::kSetRequestTimeouts));
    if (setter)
        setter(connectMs, transferMs);
}

void ProtocolBinding::unbind() {
    if (manager_ && releaseManager_)
        releaseManager_();
    releaseManager_ = nullptr;
    if (dispatcherInstalled_ && setDispatcher_)
        setDispatcher_(nullptr);
    dispatcherInstalled_ = false;
    setDispatcher_ = nullptr;
    manager_ = nullptr;
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
}

} // namespace protocol_binding
