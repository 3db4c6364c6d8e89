#include "packlist/pack_lists.h"

#include "packlist/pack_list_file.h"

#include "utilkit/ufile.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace packlist {
namespace {

using NameSet = std::unordered_set<std::u16string_view>;

NameSet namesOf(const PackList& list) {
    NameSet names;
    for (const Pack& pack : list)
        names.insert(pack.name);
    return names;
}

bool containsName(const PackList& list, std::u16string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const Pack& pack) { return pack.name == name; });
}

PackList readOrEmpty(const std::u16string& path) {
    PackList list;
    readPackList(path, list);
    return list;
}

} // namespace

PackList difference(const PackList& a, const PackList& b) {
    std::unordered_map<std::u16string_view, std::unordered_set<std::int32_t>> known;
    for (const Pack& pack : b)
        known[pack.name].insert(pack.ver);
    PackList result;
    for (const Pack& pack : a) {
        const auto versions = known.find(pack.name);
        if (versions == known.end() || !versions->second.contains(pack.ver))
            result.push_back(pack);
    }
    return result;
}

bool isDownloadComplete(const UpdateFolder& folder) {
    std::string document;
    if (!ufile::ReadFileData(folder.downloadState(), document))
        return false;
    return parseStateFlag(document) == std::optional<std::string>("ok");
}

PackList pendingPacks(const UpdateFolder& folder) {
    return difference(readOrEmpty(folder.downloadState()), readOrEmpty(folder.localVersions()));
}

PackList pendingPacksOfKind(const UpdateFolder& folder, std::int32_t kind) {
    PackList ofKind;
    for (Pack& pack : pendingPacks(folder)) {
        if (pack.type == kind)
            ofKind.push_back(std::move(pack));
    }
    return difference(ofKind, readOrEmpty(folder.installedList()));
}

bool recordInstalled(const UpdateFolder& folder, std::u16string_view name, std::int32_t ver) {
    PackList installed = readOrEmpty(folder.installedList());
    if (containsName(installed, name))
        return true;
    installed.push_back(Pack{std::u16string(name), {}, {}, ver, 0});
    return writePackList(folder.installedList(), installed);
}

bool isUpdateComplete(const UpdateFolder& folder) {
    if (!isDownloadComplete(folder))
        return false;
    const PackList installed = readOrEmpty(folder.installedList());
    const NameSet installedNames = namesOf(installed);
    const PackList downloaded = readOrEmpty(folder.downloadState());
    return std::all_of(downloaded.begin(), downloaded.end(),
                       [&](const Pack& pack) { return installedNames.contains(pack.name); });
}

bool updateLocalVersions(const UpdateFolder& folder) {
    PackList local = readOrEmpty(folder.localVersions());
    // Positions by name; appended packages get theirs as they come.
    std::unordered_map<std::u16string, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < local.size(); ++i)
        positions[local[i].name].push_back(i);
    for (const Pack& pack : pendingPacks(folder)) {
        std::vector<std::size_t>& records = positions[pack.name];
        for (const std::size_t i : records)
            local[i].ver = pack.ver;
        if (records.empty()) {
            records.push_back(local.size());
            local.push_back(Pack{pack.name, {}, {}, pack.ver, pack.type});
        }
    }
    return writePackList(folder.localVersions(), local);
}

} // namespace packlist
