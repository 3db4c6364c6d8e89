#include "updater/installed_record.h"

#include "packlist/pack_list_file.h"

#include "utilkit/ufile.h"

#include <algorithm>
#include <cstdio>

namespace updater {

InstalledRecord::InstalledRecord(const packlist::UpdateFolder& folder) : folder_(folder) {
    packlist::readPackList(folder_.installedList(), list_);
    for (const packlist::Pack& pack : list_)
        names_.insert(pack.name);
}

void InstalledRecord::add(const packlist::Pack& pack) {
    if (names_.insert(pack.name).second)
        list_.push_back(packlist::Pack{pack.name, {}, {}, pack.ver, 0});
    unrecorded_.push_back(pack.name);
}

void InstalledRecord::flushIfDue() {
    if (unrecorded_.size() >= std::max(kSmallestBatch, list_.size() / kBatchDivisor))
        flush();
}

bool InstalledRecord::flush() {
    if (unrecorded_.empty())
        return true;
    if (!packlist::writePackList(folder_.installedList(), list_))
        return false;
    for (const std::u16string& name : unrecorded_)
        std::remove(ufile::toNativePath(folder_.cabinet(name)).c_str());
    unrecorded_.clear();
    return true;
}

} // namespace updater
