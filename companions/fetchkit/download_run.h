#pragma once

#include <atomic>
#include <string>

namespace fetchkit {

// One download of the update whose manifest is at `updateUrl` into the program folder's
// "temp". Leaves an earlier complete download alone while it still waits to be installed.
void downloadUpdate(const std::u16string& programFolder, const std::string& updateUrl,
                    const std::atomic<bool>& stop);

} // namespace fetchkit
