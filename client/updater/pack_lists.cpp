#include "updater/pack_lists.h"

#include "updater/pack_list_file.h"

#include "utilkit/ufile.h"

#include <algorithm>

namespace updater {
namespace {

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
    PackList result;
    for (const Pack& pack : a) {
        const bool known = std::any_of(b.begin(), b.end(), [&](const Pack& other) {
            return other.name == pack.name && other.ver == pack.ver;
        });
        if (!known)
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
    const PackList downloaded = readOrEmpty(folder.downloadState());
    return std::all_of(downloaded.begin(), downloaded.end(),
                       [&](const Pack& pack) { return containsName(installed, pack.name); });
}

bool updateLocalVersions(const UpdateFolder& folder) {
    PackList local = readOrEmpty(folder.localVersions());
    for (const Pack& pack : pendingPacks(folder)) {
        bool known = false;
        for (Pack& record : local) {
            if (record.name == pack.name) {
                record.ver = pack.ver;
                known = true;
            }
        }
        if (!known)
            local.push_back(Pack{pack.name, {}, {}, pack.ver, pack.type});
    }
    return writePackList(folder.localVersions(), local);
}

} // namespace updater
