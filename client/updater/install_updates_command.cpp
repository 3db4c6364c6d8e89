#include "updater/install_updates_command.h"

#include "updater/pack_lists.h"
#include "updater/package_installer.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <iostream>
#include <memory>

namespace updater {
namespace {

constexpr std::int32_t kProgramPackages = 1;

// Prints the run as it goes and remembers how it ended.
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
    void onFinished() override { finished_ = true; }
    void onFailed() override { failed_ = true; }

    bool finished() const { return finished_; }
    bool failed() const { return failed_; }

private:
    std::ostream& out_;
    bool finished_ = false;
    bool failed_ = false;
};

struct InstallerRelease {
    void operator()(PackageInstaller* installer) const { installer->release(); }
};

} // namespace

int runInstallUpdatesCommand(std::u16string_view programFolder, std::ostream& out) {
    const UpdateFolder folder{std::u16string(programFolder)};
    if (!isDownloadComplete(folder)) {
        out << "No complete download to install: \"" << ufile::toNativePath(folder.downloadState())
            << "\" is missing or not marked complete.\n";
        return kDownloadIncomplete;
    }
    const std::size_t pending = pendingPacksOfKind(folder, kProgramPackages).size();
    out << pending << (pending == 1 ? " package" : " packages") << " to install.\n";

    PrintingListener listener(out);
    const std::unique_ptr<PackageInstaller, InstallerRelease> installer(
        new PackageInstaller({std::u16string(programFolder)}));
    installer->addListener(&listener);
    installer->start(kProgramPackages);
    installer->waitForRun();
    installer->removeListener(&listener);

    if (listener.failed()) {
        out << "A package could not be installed: " << installer->lastError()
            << "\nThe packages installed before it stay installed; the next run retries.\n";
        return kPackageFailed;
    }
    if (!listener.finished()) {
        out << "The download changed while installing; nothing more was installed.\n";
        return kDownloadIncomplete;
    }
    out << "Updates installed.\n";
    return kUpdatesInstalled;
}

int runInstallUpdatesCommand() {
    return runInstallUpdatesCommand(ufile::GetModulePathDir(), std::cout);
}

} // namespace updater
