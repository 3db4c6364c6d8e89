#include "updater/run_state.h"

namespace updater {

void PackageInstaller::RunState::tellListeners(const std::function<void(InstallListener&)>& call) {
    std::lock_guard lock(mutex);
    const std::vector<InstallListener*> current = listeners;
    for (InstallListener* listener : current) {
        if (stop)
            return;
        call(*listener);
    }
}

bool PackageInstaller::RunState::pauseBeforeRetry() {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, retryDelay, [this] { return stop.load(); });
    return !stop;
}

void PackageInstaller::RunState::setOutcome(RunOutcome ended) {
    std::lock_guard lock(mutex);
    outcome = ended;
}

void PackageInstaller::RunState::markEnded() {
    {
        std::lock_guard lock(mutex);
        ended = true;
    }
    changed.notify_all();
}

} // namespace updater
