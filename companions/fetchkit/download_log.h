#pragma once

#include <string>

namespace fetchkit {

// "temp/log.txt": one line per step of a download, the file rewritten whole after each line so
// that a reader always finds complete lines.
class DownloadLog {
public:
    explicit DownloadLog(std::u16string path) : path_(std::move(path)) {}

    void line(const std::string& text);

private:
    std::u16string path_;
    std::string text_;
};

} // namespace fetchkit
