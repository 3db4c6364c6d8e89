#pragma once

#include <string>

namespace ui {

// The guild site name that the guild DKP list is requested for, taken from a guild address:
// the old host name of the DKP web site is first replaced by its current one (case-sensitive,
// every occurrence); then, of the address split at "/", the piece after the first piece that
// equals the current host exactly is the site name, or the piece after that one when it is a
// single character. Empty when there is no such piece, it is empty, or no piece is the host.
std::u16string guildSiteName(std::u16string url, const std::u16string& oldHost,
                             const std::u16string& host);

} // namespace ui
