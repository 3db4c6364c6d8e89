#include "fetchkit/fetchkit.h"

#include "fetchkit/update_downloader.h"

#include "utilkit/ufile.h"
#include "utilkit/usettings.h"

#include <mutex>

namespace {

std::mutex instanceMutex;
fetchkit::UpdateDownloader* instance = nullptr;

} // namespace

extern "C" fetchkit::Downloader* GetDownloader() {
    std::lock_guard lock(instanceMutex);
    if (!instance)
        instance = new fetchkit::UpdateDownloader(
            {ufile::GetModulePathDir(), usettings::loadDeployment().updateUrl});
    return instance;
}

extern "C" void ReleaseDownloader() {
    fetchkit::UpdateDownloader* released = nullptr;
    {
        std::lock_guard lock(instanceMutex);
        released = instance;
        instance = nullptr;
    }
    delete released;
}
