#pragma once

#include "packlist/pack.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace packlist {

// The files of an update, all below the program's folder (which ends in "/").
class UpdateFolder {
public:
    explicit UpdateFolder(std::u16string programFolder);

    const std::u16string& programFolder() const { return program_; }
    std::u16string tempFolder() const { return program_ + u"temp/"; }
    std::u16string localVersions() const { return program_ + u"localver.xml"; }
    std::u16string downloadState() const { return tempFolder() + u"dlstate.xml"; }
    std::u16string installedList() const { return tempFolder() + u"installed.xml"; }
    std::u16string downloadLog() const { return tempFolder() + u"log.txt"; }
    // "temp/<name>.cab".
    std::u16string cabinet(std::u16string_view packName) const;

private:
    std::u16string program_;
};

// Two names of the list that differ and yet name one cabinet file, as the file system spells
// them (bytes that are no GBK text come out alike); nothing when every name has a file of its
// own. A list holding such names cannot be downloaded or installed: one package's cabinet would
// replace the other's.
std::optional<std::pair<std::u16string, std::u16string>>
namesSharingACabinet(const UpdateFolder& folder, const PackList& packs);

// A package name is used as a file name inside "temp": it must be a single plain component,
// without separators, without a leading full stop and without control characters.
bool isSafePackName(std::u16string_view name);

} // namespace packlist
