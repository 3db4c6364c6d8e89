#include "download_log.h"

#include "utilkit/ufile.h"

#include <ctime>

namespace fetchkit {

void DownloadLog::line(const std::string& text) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
    text_ += stamp + text + "\n";
    ufile::WriteFileData(path_, text_);
}

} // namespace fetchkit
