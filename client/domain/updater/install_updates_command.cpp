#include "updater/install_updates_command.h"

#include "packlist/pack_lists.h"
#include "updater/package_installer.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <iostream>
#include <memory>

namespace updater {
namespace {

constexpr std::int32_t kProgramPackages = 1;

// Prints the run as it goes; how it ended comes from the installer.
class PrintingListener final : public InstallListener {
public:
    explicit PrintingListener(std::ostream& out) : out_(out) {}

    void onProgress(int done, int total) override {
        out_ << "Installed package " << done << " of " << total << ".\n";
    }
    void onLog(const std::string& log) override {
        if (!log.empty())
            out_ << "Download log:\n" << log << (log.back() == '\n' ? "" : "\n");
    }
    void onFinished() override {}
    void onFailed() override {}

private:
    std::ostream& out_;
};

// What the run did, for people, and the exit code that says it.
int reportOutcome(const PackageInstaller& installer, std::ostream& out) {
    switch (installer.outcome()) {
    case RunOutcome::kCompleted:
        out << "Update complete: the new versions are recorded in localver.xml.\n";
        return kUpdatesInstalled;
    case RunOutcome::kUpdatePending:
        out << "The program's packages are installed, but the update is not complete: "
               "packages of other kinds still wait for their installer.\n";
        return kUpdatePending;
    case RunOutcome::kNotRecorded:
        out << "The packages are installed, but their records could not be written; the next "
               "run completes the update.\n";
        return kNotRecorded;
    case RunOutcome::kPackageFailed:
        out << "A package could not be installed: " << installer.lastError()
            << "\nThe packages installed before it stay installed; the next run retries.\n";
        return kPackageFailed;
    case RunOutcome::kNone:
        break;
    }
    out << "The download changed while installing; nothing more was installed.\n";
    return kDownloadIncomplete;
}

struct InstallerRelease {
    void operator()(PackageInstaller* installer) const { installer->release(); }
};

} // namespace

int runInstallUpdatesCommand(std::u16string_view programFolder, std::ostream& out) {
    const packlist::UpdateFolder folder{std::u16string(programFolder)};
    if (!packlist::isDownloadComplete(folder)) {
        out << "No complete download to install: \"" << ufile::toNativePath(folder.downloadState())
            << "\" is missing or not marked complete.\n";
        return kDownloadIncomplete;
    }
    const std::size_t pending = packlist::pendingPacksOfKind(folder, kProgramPackages).size();
    out << pending << (pending == 1 ? " package" : " packages") << " to install.\n";

    PrintingListener listener(out);
    const std::unique_ptr<PackageInstaller, InstallerRelease> installer(
        new PackageInstaller({std::u16string(programFolder)}));
    installer->addListener(&listener);
    installer->start(kProgramPackages);
    installer->waitForRun();
    installer->removeListener(&listener);

    return reportOutcome(*installer, out);
}

int runInstallUpdatesCommand() {
    return runInstallUpdatesCommand(ufile::GetModulePathDir(), std::cout);
}

} // namespace updater
