#include "updater/pack_lists.h"
#include "updater/run_state.h"

#include "cabinet/extract.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <cstdio>

namespace updater {
namespace {

constexpr int kAttemptsPerPackage = 3;

void removeFile(const std::u16string& path) {
    std::remove(ufile::toNativePath(path).c_str());
}

cabinet::ExtractResult extractPack(const PackageInstaller::RunState& state, const Pack& pack) {
    if (!isSafePackName(pack.name))
        return {false,
                "the package name \"" + ustring::toUtf8(pack.name) + "\" is not a plain file name"};
    return cabinet::extract(cabinet::ExtractRequest{state.folder.cabinet(pack.name),
                                                    state.folder.programFolder(),
                                                    state.folder.tempFolder(), &state.stop});
}

// Up to three attempts, each failure followed by the retry pause. False when all failed or the
// installer is being released.
bool installWithRetries(PackageInstaller::RunState& state, const Pack& pack) {
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

void completeUpdate(const UpdateFolder& folder) {
    updateLocalVersions(folder);
    removeFile(folder.downloadLog());
    removeFile(folder.downloadState());
    removeFile(folder.installedList());
}

std::int32_t currentKind(PackageInstaller::RunState& state) {
    std::lock_guard lock(state.mutex);
    return state.kind;
}

} // namespace

void performRun(PackageInstaller::RunState& state) {
    const UpdateFolder& folder = state.folder;
    if (state.stop || !isDownloadComplete(folder))
        return;
    const PackList packs = pendingPacksOfKind(folder, currentKind(state));
    if (packs.empty()) {
        state.tellListeners([](InstallListener& listener) { listener.onFinished(); });
        return;
    }
    std::string log;
    ufile::ReadFileData(folder.downloadLog(), log);
    state.tellListeners([&](InstallListener& listener) { listener.onLog(log); });

    const int total = static_cast<int>(packs.size());
    for (int n = 1; n <= total; ++n) {
        const Pack& pack = packs[static_cast<std::size_t>(n - 1)];
        if (state.stop)
            return;
        if (!installWithRetries(state, pack)) {
            state.tellListeners([](InstallListener& listener) { listener.onFailed(); });
            return;
        }
        state.tellListeners([&](InstallListener& listener) { listener.onProgress(n, total); });
        removeFile(folder.cabinet(pack.name));
        recordInstalled(folder, pack.name, pack.ver);
    }
    if (isUpdateComplete(folder))
        completeUpdate(folder);
    state.tellListeners([](InstallListener& listener) { listener.onFinished(); });
}

} // namespace updater
