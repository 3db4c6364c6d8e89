#pragma once

#include <string>
#include <string_view>

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

// A package name is used as a file name inside "temp": it must be a single plain component,
// without separators, without a leading full stop and without control characters.
bool isSafePackName(std::u16string_view name);

} // namespace packlist
