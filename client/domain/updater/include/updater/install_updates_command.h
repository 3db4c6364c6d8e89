#pragma once

#include <ostream>
#include <string_view>

namespace updater {

inline constexpr const char* kInstallUpdatesOption = "--install-updates";

enum InstallUpdatesExit : int {
    kUpdatesInstalled = 0,   // the update is complete: "localver.xml" holds the new versions
    kPackageFailed = 1,      // a package could not be installed; the next run retries it
    kDownloadIncomplete = 2, // there is no complete download to install from
    kUpdatePending = 3,      // the program's packages are installed; other kinds still wait
    kNotRecorded = 4,        // installed, but the records could not be written; run again
};

// `Raidledger --install-updates`: the update run of kind 1 over `programFolder`, without any
// window, reporting on `out`.
int runInstallUpdatesCommand(std::u16string_view programFolder, std::ostream& out);
// The same for the running program's folder, reporting on the standard output.
int runInstallUpdatesCommand();

} // namespace updater
