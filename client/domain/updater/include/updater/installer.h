#pragma once

#include "packlist/pack.h"
#include "updater/install_listener.h"

#include <cstdint>

namespace updater {

// The updater as the program reaches it through `GetInstall`. The order of the operations is
// part of the contract.
class Installer {
public:
    // False for a null listener; otherwise adds it unless it is there already.
    virtual bool addListener(InstallListener* listener) = 0;
    // False for a null listener or one that is not registered.
    virtual bool removeListener(InstallListener* listener) = 0;
    // Sets the package kind to install; the first call starts the one run of this object on a
    // worker thread. Always true.
    virtual bool start(std::int32_t kind) = 0;
    // The download is complete and packages of this object's kind wait to be installed.
    virtual bool hasPending() = 0;
    // Stops a run in progress at its next safe point and destroys the object.
    virtual void release() = 0;
    // The downloaded packages of every kind not yet installed. Always true.
    virtual bool getPendingPacks(packlist::PackList& packs) = 0;

protected:
    ~Installer() = default;
};

} // namespace updater
