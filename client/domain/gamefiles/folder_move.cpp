#include "gamefiles/folder_move.h"

#include "gamefolder/game_layout.h"
#include "utilkit/ufile.h"
#include "utilkit/utime.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace gamefiles {
namespace {

bool sameFile(const fs::path& a, const fs::path& b) {
    std::string first;
    std::string second;
    return ufile::ReadFileData(ufile::fromNativePath(a.native()), first) &&
           ufile::ReadFileData(ufile::fromNativePath(b.native()), second) && first == second;
}

bool sameLink(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(b, error)))
        return false;
    return fs::read_symlink(a, error) == fs::read_symlink(b, error) && !error;
}

// Whether a copy of `source` into `target` that keeps existing files would leave some file of
// `source` without an equal copy in `target`.
bool copyWouldLeaveFilesUnkept(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::recursive_directory_iterator it(source, fs::directory_options::none, error);
    if (error)
        return true;
    for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error)
            return true;
        const fs::path copy = target / it->path().lexically_relative(source);
        const fs::file_status status = it->symlink_status(error);
        const fs::file_status existing = fs::symlink_status(copy, error);
        if (!fs::exists(existing) || fs::is_directory(status))
            continue;
        if (fs::is_symlink(status) ? !sameLink(it->path(), copy)
                                   : fs::is_regular_file(status) && !sameFile(it->path(), copy))
            return true;
    }
    return false;
}

std::u16string datedName(std::u16string_view target, std::time_t now) {
    const std::u16string base =
        std::u16string(target) +
        ufile::fromNativePath(utime::formatLocalTime(now, "_%Y%m%d_%H%M%S"));
    std::u16string name = base;
    for (int n = 2; gamefolder::pathExists(name); ++n)
        name = base + u"_" + ufile::fromNativePath(std::to_string(n));
    return name;
}

} // namespace

FolderMove moveFolderAside(std::u16string_view source, std::u16string_view target,
                           std::time_t now) {
    // Without the trailing separator a linked folder is deleted as the link, not its target.
    while (source.size() > 1 && source.ends_with(u'/'))
        source.remove_suffix(1);
    while (target.size() > 1 && target.ends_with(u'/'))
        target.remove_suffix(1);
    if (!ufile::isFolder(source))
        return FolderMove::NothingToMove;
    const fs::path from(ufile::toNativePath(source));
    const fs::path to(ufile::toNativePath(target));
    const bool keepSecondCopy = ufile::isFolder(target) && copyWouldLeaveFilesUnkept(from, to);
    bool copied = ufile::CopyDirectory(source, target, false);
    if (copied && keepSecondCopy)
        copied = ufile::CopyDirectory(source, datedName(target, now), false);
    if (!copied)
        return FolderMove::CopyFailed;
    ufile::DeleteDirectory(source);
    return FolderMove::Moved;
}

} // namespace gamefiles
