#include "updater/install_entry.h"

#include "updater/package_installer.h"

#include "utilkit/ufile.h"

#include <mutex>

namespace {

std::mutex instanceMutex;
updater::PackageInstaller* instance = nullptr;

} // namespace

extern "C" updater::Installer* GetInstall() {
    std::lock_guard lock(instanceMutex);
    if (!instance)
        instance = new updater::PackageInstaller({ufile::GetModulePathDir()});
    return instance;
}

extern "C" void ReleaseInstall() {
    updater::PackageInstaller* released = nullptr;
    {
        std::lock_guard lock(instanceMutex);
        released = instance;
        instance = nullptr;
    }
    if (released)
        released->release();
}
