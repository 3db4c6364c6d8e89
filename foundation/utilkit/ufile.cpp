#include "utilkit/ufile.h"

#include "utilkit/large_pages.h"
#include "utilkit/ustring.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
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

std::string temporarySuffix() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000007);
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.size() <= 10 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that wrote `candidate` as a new copy of the file `name` ("<name>.tmp<process>-
// <number>", as temporarySuffix and the compound files' replace name them); nothing for any
// other name.
std::optional<pid_t> writerOfCopy(std::string_view name, std::string_view candidate) {
    const std::string prefix = std::string(name) + ".tmp";
    if (!candidate.starts_with(prefix))
        return std::nullopt;
    const std::string_view suffix = candidate.substr(prefix.size());
    const std::size_t dash = suffix.find('-');
    if (dash == std::string_view::npos || !allDigits(suffix.substr(0, dash)) ||
        !allDigits(suffix.substr(dash + 1)))
        return std::nullopt;
    const long long process = std::stoll(std::string(suffix.substr(0, dash)));
    if (process <= 0 || process > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    return static_cast<pid_t>(process);
}

// A process of that number exists (a writer of another user's included).
bool isRunning(pid_t process) {
    return ::kill(process, 0) == 0 || errno != ESRCH;
}

} // namespace

bool isFolder(std::u16string_view path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(toNativePath(path), error);
}

void removeFile(std::u16string_view path) {
    std::error_code error;
    fs::remove(toNativePath(path), error);
}

void removeUnfinishedCopies(std::u16string_view path) {
    const fs::path file(toNativePath(path));
    const std::string name = file.filename().string();
    std::error_code error;
    fs::directory_iterator entries(file.parent_path(), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        const std::optional<pid_t> writer = writerOfCopy(name, entries->path().filename().string());
        if (writer && !isRunning(*writer) &&
            entries->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entries->path(), ignored);
    }
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

std::u16string GetFileNameFromPath(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"/\\");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
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
    const fs::path target(toNativePath(path));
    const fs::path temporary(target.native() + temporarySuffix());
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

namespace {

bool copyEntry(const fs::directory_entry& entry, const fs::path& destination, bool overwrite) {
    std::error_code error;
    const fs::file_status status = entry.symlink_status(error);
    if (error)
        return false;
    if (fs::is_directory(status)) {
        fs::create_directories(destination, error);
        return !error;
    }
    const bool present = fs::exists(fs::symlink_status(destination, error));
    if (present && !overwrite)
        return true;
    if (fs::is_symlink(status)) {
        if (present)
            fs::remove(destination, error);
        fs::copy_symlink(entry.path(), destination, error);
        return !error;
    }
    if (!fs::is_regular_file(status))
        return true; // sockets, devices and pipes are not part of a copied tree
    std::string bytes;
    if (!ReadFileData(fromNativePath(entry.path().native()), bytes))
        return false;
    if (present && fs::is_symlink(fs::symlink_status(destination, error)))
        fs::remove(destination, error); // replace the link itself, never write through it
    return WriteFileData(fromNativePath(destination.native()), bytes);
}

} // namespace

bool CopyDirectory(std::u16string_view source, std::u16string_view target, bool overwrite) {
    const fs::path from(toNativePath(source));
    const fs::path to(toNativePath(target));
    std::error_code error;
    if (!fs::is_directory(from, error))
        return false;
    fs::create_directories(to, error);
    if (!fs::is_directory(to, error))
        return false;
    bool ok = true;
    fs::recursive_directory_iterator it(from, fs::directory_options::none, error);
    if (error)
        return false;
    for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error)
            return false;
        const fs::path relative = it->path().lexically_relative(from);
        ok = copyEntry(*it, to / relative, overwrite) && ok;
    }
    return ok && !error;
}

void DeleteDirectory(std::u16string_view folder) {
    std::error_code error;
    fs::remove_all(fs::path(toNativePath(folder)), error);
}

} // namespace ufile
