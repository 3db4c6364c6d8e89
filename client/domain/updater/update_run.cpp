#include "packlist/pack_lists.h"
#include "updater/installed_record.h"
#include "updater/leftovers.h"
#include "updater/run_state.h"

#include "cabinet/extract.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <exception>

namespace updater {
namespace {

constexpr int kAttemptsPerPackage = 3;

cabinet::ExtractResult extractPack(const PackageInstaller::RunState& state,
                                   const packlist::Pack& pack) {
    if (!packlist::isSafePackName(pack.name))
        return {false,
                "the package name \"" + ustring::toUtf8(pack.name) + "\" is not a plain file name"};
    // The extraction reports its file-system errors itself; anything thrown all the same fails
    // this package rather than ending the program at every start.
    try {
        return cabinet::extract(cabinet::ExtractRequest{state.folder.cabinet(pack.name),
                                                        state.folder.programFolder(),
                                                        state.folder.tempFolder(), &state.stop});
    } catch (const std::exception& thrown) {
        return {false, "the package \"" + ustring::toUtf8(pack.name) +
                           "\" cannot be installed: " + thrown.what()};
    }
}

// Up to three attempts, each failure followed by the retry pause. False when all failed or the
// installer is being released.
bool installWithRetries(PackageInstaller::RunState& state, const packlist::Pack& pack) {
    for (int attempt = 1; attempt <= kAttemptsPerPackage; ++attempt) {
        const cabinet::ExtractResult result = extractPack(state, pack);
        if (result)
            return true;
        {
            std::lock_guard lock(state.mutex);
            state.lastError = result.error;
        }
        if (!state.pauseBeforeRetry())
            return false;
    }
    return false;
}

// The state files go only once "localver.xml" holds the new versions: without them every
// installed package would be pending again while its cabinet is already gone.
RunOutcome completeUpdate(const packlist::UpdateFolder& folder) {
    if (!packlist::updateLocalVersions(folder))
        return RunOutcome::kNotRecorded;
    ufile::removeFile(folder.downloadLog());
    ufile::removeFile(folder.downloadState());
    ufile::removeFile(folder.installedList());
    return RunOutcome::kCompleted;
}

// Completes the update when every package of the download is recorded, also when this run had
// nothing left to install (an earlier run may have ended after its last record), then tells
// the listeners that the run finished.
void finishRun(PackageInstaller::RunState& state) {
    const RunOutcome outcome = packlist::isUpdateComplete(state.folder)
                                   ? completeUpdate(state.folder)
                                   : RunOutcome::kUpdatePending;
    state.setOutcome(outcome);
    state.tellListeners([](InstallListener& listener) { listener.onFinished(); });
}

// A download whose packages would share a cabinet file cannot tell which package the file
// holds: nothing of it is installed.
void refuseDownload(PackageInstaller::RunState& state,
                    const std::pair<std::u16string, std::u16string>& names) {
    {
        std::lock_guard lock(state.mutex);
        state.lastError = "the packages \"" + ustring::toUtf8(names.first) + "\" and \"" +
                          ustring::toUtf8(names.second) +
                          "\" differ only in bytes that are no GBK text and would share one "
                          "cabinet file; the update is not installed";
    }
    state.setOutcome(RunOutcome::kPackageFailed);
    state.tellListeners([](InstallListener& listener) { listener.onFailed(); });
}

std::int32_t currentKind(PackageInstaller::RunState& state) {
    std::lock_guard lock(state.mutex);
    return state.kind;
}

} // namespace

void performRun(PackageInstaller::RunState& state) {
    const packlist::UpdateFolder& folder = state.folder;
    if (state.stop)
        return;
    removeLeftovers(folder);
    if (!packlist::isDownloadComplete(folder))
        return;
    if (const auto clash = packlist::namesSharingACabinet(folder, packlist::pendingPacks(folder))) {
        refuseDownload(state, *clash);
        return;
    }
    const packlist::PackList packs = packlist::pendingPacksOfKind(folder, currentKind(state));
    if (packs.empty()) {
        finishRun(state);
        return;
    }
    std::string log;
    ufile::ReadFileData(folder.downloadLog(), log);
    state.tellListeners([&](InstallListener& listener) { listener.onLog(log); });

    InstalledRecord record(folder);
    const int total = static_cast<int>(packs.size());
    for (int n = 1; n <= total; ++n) {
        const packlist::Pack& pack = packs[static_cast<std::size_t>(n - 1)];
        if (state.stop) {
            record.flush();
            return;
        }
        if (!installWithRetries(state, pack)) {
            record.flush();
            state.setOutcome(RunOutcome::kPackageFailed);
            state.tellListeners([](InstallListener& listener) { listener.onFailed(); });
            return;
        }
        state.tellListeners([&](InstallListener& listener) { listener.onProgress(n, total); });
        record.add(pack);
        record.flushIfDue();
    }
    if (!record.flush()) {
        state.setOutcome(RunOutcome::kNotRecorded);
        state.tellListeners([](InstallListener& listener) { listener.onFinished(); });
        return;
    }
    finishRun(state);
}

} // namespace updater
