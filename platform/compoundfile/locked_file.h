#pragma once

#include "compoundfile/status.h"

#include <memory>
#include <string>
#include <string_view>

namespace compoundfile {

// A file held under an exclusive advisory lock (flock) for as long as this object lives.
// Replacing its content writes a new file beside it, locks that, and renames it over the
// old one, so the lock moves with the content and a failure leaves the old file intact.
class LockedFile {
public:
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    ~LockedFile();

    // Opens and locks an existing regular file. Locked when another holder has it.
    static Status open(const std::string& path, std::unique_ptr<LockedFile>& file);
    // Creates the file with `content` and mode 0600 unless a file of that name exists.
    static Status create(const std::string& path, std::string_view content,
                         std::unique_ptr<LockedFile>& file);

    // The whole content; NotCompoundFile when it is larger than `limit`.
    Status readAll(std::string& content, std::size_t limit) const;
    // Keeps the file's permissions.
    Status replace(std::string_view content);

private:
    LockedFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

    std::string path_;
    int fd_;
};

} // namespace compoundfile
