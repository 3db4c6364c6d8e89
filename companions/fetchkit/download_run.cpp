#include "download_run.h"

#include "address.h"
#include "download_log.h"
#include "http_fetch.h"

#include "packlist/pack_list_file.h"
#include "packlist/pack_lists.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <filesystem>

namespace fetchkit {
namespace {

constexpr std::size_t kMaxManifestBytes = 1 << 20;
constexpr std::size_t kMaxPackageBytes = std::size_t{512} << 20;
constexpr const char* kFlagComplete = "ok";
constexpr const char* kFlagIncomplete = "incomplete";

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool digestMatches(const std::string& bytes, const std::string& md5) {
    return !md5.empty() && encrypt::MD5(bytes) == lowerCase(md5);
}

std::string shown(const packlist::Pack& pack) {
    return "\"" + ustring::toUtf8(pack.name) + "\" version " + std::to_string(pack.ver);
}

// A complete earlier download whose packages are not all installed yet, with the cabinets of
// those still in "temp": the updater installs it at this start, so it stays as it is. Without
// its cabinets it could never be installed, and it is downloaded again.
bool awaitsInstallation(const packlist::UpdateFolder& folder) {
    if (!packlist::isDownloadComplete(folder))
        return false;
    packlist::PackList installed;
    packlist::readPackList(folder.installedList(), installed);
    const packlist::PackList waiting =
        packlist::difference(packlist::pendingPacks(folder), installed);
    return !waiting.empty() && std::all_of(waiting.begin(), waiting.end(), [&](const auto& pack) {
        return std::filesystem::exists(ufile::toNativePath(folder.cabinet(pack.name)));
    });
}

std::string sharedCabinet(const std::pair<std::u16string, std::u16string>& names) {
    return "the packages \"" + ustring::toUtf8(names.first) + "\" and \"" +
           ustring::toUtf8(names.second) +
           "\" differ only in bytes that are no GBK text and would share one cabinet file.";
}

// One cabinet file per name: when the list names a package more than once, its last record
// counts, since every record of that name would be fetched into the same "temp/<name>.cab".
packlist::PackList lastRecordOfEachName(const packlist::PackList& packs) {
    packlist::PackList result;
    for (auto it = packs.rbegin(); it != packs.rend(); ++it) {
        const bool later = std::any_of(result.begin(), result.end(),
                                       [&](const auto& kept) { return kept.name == it->name; });
        if (!later)
            result.insert(result.begin(), *it);
    }
    return result;
}

// A package whose cabinet is already in "temp" with the right digest is not fetched again.
bool alreadyThere(const packlist::UpdateFolder& folder, const packlist::Pack& pack) {
    std::string bytes;
    return ufile::ReadFileData(folder.cabinet(pack.name), bytes) && digestMatches(bytes, pack.md5);
}

class DownloadRun {
public:
    DownloadRun(const std::u16string& programFolder, const std::string& updateUrl,
                const std::atomic<bool>& stop)
        : folder_(programFolder), updateUrl_(updateUrl), stop_(stop), log_(folder_.downloadLog()) {}

    void perform() {
        if (awaitsInstallation(folder_))
            return;
        std::error_code error;
        std::filesystem::create_directories(ufile::toNativePath(folder_.tempFolder()), error);
        log_.line("Fetching the update list " + updateUrl_);
        const FetchResult manifest = httpGet(updateUrl_, stop_, kMaxManifestBytes);
        packlist::PackList listed;
        if (!manifest.ok || !packlist::parsePackList(manifest.body, listed)) {
            log_.line("The update list cannot be used: " +
                      (manifest.ok ? std::string("it is not a package list") : manifest.error));
            return;
        }
        const packlist::PackList latest = lastRecordOfEachName(listed);
        if (const auto clash = packlist::namesSharingACabinet(folder_, latest)) {
            log_.line("The update list cannot be used: " + sharedCabinet(*clash));
            return;
        }
        packlist::PackList local;
        packlist::readPackList(folder_.localVersions(), local);
        const packlist::PackList needed = packlist::difference(latest, local);
        if (needed.empty()) {
            log_.line("Everything is up to date.");
            return;
        }
        packlist::writePackList(folder_.downloadState(), needed, std::string(kFlagIncomplete));
        const bool complete = fetchAll(needed);
        packlist::writePackList(folder_.downloadState(), needed,
                                std::string(complete ? kFlagComplete : kFlagIncomplete));
        log_.line(complete ? "The download is complete." : "The download is not complete.");
    }

private:
    bool fetchAll(const packlist::PackList& packs) {
        bool complete = true;
        for (const packlist::Pack& pack : packs) {
            if (stop_)
                return false;
            complete = fetchOne(pack) && complete;
        }
        return complete;
    }

    bool fetchOne(const packlist::Pack& pack) {
        if (!packlist::isSafePackName(pack.name)) {
            log_.line("Refused package " + shown(pack) + ": its name is not a plain file name.");
            return false;
        }
        if (alreadyThere(folder_, pack)) {
            log_.line("Package " + shown(pack) + " is already downloaded.");
            return true;
        }
        const std::string address =
            packageAddress(updateUrl_, ustring::toNarrowString(pack.url, ustring::kAnsiCodePage),
                           ustring::toUtf8(pack.name));
        const FetchResult fetched = httpGet(address, stop_, kMaxPackageBytes);
        if (!fetched.ok) {
            log_.line("Package " + shown(pack) + " failed: " + fetched.error);
            return false;
        }
        if (!digestMatches(fetched.body, pack.md5)) {
            log_.line("Package " + shown(pack) + " does not match its md5 \"" + pack.md5 +
                      "\"; it is not kept.");
            return false;
        }
        if (!ufile::WriteFileData(folder_.cabinet(pack.name), fetched.body)) {
            log_.line("Package " + shown(pack) + " cannot be written to " +
                      ufile::toNativePath(folder_.cabinet(pack.name)));
            return false;
        }
        log_.line("Package " + shown(pack) + " downloaded (" + std::to_string(fetched.body.size()) +
                  " bytes, md5 verified).");
        return true;
    }

    const packlist::UpdateFolder folder_;
    const std::string updateUrl_;
    const std::atomic<bool>& stop_;
    DownloadLog log_;
};

} // namespace

void downloadUpdate(const std::u16string& programFolder, const std::string& updateUrl,
                    const std::atomic<bool>& stop) {
    DownloadRun(programFolder, updateUrl, stop).perform();
}

} // namespace fetchkit
