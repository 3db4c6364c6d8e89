#pragma once

#include "packlist/pack.h"
#include "packlist/update_folder.h"

#include <string_view>

// The working lists an update derives from its documents.
namespace packlist {

// Every record of `a`, in order, for which `b` holds no record of the same name and version.
PackList difference(const PackList& a, const PackList& b);

// True only when the first `state` of "temp/dlstate.xml" has `flag` exactly "ok".
bool isDownloadComplete(const UpdateFolder& folder);

// Downloaded packages (all kinds) whose name and version "localver.xml" does not hold yet. An
// unreadable "localver.xml" counts as empty.
PackList pendingPacks(const UpdateFolder& folder);

// The pending packages of one kind that "temp/installed.xml" does not hold yet.
PackList pendingPacksOfKind(const UpdateFolder& folder, std::int32_t kind);

// Appends {name, ver} to "temp/installed.xml" unless a record of that name is there already.
bool recordInstalled(const UpdateFolder& folder, std::u16string_view name, std::int32_t ver);

// The download is complete and every package of "temp/dlstate.xml" is in "temp/installed.xml"
// (by name only).
bool isUpdateComplete(const UpdateFolder& folder);

// Brings "localver.xml" up to the pending packages' versions; packages it did not know yet are
// appended without `md5` and `url`.
bool updateLocalVersions(const UpdateFolder& folder);

} // namespace packlist
