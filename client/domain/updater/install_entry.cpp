#include "updater/install_entry.h"

#include "updater/package_installer.h"

#include "utilkit/process_instance.h"
#include "utilkit/ufile.h"

namespace {

utilkit::ProcessInstance<updater::PackageInstaller> installer;

} // namespace

extern "C" updater::Installer* GetInstall() {
    return installer.get([] { return new updater::PackageInstaller({ufile::GetModulePathDir()}); });
}

extern "C" void ReleaseInstall() {
    if (updater::PackageInstaller* released = installer.take())
        released->release();
}
