#include "utilkit/ufile.h"

#include "process_number.h"
#include "temporary_copy.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace ufile {
namespace {

bool allDigits(std::u16string_view text) {
    return !text.empty() && text.size() <= 10 &&
           text.find_first_not_of(u"0123456789") == std::u16string_view::npos;
}

long long decimal(std::u16string_view digits) {
    long long value = 0;
    for (const char16_t digit : digits)
        value = value * 10 + (digit - u'0');
    return value;
}

// The process that wrote `candidate` as a new copy of the file `name` ("<name>.tmp<process>-
// <number>", as temporarySuffix and the compound files' replace name them); nothing for any
// other name.
std::optional<long long> writerOfCopy(std::u16string_view name, std::u16string_view candidate) {
    const std::u16string prefix = std::u16string(name) + u".tmp";
    if (!candidate.starts_with(prefix))
        return std::nullopt;
    const std::u16string_view suffix = candidate.substr(prefix.size());
    const std::size_t dash = suffix.find(u'-');
    if (dash == std::u16string_view::npos || !allDigits(suffix.substr(0, dash)) ||
        !allDigits(suffix.substr(dash + 1)))
        return std::nullopt;
    const long long writer = decimal(suffix.substr(0, dash));
    if (writer <= 0 || writer > std::numeric_limits<int>::max())
        return std::nullopt;
    return writer;
}

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
    if (!ReadFileData(fromPath(entry.path()), bytes))
        return false;
    if (present && fs::is_symlink(fs::symlink_status(destination, error)))
        fs::remove(destination, error); // replace the link itself, never write through it
    return WriteFileData(fromPath(destination), bytes);
}

} // namespace

std::u16string temporarySuffix() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const std::string suffix =
        ".tmp" + std::to_string(process::current()) + "-" + std::to_string(random() % 1000000007);
    return std::u16string(suffix.begin(), suffix.end());
}

bool isFolder(std::u16string_view path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(toPath(path), error);
}

void removeFile(std::u16string_view path) {
    std::error_code error;
    fs::remove(toPath(path), error);
}

void removeUnfinishedCopies(std::u16string_view path) {
    const fs::path file = toPath(path);
    const std::u16string name = fromPath(file.filename());
    std::error_code error;
    fs::directory_iterator entries(file.parent_path(), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        const std::optional<long long> writer =
            writerOfCopy(name, fromPath(entries->path().filename()));
        if (writer && !process::isRunning(*writer) &&
            entries->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entries->path(), ignored);
    }
}

std::u16string GetFileNameFromPath(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"/\\");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

bool CopyDirectory(std::u16string_view source, std::u16string_view target, bool overwrite) {
    const fs::path from = toPath(source);
    const fs::path to = toPath(target);
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
    fs::remove_all(toPath(folder), error);
}

} // namespace ufile
