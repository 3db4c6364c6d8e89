#include "fetchkit/update_downloader.h"

#include "download_run.h"

namespace fetchkit {

UpdateDownloader::UpdateDownloader(Settings settings)
    : settings_(std::move(settings)), stop_(std::make_shared<std::atomic<bool>>(false)),
      busy_(std::make_shared<std::atomic<bool>>(false)) {}

UpdateDownloader::~UpdateDownloader() {
    *stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

bool UpdateDownloader::isBusy() {
    return *busy_;
}

void UpdateDownloader::waitUntilDone() {
    if (worker_.joinable())
        worker_.join();
}

void UpdateDownloader::fetchUpdates() {
    if (settings_.updateUrl.empty() || *busy_)
        return;
    if (worker_.joinable())
        worker_.join(); // the previous download has ended
    *busy_ = true;
    worker_ = std::thread([settings = settings_, stop = stop_, busy = busy_] {
        downloadUpdate(settings.programFolder, settings.updateUrl, *stop);
        *busy = false;
    });
}

} // namespace fetchkit
