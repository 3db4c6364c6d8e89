#include "compoundfile/locked_file.h"

#include "utilkit/ufile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace compoundfile {
namespace {

// A file replaced between our open and our lock is looked at afresh this many times.
constexpr int kOpenAttempts = 3;

Status statusOfErrno(int error) {
    switch (error) {
    case ENOENT:
        return Status::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return Status::AccessDenied;
    case EISDIR:
    case ELOOP:
        return Status::NotCompoundFile;
    case EWOULDBLOCK:
        return Status::Locked;
    default:
        return Status::IoError;
    }
}

bool lockExclusive(int fd) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

void syncFolderOf(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string temporaryPathBeside(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000007);
}

// Writes `content` into a new locked file beside `path`; returns its descriptor or -1.
int writeLockedTemporary(const std::string& temporary, std::string_view content, mode_t mode) {
    const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::fchmod(fd, mode) == 0 && lockExclusive(fd) && ufile::writeAll(fd, content) &&
        ::fsync(fd) == 0)
        return fd;
    const int error = errno;
    ::close(fd);
    ::unlink(temporary.c_str());
    errno = error;
    return -1;
}

bool isAccessDenied(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// The file a symbolic link at `path` finally names, or `path` itself when it is no link (or a
// dangling one, which then fails to open as a missing file).
std::string linkTarget(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

int publishWithoutReplacing(const std::string& temporary, const std::string& path) {
    return publishWithoutReplacing(temporary, path, ::link);
}

int publishWithoutReplacing(const std::string& temporary, const std::string& path,
                            LinkFunction link) {
    // A hard link never replaces a file created meanwhile, and the temporary name goes after.
    if (link(temporary.c_str(), path.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    const int error = errno;
    if (error != EPERM && error != EOPNOTSUPP && error != ENOSYS && error != EMLINK)
        return error;
    // File systems without hard links (vfat, exFAT): a rename that refuses an existing target
    // is just as safe.
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

LockedFile::~LockedFile() {
    ::close(descriptor());
}

Status LockedFile::open(const std::string& givenPath, std::unique_ptr<LockedFile>& file) {
    // A link is followed to the file it names: that file is the one replaced later, in its own
    // folder, and the link stays.
    const std::string path = linkTarget(givenPath);
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        bool writable = true;
        int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0 && isAccessDenied(errno)) {
            // What can be read is read; replacing it is then refused.
            writable = false;
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        }
        if (fd < 0)
            return statusOfErrno(errno);
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return Status::NotCompoundFile;
        }
        if (!lockExclusive(fd)) {
            const Status status = statusOfErrno(errno);
            ::close(fd);
            return status;
        }
        // The holder before us may have renamed a new file over the one we opened.
        struct stat current {};
        if (::stat(path.c_str(), &current) == 0 && sameFile(opened, current)) {
            file.reset(new LockedFile(path, fd, writable));
            return Status::Ok;
        }
        ::close(fd);
    }
    return Status::Locked;
}

Status LockedFile::create(const std::string& path, std::string_view content,
                          std::unique_ptr<LockedFile>& file) {
    const std::string temporary = temporaryPathBeside(path);
    const int fd = writeLockedTemporary(temporary, content, 0600);
    if (fd < 0)
        return statusOfErrno(errno);
    const int error = publishWithoutReplacing(temporary, path);
    if (error != 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return error == EEXIST ? Status::AlreadyExists : statusOfErrno(error);
    }
    syncFolderOf(path);
    file.reset(new LockedFile(path, fd));
    return Status::Ok;
}

Status LockedFile::readAll(std::string& content, std::size_t limit) const {
    struct stat info {};
    if (::fstat(descriptor(), &info) != 0)
        return Status::IoError;
    if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > limit)
        return Status::NotCompoundFile;
    content.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::pread(descriptor(), content.data() + done, content.size() - done,
                                  static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Status::IoError;
        done += static_cast<std::size_t>(n);
    }
    return Status::Ok;
}

Status LockedFile::replace(std::string_view content) {
    if (!writable_)
        return Status::AccessDenied;
    struct stat info {};
    if (::fstat(descriptor(), &info) != 0)
        return Status::IoError;
    const std::string temporary = temporaryPathBeside(path_);
    const int fd = writeLockedTemporary(temporary, content, info.st_mode & 07777);
    if (fd < 0)
        return statusOfErrno(errno);
    if (::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return statusOfErrno(error);
    }
    syncFolderOf(path_);
    ::close(descriptor());
    file_ = fd;
    return Status::Ok;
}

} // namespace compoundfile
