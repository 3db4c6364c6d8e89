#pragma once

#include "packlist/update_folder.h"
#include "updater/install_listener.h"
#include "updater/package_installer.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace updater {

// What the installer shares with its worker thread; the worker keeps it alive on its own, so
// releasing the installer never waits for a cabinet that does not end.
struct PackageInstaller::RunState {
    RunState(packlist::UpdateFolder updateFolder, std::chrono::milliseconds delay)
        : folder(std::move(updateFolder)), retryDelay(delay) {}

    const packlist::UpdateFolder folder;
    const std::chrono::milliseconds retryDelay;

    // Guards the listeners, the kind, the error text, the outcome and `ended`. Held during listener
    // calls so that none starts after `stop` is set; recursive so that listeners may add and remove
    // listeners from inside their calls.
    mutable std::recursive_mutex mutex;
    std::condition_variable_any changed;
    std::vector<InstallListener*> listeners;
    std::int32_t kind = 0;
    std::string lastError;
    RunOutcome outcome = RunOutcome::kNone;
    bool started = false;
    bool ended = false;
    std::atomic<bool> stop{false};

    // Calls `call` on every listener, in order, unless the installer is being released.
    void tellListeners(const std::function<void(InstallListener&)>& call);
    // Waits for the retry delay; false when the installer is released meanwhile.
    bool pauseBeforeRetry();
    void setOutcome(RunOutcome ended);
    void markEnded();
};

// The one run of an installer (performed on its worker thread).
void performRun(PackageInstaller::RunState& state);

} // namespace updater
