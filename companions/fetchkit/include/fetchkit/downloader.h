#pragma once

namespace fetchkit {

// The update downloader as the program reaches it through `GetDownloader`. The order of the
// operations is part of the contract.
class Downloader {
public:
    // True while a download started by `fetchUpdates` is running.
    virtual bool isBusy() = 0;
    // Blocks until the running download, if any, has ended.
    virtual void waitUntilDone() = 0;
    // Starts fetching the update named by the deployment settings on a worker thread: the
    // manifest, then every listed package that "localver.xml" does not hold yet, into "temp".
    // Does nothing without an update address, or while a download is running.
    virtual void fetchUpdates() = 0;

protected:
    ~Downloader() = default;
};

} // namespace fetchkit
