#pragma once

#include <ostream>
#include <string_view>

namespace updater {

inline constexpr const char* kInstallUpdatesOption = "--install-updates";

enum InstallUpdatesExit : int {
    kUpdatesInstalled = 0,   // the run finished (also when there was nothing to install)
    kPackageFailed = 1,      // a package could not be installed; the next run retries it
    kDownloadIncomplete = 2, // there is no complete download to install from
};

// `Raidledger --install-updates`: the update run of kind 1 over `programFolder`, without any
// window, reporting on `out`.
int runInstallUpdatesCommand(std::u16string_view programFolder, std::ostream& out);
// The same for the running program's folder, reporting on the standard output.
int runInstallUpdatesCommand();

} // namespace updater
