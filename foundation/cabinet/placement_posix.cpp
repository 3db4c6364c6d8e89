#include "placement.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace cabinet {
namespace {

constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kExecuteBits = 0111;
constexpr mode_t kWriteBits = 0222;

bool isInside(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    const fs::path real = fs::canonical(path, error);
    if (error)
        return false;
    const fs::path relative = real.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// The folder where the target's missing levels or the target itself are created must let us
// write into it.
bool checkWritable(const fs::path& folder, const fs::path& target, std::string& error) {
    if (::access(folder.c_str(), W_OK | X_OK) == 0)
        return true;
    error = "\"" + target.string() + "\": \"" + folder.string() +
            "\" cannot be written into: " + std::strerror(errno);
    return false;
}

// Every existing folder level of the target must be a folder inside the destination, and the
// deepest one must be writable.
bool checkFolderLevels(const fs::path& realDestination, const fs::path& destination,
                       const fs::path& target, std::string& error) {
    fs::path level = destination;
    fs::path deepest = destination;
    for (const fs::path& component : target.parent_path()) {
        level /= component;
        const std::string shown = "\"" + target.string() + "\": \"" + level.string() + "\"";
        struct stat info {};
        if (::lstat(level.c_str(), &info) != 0) {
            if (errno == ENOENT)
                break; // this level and the ones below it will be created
            error = shown + " cannot be examined: " + std::strerror(errno);
            return false;
        }
        deepest = level;
        if (S_ISDIR(info.st_mode))
            continue;
        if (!S_ISLNK(info.st_mode)) {
            error = shown + " is in the way and not a folder";
            return false;
        }
        std::error_code unresolved;
        const bool folder = fs::is_directory(level, unresolved);
        if (unresolved) {
            error = shown + " cannot be followed: " + unresolved.message();
            return false;
        }
        if (!folder || !isInside(level, realDestination)) {
            error = shown + " leads outside the destination";
            return false;
        }
    }
    return checkWritable(deepest, target, error);
}

// Stored names may grow when they become UTF-8 (two ANSI bytes can make three): a folder level
// or file name the file system cannot hold would only fail once earlier levels were created.
bool checkNameLengths(const fs::path& destination, const fs::path& target, std::string& error) {
    const long nameMax = ::pathconf(destination.c_str(), _PC_NAME_MAX);
    const std::size_t longestName = nameMax > 0 ? static_cast<std::size_t>(nameMax) : NAME_MAX;
    for (const fs::path& component : target) {
        if (component.native().size() > longestName) {
            error = "\"" + target.string() + "\": a name is too long for the file system";
            return false;
        }
    }
    if ((destination / target).native().size() >= PATH_MAX) {
        error = "\"" + target.string() + "\": the path is too long for the file system";
        return false;
    }
    return true;
}

bool checkTarget(const fs::path& path, const fs::path& target, std::string& error) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return true;
        error = "\"" + target.string() + "\" cannot be examined: " + std::strerror(errno);
        return false;
    }
    if (S_ISLNK(info.st_mode))
        return true;
    if (!S_ISREG(info.st_mode)) {
        error = "\"" + target.string() + "\" exists and is not a plain file";
        return false;
    }
    if ((info.st_mode & S_IWUSR) == 0) {
        error = "\"" + target.string() + "\" is read-only";
        return false;
    }
    return true;
}

bool createFolderLevels(const fs::path& destination, const fs::path& target) {
    fs::path level = destination;
    for (const fs::path& component : target.parent_path()) {
        level /= component;
        std::error_code unresolved;
        if (::mkdir(level.c_str(), 0755) != 0 &&
            !(errno == EEXIST && fs::is_directory(level, unresolved)))
            return false;
    }
    return true;
}

mode_t modeFor(const StagedFile& file, const fs::path& path) {
    struct stat existing {};
    mode_t mode = kNewFileMode | (file.executable ? kExecuteBits : 0);
    if (::lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        mode = existing.st_mode & 0777;
    return file.readOnly ? mode & ~kWriteBits : mode;
}

bool applyModeAndTime(const fs::path& staged, mode_t mode, std::optional<std::int64_t> modified) {
    if (::chmod(staged.c_str(), mode) != 0)
        return false;
    if (!modified)
        return true;
    const struct timespec times[2] = {{static_cast<time_t>(*modified), 0},
                                      {static_cast<time_t>(*modified), 0}};
    return ::utimensat(AT_FDCWD, staged.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

// Renames the staged file over the target; across file systems it is copied beside the target
// first so that the target is still replaced in one step.
bool moveIntoPlace(const fs::path& staged, const fs::path& path) {
    if (::rename(staged.c_str(), path.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    const fs::path beside = path.string() + ".cabpart";
    std::error_code error;
    fs::remove(beside, error);
    fs::copy_file(staged, beside, error);
    if (error)
        return false;
    struct stat info {};
    ::stat(staged.c_str(), &info);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::utimensat(AT_FDCWD, beside.c_str(), times, AT_SYMLINK_NOFOLLOW);
    ::chmod(beside.c_str(), info.st_mode & 0777);
    if (::rename(beside.c_str(), path.c_str()) == 0)
        return true;
    fs::remove(beside, error);
    return false;
}

} // namespace

bool placeStagedFiles(const fs::path& destination, const std::vector<StagedFile>& files,
                      std::string& error) {
    std::error_code failure;
    const fs::path realDestination = fs::canonical(destination, failure);
    if (failure) {
        error = "the destination \"" + destination.string() + "\" is not a folder";
        return false;
    }
    if (!checkTargetsAgree(files, false, error))
        return false;
    for (const StagedFile& file : files) {
        if (!checkNameLengths(destination, file.target, error) ||
            !checkFolderLevels(realDestination, destination, file.target, error) ||
            !checkTarget(destination / file.target, file.target, error))
            return false;
    }
    for (const StagedFile& file : files) {
        const fs::path path = destination / file.target;
        if (!createFolderLevels(destination, file.target)) {
            error = "cannot create the folders of \"" + file.target.string() + "\"";
            return false;
        }
        if (!applyModeAndTime(file.staged, modeFor(file, path), file.modified) ||
            !moveIntoPlace(file.staged, path)) {
            error = "cannot write \"" + file.target.string() + "\"";
            return false;
        }
    }
    return true;
}

} // namespace cabinet
