#pragma once

#include "packlist/update_folder.h"

namespace updater {

// Removes what an update run that was killed leaves behind: the cabinet staging folders in
// "temp" and the unfinished new copies of "temp/installed.xml" and "localver.xml" (a list is
// written beside its file under the file's name followed by ".tmp" and then renamed over it).
// Files of the downloader are left alone. Only one run may use the folder at a time.
void removeLeftovers(const packlist::UpdateFolder& folder);

} // namespace updater
