#include "updater/leftovers.h"

#include "cabinet/extract.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace updater {
namespace {

// Removes the plain files beside `list` whose names begin with its name and ".tmp".
void removeUnfinishedCopies(const std::u16string& list) {
    const fs::path listPath(ufile::toNativePath(list));
    const std::string prefix = listPath.filename().string() + ".tmp";
    std::error_code error;
    fs::directory_iterator entries(listPath.parent_path(), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (entries->path().filename().string().starts_with(prefix) &&
            entries->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entries->path(), ignored);
    }
}

} // namespace

void removeLeftovers(const UpdateFolder& folder) {
    cabinet::removeAbandonedStaging(folder.tempFolder());
    removeUnfinishedCopies(folder.installedList());
    removeUnfinishedCopies(folder.localVersions());
}

} // namespace updater
