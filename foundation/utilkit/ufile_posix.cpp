#include "utilkit/ufile.h"

#include "process_number.h"
#include "temporary_copy.h"
#include "utilkit/large_pages.h"
#include "utilkit/ustring.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ufile {
namespace {

bool syncFolderOf(const fs::path& file) {
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

namespace process {

long long current() {
    return ::getpid();
}

bool isRunning(long long number) {
    return ::kill(static_cast<pid_t>(number), 0) == 0 || errno != ESRCH;
}

} // namespace process

fs::path toPath(std::u16string_view path) {
    return fs::path(toNativePath(path));
}

std::u16string fromPath(const fs::path& path) {
    return fromNativePath(path.native());
}

std::string toNativePath(std::u16string_view path) {
    return ustring::toUtf8(path);
}

std::u16string fromNativePath(std::string_view path) {
    return ustring::fromUtf8(path);
}

std::u16string GetModulePathDir() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return u"./";
    std::u16string folder = fromNativePath(program.parent_path().native());
    if (folder.empty() || folder.back() != u'/')
        folder.push_back(u'/');
    return folder;
}

bool writeAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadFileData(std::u16string_view path, std::string& data) {
    const int fd = ::open(toNativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    // Read through a small buffer and appended: the string's pages are written once, by the
    // copy, where reading straight into the string would first fill it with zeros. Room for
    // the whole file, so that only a file that grows since fstat makes the string regrow.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    utilkit::adviseLargePages(bytes.data(), bytes.capacity());
    char buffer[65536];
    bool ok = true;
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!ok)
        return false;
    data = std::move(bytes);
    return true;
}

bool WriteFileData(std::u16string_view path, std::string_view data) {
    const fs::path target = toPath(path);
    const fs::path temporary(target.native() + toNativePath(temporarySuffix()));
    mode_t mode = 0666;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists)
        mode = existing.st_mode & 07777;
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : mode);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    if (ok && exists)
        ok = ::fchmod(fd, mode) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    return syncFolderOf(target);
}

} // namespace ufile
