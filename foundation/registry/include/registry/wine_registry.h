#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reading Wine's registry files ("system.reg", "user.reg"): text files of sections
// `[Key\\Path] <time>` followed by `"Name"="value"` lines, with C-like escapes.
namespace registry {

// The string value `name` of `key` in the registry file text `text`. Key and value names
// compare without regard to the case of A-Z, as Windows does; `key` is written with single
// backslashes ("Software\\Vendor\\Product" in C++ source). Plain and expandable strings are
// both taken literally. Nothing when the key, the value or its string form is missing.
std::optional<std::u16string> findStringValue(std::string_view text, std::u16string_view key,
                                              std::u16string_view name);

// The same, read from the registry file at `file`.
std::optional<std::u16string> readStringValue(std::u16string_view file, std::u16string_view key,
                                              std::u16string_view name);

// The prefix that Wine uses: $WINEPREFIX, or "~/.wine" when it is not set; a folder ending in
// "/". Empty when neither it nor the home folder is known.
std::u16string winePrefix();

// Maps a Windows path "X:\\a\\b" onto the Wine prefix `prefix` (ending in "/"): drive C is the
// prefix's "drive_c", any drive (C included when "drive_c" is absent) its "dosdevices/x:"
// link. The components below the drive are found without regard to case when the exact
// spelling is missing. Empty for a path that names no drive.
std::u16string mapWindowsPath(std::u16string_view prefix, std::u16string_view windowsPath);

} // namespace registry
