#pragma once

#include <string>
#include <string_view>

namespace registry {

// The key and value under which the game's installer records its folder.
inline constexpr std::u16string_view kGameInstallKey =
    u"Software\\Blizzard Entertainment\\World of Warcraft";
inline constexpr std::u16string_view kGameInstallKey32 =
    u"Software\\Wow6432Node\\Blizzard Entertainment\\World of Warcraft";
inline constexpr std::u16string_view kGameInstallValue = u"InstallPath";

// The game's own record of its installation folder, as a path of this machine ending in "/";
// the empty text when there is no record. Read anew at every call from the machine part of
// the Wine prefix's registry ("system.reg"), the native key first, then its 32-bit twin.
std::u16string readGameInstallPath();

} // namespace registry
