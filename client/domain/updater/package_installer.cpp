#include "updater/package_installer.h"

#include "packlist/pack_lists.h"
#include "updater/run_state.h"

#include <algorithm>

namespace updater {
namespace {

// How long releasing waits for the worker to notice the stop before leaving it to end alone.
constexpr std::chrono::seconds kReleaseGrace{2};

} // namespace

PackageInstaller::PackageInstaller(Settings settings)
    : state_(std::make_shared<RunState>(packlist::UpdateFolder(std::move(settings.programFolder)),
                                        settings.retryDelay)) {}

PackageInstaller::~PackageInstaller() = default;

bool PackageInstaller::addListener(InstallListener* listener) {
    if (!listener)
        return false;
    std::lock_guard lock(state_->mutex);
    auto& listeners = state_->listeners;
    if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
    return true;
}

bool PackageInstaller::removeListener(InstallListener* listener) {
    if (!listener)
        return false;
    std::lock_guard lock(state_->mutex);
    auto& listeners = state_->listeners;
    const auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found == listeners.end())
        return false;
    listeners.erase(found);
    return true;
}

bool PackageInstaller::start(std::int32_t kind) {
    std::lock_guard lock(state_->mutex);
    state_->kind = kind;
    if (!state_->started) {
        state_->started = true;
        worker_ = std::thread([state = state_] {
            performRun(*state);
            state->markEnded();
        });
    }
    return true;
}

bool PackageInstaller::hasPending() {
    std::int32_t kind = 0;
    {
        std::lock_guard lock(state_->mutex);
        kind = state_->kind;
    }
    return packlist::isDownloadComplete(state_->folder) &&
           !packlist::pendingPacksOfKind(state_->folder, kind).empty();
}

void PackageInstaller::release() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stop = true;
    }
    state_->changed.notify_all();
    if (worker_.joinable()) {
        bool ended = false;
        if (worker_.get_id() != std::this_thread::get_id()) {
            std::unique_lock lock(state_->mutex);
            ended = state_->changed.wait_for(lock, kReleaseGrace, [this] { return state_->ended; });
        }
        if (ended)
            worker_.join();
        else
            worker_.detach(); // it holds its own share of the state and ends by itself
    }
    delete this;
}

bool PackageInstaller::getPendingPacks(packlist::PackList& packs) {
    packs = packlist::pendingPacks(state_->folder);
    return true;
}

void PackageInstaller::waitForRun() {
    if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id())
        worker_.join();
}

std::string PackageInstaller::lastError() const {
    std::lock_guard lock(state_->mutex);
    return state_->lastError;
}

RunOutcome PackageInstaller::outcome() const {
    std::lock_guard lock(state_->mutex);
    return state_->outcome;
}

} // namespace updater
