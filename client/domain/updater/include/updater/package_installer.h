#pragma once

#include "packlist/update_folder.h"
#include "updater/installer.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace updater {

// How the run of an installer ended.
enum class RunOutcome {
    kNone,          // no run ended: none started, still going, stopped, or no complete download
    kPackageFailed, // a package could not be installed; the ones before it stay recorded
    kUpdatePending, // nothing of this kind is left, but packages of other kinds still wait
    kCompleted,     // every package is installed and "localver.xml" holds the new versions
    kNotRecorded,   // the packages are installed, but their record or "localver.xml" could not
                    // be written; the next run completes the update
};

// The updater: installs the downloaded cabinets of one kind over the program folder on a
// worker thread, recording each one so that an interrupted update resumes where it stopped.
class PackageInstaller final : public Installer {
public:
    struct Settings {
        std::u16string programFolder;
        std::chrono::milliseconds retryDelay{1000}; // between two attempts at one cabinet
    };

    explicit PackageInstaller(Settings settings);

    bool addListener(InstallListener* listener) override;
    bool removeListener(InstallListener* listener) override;
    bool start(std::int32_t kind) override;
    bool hasPending() override;
    void release() override;
    bool getPendingPacks(packlist::PackList& packs) override;

    // Blocks until the run started by `start` has ended; at once when there is none.
    void waitForRun();
    // Why the last failed package failed, for people; empty when none failed.
    std::string lastError() const;
    RunOutcome outcome() const;

    struct RunState;

private:
    ~PackageInstaller();
    PackageInstaller(const PackageInstaller&) = delete;
    PackageInstaller& operator=(const PackageInstaller&) = delete;

    std::shared_ptr<RunState> state_;
    std::thread worker_;
};

} // namespace updater
