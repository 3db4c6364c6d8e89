#pragma once

#include <string>
#include <string_view>

namespace gamefiles {

// The path of `relative` ("/"-separated, e.g. "Interface/AddOns/TALLYRA/") below the game
// folder. Wine installations spell some names in another case ("Interface/Addons",
// "Wow.exe"): a component missing with the exact spelling resolves to the entry that differs
// only in case, and keeps the spelling given when there is none (so new files get it).
// Without a game folder there is no game path: the empty text, never a path relative to the
// current folder.
std::u16string gamePath(std::u16string_view gameFolder, std::u16string_view relative);

// Whether a file or folder exists at `path` (symbolic links are followed).
bool pathExists(std::u16string_view path);

} // namespace gamefiles
