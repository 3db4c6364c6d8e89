#pragma once

#include "compoundfile/status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace compoundfile {

// A file held under an exclusive lock for as long as this object lives: an advisory lock (flock)
// on Linux, a handle that shares the file with no other reader or writer on Windows. Paths are
// the system's own (UTF-8 bytes on Linux, UTF-8 text on Windows).
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
    // `file`: the descriptor on Linux, the handle on Windows.
    LockedFile(std::string path, std::intptr_t file, bool writable = true)
        : path_(std::move(path)), file_(file), writable_(writable) {}

    int descriptor() const { return static_cast<int>(file_); }

    std::string path_;
    std::intptr_t file_;
    bool writable_;
};

using LinkFunction = int (*)(const char* from, const char* to);

// Gives the written file `temporary` the name `path` unless a file of that name exists: 0, or
// the errno of the failure (EEXIST for an existing file). On Linux tries a hard link first
// (`link`, ::link unless a test gives another), and a rename that refuses to replace where the
// file system has no hard links; on Windows renames without replacing.
int publishWithoutReplacing(const std::string& temporary, const std::string& path);
int publishWithoutReplacing(const std::string& temporary, const std::string& path,
                            LinkFunction link);

} // namespace compoundfile
