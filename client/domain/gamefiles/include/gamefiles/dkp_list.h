#pragma once

#include <string>
#include <string_view>

// The guild's DKP list, which the DKP web site sends whole and the addon's MerDKP part reads in
// the game: "Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua" below the game folder.
namespace gamefiles {

std::u16string getDkpListFile(std::u16string_view gameFolder);

// What the list file holds until the first list arrives: Lua that defines nothing, so that the
// game finds every file the addon loads and the addon knows no points yet.
inline constexpr std::string_view kEmptyDkpList =
    "-- Raidledger writes the guild's DKP list here; until then the list is empty.\n";

// Writes kEmptyDkpList as the list file when the installed addon's MerDKP folder holds none; a
// list file that is there is never touched. False when it had to be written and could not.
bool placeEmptyDkpList(std::u16string_view gameFolder);

// Stores the received bytes exactly as received, whole and atomically, but only when they
// differ from the file's current bytes, so an unchanged list keeps its modification time.
// False when the file had to be written and could not be.
bool writeDkpList(std::u16string_view gameFolder, std::string_view listText);

// The list's update time in local time, "2007年06月08日 20:00:00", from the first quoted text
// of its first statement (milliseconds since 1970 UTC; a character that is not a digit counts
// as 0). The empty text when the list is not a dated MerDKP list or the time cannot be shown.
std::u16string getUpdateTimeText(std::u16string_view listText);

} // namespace gamefiles
