#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where the game keeps what the client and the backups work on, below the game folder (the
// World of Warcraft installation, a folder ending in "/"). Wine installations spell some names
// in another case ("Interface/Addons", "Wow.exe"): every path here resolves a component that is
// missing with the exact spelling to the entry that differs only in case, and keeps the spelling
// given when there is none (so new files get it). Without a game folder there is no game path:
// the empty text, never a path relative to the current folder.
namespace gamefolder {

// The path of `relative` ("/"-separated, e.g. "Interface/AddOns/TALLYRA/") below the game folder.
std::u16string gamePath(std::u16string_view gameFolder, std::u16string_view relative);

// Whether a file or folder exists at `path` (symbolic links are followed).
bool pathExists(std::u16string_view path);

// The game's program, "WoW.exe".
std::u16string gameProgram(std::u16string_view gameFolder);

// The accounts of the game folder, in the order the file system lists them. An account is a
// folder under "WTF/Account/" that holds the game's own "SavedVariables.lua" (written at its
// first logout); other entries, and folders without that file, are not accounts.
std::vector<std::u16string> accounts(std::u16string_view gameFolder);

// The folder of all accounts, "WTF/Account", and where the error correction moves it,
// "WTF/Account_backup" (both without a trailing "/").
std::u16string accountsFolder(std::u16string_view gameFolder);
std::u16string accountsBackupFolder(std::u16string_view gameFolder);

// The addon's saved-variables file of an account:
// "WTF/Account/<account>/SavedVariables/TALLYRA.lua".
std::u16string addonDataFile(std::u16string_view gameFolder, std::u16string_view account);

// The installed addon, "Interface/AddOns/TALLYRA/", and its guild DKP list,
// "Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua" in the folder "Interface/AddOns/TALLYRA/MerDKP/".
std::u16string addonFolder(std::u16string_view gameFolder);
std::u16string dkpListFolder(std::u16string_view gameFolder);
std::u16string dkpListFile(std::u16string_view gameFolder);

// Another addon's folder, "Interface/AddOns/<addon>", and the folder that stand-alone copies of
// the addon's parts are moved into, "Interface/TALLYRA_AUTO_BACK".
std::u16string standaloneAddonFolder(std::u16string_view gameFolder, std::u16string_view addon);
std::u16string standaloneAddonsBackupFolder(std::u16string_view gameFolder);

// The Taiwan client's marker, "Data/zhTW/realmlist.wtf".
std::u16string taiwanClientMarker(std::u16string_view gameFolder);

} // namespace gamefolder
