#include "savekeep/backup_store.h"

#include "utilkit/ufile.h"
#include "utilkit/utime.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <tuple>

namespace fs = std::filesystem;

namespace savekeep {
namespace {

constexpr std::string_view kPrefix = "TALLYRA_";
constexpr std::string_view kSuffix = ".lua";

// Where a backup file stands among its account's backups: its date, its time, its sequence.
using Order = std::tuple<unsigned long, unsigned long, unsigned long>;

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The order of a file named "TALLYRA_20070608_200000.lua" or "TALLYRA_20070608_200000_2.lua";
// nothing for any other name.
std::optional<Order> orderOf(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix))
        return std::nullopt;
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (name.size() < 15 || name[8] != '_')
        return std::nullopt;
    const std::string_view date = name.substr(0, 8);
    const std::string_view time = name.substr(9, 6);
    std::string_view sequence = "1";
    if (name.size() > 15) {
        if (name[15] != '_')
            return std::nullopt;
        sequence = name.substr(16);
    }
    if (!allDigits(date) || !allDigits(time) || !allDigits(sequence) || sequence.size() > 6)
        return std::nullopt;
    return Order{std::stoul(std::string(date)), std::stoul(std::string(time)),
                 std::stoul(std::string(sequence))};
}

bool exists(const std::u16string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(ufile::toNativePath(path), error));
}

} // namespace

BackupStore::BackupStore(std::u16string backupFolder, std::size_t maxPerAccount)
    : backupFolder_(std::move(backupFolder)),
      maxPerAccount_(std::max<std::size_t>(maxPerAccount, 1)) {
    if (!backupFolder_.empty() && backupFolder_.back() != u'/')
        backupFolder_.push_back(u'/');
}

std::u16string BackupStore::accountFolder(std::u16string_view account) const {
    return backupFolder_ + std::u16string(account) + u"/";
}

std::vector<std::u16string> BackupStore::files(std::u16string_view account) const {
    std::vector<std::pair<Order, std::u16string>> found;
    const std::u16string folder = accountFolder(account);
    std::error_code error;
    fs::directory_iterator it(ufile::toNativePath(folder), error);
    if (error)
        return {};
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        if (!it->is_regular_file(error))
            continue;
        const std::string name = it->path().filename().native();
        if (const auto order = orderOf(name))
            found.emplace_back(*order, folder + ufile::fromNativePath(name));
    }
    std::sort(found.begin(), found.end());
    std::vector<std::u16string> paths;
    for (auto& entry : found)
        paths.push_back(std::move(entry.second));
    return paths;
}

std::vector<BackupRecord> BackupStore::records() const {
    std::vector<BackupRecord> records;
    std::error_code error;
    fs::directory_iterator it(ufile::toNativePath(backupFolder_), error);
    if (error)
        return records;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        if (!it->is_directory(error))
            continue;
        BackupRecord record{ufile::fromNativePath(it->path().filename().native()), {}};
        record.files = files(record.account);
        if (!record.files.empty())
            records.push_back(std::move(record));
    }
    std::sort(records.begin(), records.end(),
              [](const auto& a, const auto& b) { return a.account < b.account; });
    return records;
}

bool BackupStore::keep(std::u16string_view account, std::string_view data, std::time_t now) const {
    if (backupFolder_.empty() || account.empty())
        return false;
    const std::vector<std::u16string> existing = files(account);
    std::string newest;
    if (!existing.empty() && ufile::ReadFileData(existing.back(), newest) && newest == data)
        return true;
    const std::u16string folder = accountFolder(account);
    std::error_code error;
    fs::create_directories(ufile::toNativePath(folder), error);
    const std::string stamp = utime::formatLocalTime(now, "%Y%m%d_%H%M%S");
    const std::u16string stem = folder + ufile::fromNativePath(std::string(kPrefix) + stamp);
    // A copy within the same second follows every copy of that second, including those whose
    // earlier siblings were already dropped.
    unsigned long sequence = 1;
    const auto stampOrder = orderOf(std::string(kPrefix) + stamp + std::string(kSuffix));
    for (const auto& file : existing) {
        const auto order = orderOf(ufile::toNativePath(ufile::GetFileNameFromPath(file)));
        if (order && stampOrder && std::get<0>(*order) == std::get<0>(*stampOrder) &&
            std::get<1>(*order) == std::get<1>(*stampOrder))
            sequence = std::max(sequence, std::get<2>(*order) + 1);
    }
    auto pathOf = [&](unsigned long n) {
        return n == 1 ? stem + u".lua"
                      : stem + ufile::fromNativePath("_" + std::to_string(n)) + u".lua";
    };
    while (exists(pathOf(sequence)))
        ++sequence;
    const std::u16string path = pathOf(sequence);
    if (!ufile::WriteFileData(path, data))
        return false;
    dropBeyondBound(account);
    return true;
}

void BackupStore::dropBeyondBound(std::u16string_view account) const {
    const std::vector<std::u16string> existing = files(account);
    for (std::size_t i = 0; i + maxPerAccount_ < existing.size(); ++i) {
        std::error_code error;
        fs::remove(ufile::toNativePath(existing[i]), error);
    }
}

} // namespace savekeep
