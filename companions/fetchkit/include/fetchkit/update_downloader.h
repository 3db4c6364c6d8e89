#pragma once

#include "fetchkit/downloader.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace fetchkit {

// Downloads an update into the program folder's "temp": each package is checked against its
// `md5` before it is kept as "temp/<name>.cab"; "temp/log.txt" records the steps and
// "temp/dlstate.xml" gets `flag="ok"` only when every package is there and verified.
class UpdateDownloader final : public Downloader {
public:
    struct Settings {
        std::u16string programFolder;
        std::string updateUrl; // the manifest's address; empty: no updates
    };

    explicit UpdateDownloader(Settings settings);
    ~UpdateDownloader();
    UpdateDownloader(const UpdateDownloader&) = delete;
    UpdateDownloader& operator=(const UpdateDownloader&) = delete;

    bool isBusy() override;
    void waitUntilDone() override;
    void fetchUpdates() override;

private:
    Settings settings_;
    std::shared_ptr<std::atomic<bool>> stop_;
    std::shared_ptr<std::atomic<bool>> busy_;
    std::thread worker_;
};

} // namespace fetchkit
