#pragma once

#include "compoundfile/status.h"

#include <memory>
#include <string>
#include <string_view>

#include <unistd.h>

namespace compoundfile {

// A file held under an exclusive advisory lock (flock) for as long as this object lives.
// Replacing its content writes a new file beside it, locks that, and renames it over the
// old one, so the lock moves with the content and a failure leaves the old file intact.
class LockedFile {
public:
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    ~LockedFile();

    // Opens and locks an existing regular file. Locked when another holder has it. A file that
    // may be read but not written opens for reading; replacing it is then AccessDenied. A
    // symbolic link opens the file it names, and replacing writes beside that file.
    static Status open(const std::string& path, std::unique_ptr<LockedFile>& file);
    // Creates the file with `content` and mode 0600 unless a file of that name exists.
    static Status create(const std::string& path, std::string_view content,
                         std::unique_ptr<LockedFile>& file);

    // The whole content; NotCompoundFile when it is larger than `limit`.
    Status readAll(std::string& content, std::size_t limit) const;
    // Keeps the file's permissions.
    Status replace(std::string_view content);

private:
    LockedFile(std::string path, int fd, bool writable = true)
        : path_(std::move(path)), fd_(fd), writable_(writable) {}

    std::string path_;
    int fd_;
    bool writable_;
};

using LinkFunction = int (*)(const char* from, const char* to);

// Gives the written file `temporary` the name `path` unless a file of that name exists: 0, or
// the errno of the failure (EEXIST for an existing file). Tries a hard link first, and a rename
// that refuses to replace where the file system has no hard links.
int publishWithoutReplacing(const std::string& temporary, const std::string& path,
                            LinkFunction link = ::link);

} // namespace compoundfile
