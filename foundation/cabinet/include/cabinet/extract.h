#pragma once

#include <atomic>
#include <string>
#include <string_view>

namespace cabinet {

struct ExtractRequest {
    std::u16string cabinet;     // the cabinet file
    std::u16string destination; // the folder the cabinet's files go to
    // A folder on the destination's file system (created if missing) below which the files are
    // decoded first; nothing reaches the destination unless the whole cabinet decoded.
    std::u16string staging;
    // Set from another thread to give up as soon as possible; the destination stays unchanged
    // when it is set before the files are moved into place.
    const std::atomic<bool>* cancel = nullptr;
};

struct ExtractResult {
    bool ok = false;
    std::string error; // what went wrong, for people; empty on success

    explicit operator bool() const { return ok; }
};

// Extracts every file of the cabinet below the destination. Stored names lose their leading
// full stops and separators; a name that climbs out of the destination, is absolute or holds
// control characters fails the whole cabinet, and on Windows so does a name Windows cannot hold.
// Each file gets the cabinet's modification time; the read-only attribute removes its write
// permissions (on Windows the file gets that attribute). A read-only file already at a target
// fails the cabinet; a symbolic link at a target is replaced, never written through.
ExtractResult extract(const ExtractRequest& request);

// Removes the folders that extractions which never ended (the process was killed) left below
// the staging folder. No extraction may be running with that staging folder meanwhile.
void removeAbandonedStaging(std::u16string_view staging);

} // namespace cabinet
