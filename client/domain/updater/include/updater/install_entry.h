#pragma once

#include "updater/installer.h"

// The updater's entry points, exported by the program under these undecorated names.
extern "C" {

// The process-wide installer for the program's own folder; created by the first call.
__attribute__((visibility("default"))) updater::Installer* GetInstall();

// Releases the installer, if there is one; a later `GetInstall` creates a new one.
__attribute__((visibility("default"))) void ReleaseInstall();
}
