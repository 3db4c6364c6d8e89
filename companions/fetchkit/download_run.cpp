#include "download_run.h"

#include "address.h"
#include "download_log.h"
#include "http_fetch.h"

#include "updater/pack_list_file.h"
#include "updater/pack_lists.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

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

std::string shown(const updater::Pack& pack) {
    return "\"" + ustring::toUtf8(pack.name) + "\" version " + std::to_string(pack.ver);
}

// A package whose cabinet is already in "temp" with the right digest is not fetched again.
bool alreadyThere(const updater::UpdateFolder& folder, const updater::Pack& pack) {
    std::string bytes;
    return ufile::ReadFileData(folder.cabinet(pack.name), bytes) && digestMatches(bytes, pack.md5);
}

class DownloadRun {
public:
    DownloadRun(const std::u16string& programFolder, const std::string& updateUrl,
                const std::atomic<bool>& stop)
        : folder_(programFolder), updateUrl_(updateUrl), stop_(stop), log_(folder_.downloadLog()) {}

    void perform() {
        if (updater::isDownloadComplete(folder_) && !updater::pendingPacks(folder_).empty())
            return; // the updater has not installed the last download yet
        std::error_code error;
        std::filesystem::create_directories(ufile::toNativePath(folder_.tempFolder()), error);
        log_.line("Fetching the update list " + updateUrl_);
        const FetchResult manifest = httpGet(updateUrl_, stop_, kMaxManifestBytes);
        updater::PackList listed;
        if (!manifest.ok || !updater::parsePackList(manifest.body, listed)) {
            log_.line("The update list cannot be used: " +
                      (manifest.ok ? std::string("it is not a package list") : manifest.error));
            return;
        }
        updater::PackList local;
        updater::readPackList(folder_.localVersions(), local);
        const updater::PackList needed = updater::difference(listed, local);
        if (needed.empty()) {
            log_.line("Everything is up to date.");
            return;
        }
        updater::writePackList(folder_.downloadState(), needed, std::string(kFlagIncomplete));
        const bool complete = fetchAll(needed);
        updater::writePackList(folder_.downloadState(), needed,
                               std::string(complete ? kFlagComplete : kFlagIncomplete));
        log_.line(complete ? "The download is complete." : "The download is not complete.");
    }

private:
    bool fetchAll(const updater::PackList& packs) {
        bool complete = true;
        for (const updater::Pack& pack : packs) {
            if (stop_)
                return false;
            complete = fetchOne(pack) && complete;
        }
        return complete;
    }

    bool fetchOne(const updater::Pack& pack) {
        if (!updater::isSafePackName(pack.name)) {
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

    const updater::UpdateFolder folder_;
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
