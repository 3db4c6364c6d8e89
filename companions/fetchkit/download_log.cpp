#include "download_log.h"

#include "utilkit/ufile.h"
#include "utilkit/utime.h"

#include <ctime>

namespace fetchkit {

void DownloadLog::line(const std::string& text) {
    text_ += utime::formatLocalTime(std::time(nullptr), "%Y-%m-%d %H:%M:%S ") + text + "\n";
    ufile::WriteFileData(path_, text_);
}

} // namespace fetchkit
