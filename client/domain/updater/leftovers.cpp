#include "updater/leftovers.h"

#include "cabinet/extract.h"
#include "utilkit/ufile.h"

namespace updater {

void removeLeftovers(const packlist::UpdateFolder& folder) {
    cabinet::removeAbandonedStaging(folder.tempFolder());
    ufile::removeUnfinishedCopies(folder.installedList());
    ufile::removeUnfinishedCopies(folder.localVersions());
}

} // namespace updater
