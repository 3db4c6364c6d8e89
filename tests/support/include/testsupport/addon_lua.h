#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Runs an addon folder's Lua with lua5.4 through tests/support/addon_harness.lua, which
// loads the files its .toc names as the game does, with a stand-in for the game functions the
// addon calls, and asks the addon's MerDKP functions for every player's points.
namespace addon_lua {

// Player name → DKP system id → the player's points in that system.
using Points = std::map<std::string, std::map<long long, long long>>;

struct AddonRun {
    int exitStatus = -1;                       // the harness's; 0 when nothing failed
    std::string output;                        // all it printed, standard error included
    std::vector<std::string> missingFiles;     // files the .toc names that are not there
    std::vector<std::string> errors;           // "where: message" of each failure
    std::map<long long, std::string> systems;  // id → name
    Points points;                             // each system listing a player
    std::map<std::string, long long> defaults; // MerDKP_GetPoints(name) without a system
};

// Loads `addonFolder` (e.g. the game's "Interface/AddOns/TALLYRA") with `tocName` from it.
// Throws std::runtime_error when lua5.4 cannot be started or prints a line it does not know.
AddonRun runAddon(const std::filesystem::path& addonFolder,
                  const std::string& tocName = "TALLYRA.toc");

// The points of runAddon; throws std::runtime_error with the harness's output when anything
// failed (a missing file alone is no failure: the game goes on without it).
Points runAddonPoints(const std::filesystem::path& addonFolder,
                      const std::string& tocName = "TALLYRA.toc");

} // namespace addon_lua
