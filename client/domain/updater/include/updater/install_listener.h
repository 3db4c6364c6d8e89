#pragma once

#include <string>

namespace updater {

// Told about an update run, on the installer's worker thread. The order of the operations is
// part of the contract.
class InstallListener {
public:
    // After each package is installed: `done` counts from 1, `total` is the run's package count.
    virtual void onProgress(int done, int total) = 0;
    // Once before the first package, with the bytes of "temp/log.txt" (empty when missing).
    virtual void onLog(const std::string& log) = 0;
    // At the end of a run that did not fail, also when there was nothing to install.
    virtual void onFinished() = 0;
    // When a package could not be installed after three attempts; the run stops there.
    virtual void onFailed() = 0;

protected:
    ~InstallListener() = default;
};

} // namespace updater
