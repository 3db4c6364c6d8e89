#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace gamefiles {

enum class FolderMove {
    NothingToMove, // the source folder does not exist
    Moved,         // everything is kept in the backup folders and the source is gone
    CopyFailed,    // something could not be copied; the source was left in place
};

// Moves the folder `source` aside into the backup folder `target` (both without a trailing
// "/"). The copy keeps files already in `target`: a backup taken earlier is never replaced.
// When that would leave a source file unkept (`target` holds a different file of that name),
// the whole source is copied as well into a new folder beside `target`, named after it and the
// local time `now` ("Account_backup_20070608_200000", "..._2" when taken). The source is
// deleted only when every copy succeeded, so nothing is ever lost.
FolderMove moveFolderAside(std::u16string_view source, std::u16string_view target,
                           std::time_t now = std::time(nullptr));

} // namespace gamefiles
