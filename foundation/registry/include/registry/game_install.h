#pragma once

#include <string>
#include <string_view>

namespace registry {

// The key and value under which the game's installer records its folder; a 32-bit installer on
// 64-bit Windows writes the key's twin in the 32-bit view, which Wine's registry file spells out.
inline constexpr std::u16string_view kGameInstallKey =
    u"Software\\Blizzard Entertainment\\World of Warcraft";
inline constexpr std::u16string_view kGameInstallKey32 =
    u"Software\\Wow6432Node\\Blizzard Entertainment\\World of Warcraft";
inline constexpr std::u16string_view kGameInstallValue = u"InstallPath";

// The game's own record of its installation folder, as a path of this machine ending in "/";
// the empty text when there is no record. Read anew at every call, the 64-bit record first, then
// its 32-bit twin: on Windows from the registry's machine-wide part (an expandable string taken
// literally), elsewhere from the machine part of the Wine prefix's registry ("system.reg") with
// the Windows path mapped into the prefix.
std::u16string readGameInstallPath();

} // namespace registry
