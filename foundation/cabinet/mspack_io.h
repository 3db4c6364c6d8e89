#pragma once

#include <atomic>
#include <mspack.h>

namespace cabinet {

// libmspack hands its own table back to the callbacks; the cancel flag travels behind it.
struct CancellableSystem {
    mspack_system system; // first, so libmspack's pointer leads back to the whole
    const std::atomic<bool>* cancel;
};

// libmspack's file access over plain descriptors: files it writes are created fresh without
// following symbolic links, and every read gives up once `cancel` is set, which ends any decoder
// loop that keeps asking for input.
class MspackIo {
public:
    explicit MspackIo(const std::atomic<bool>* cancel);
    MspackIo(const MspackIo&) = delete;
    MspackIo& operator=(const MspackIo&) = delete;

    mspack_system* system() { return &table_.system; }

private:
    CancellableSystem table_;
};

} // namespace cabinet
