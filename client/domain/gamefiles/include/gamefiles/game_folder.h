#pragma once

#include <string>
#include <string_view>
#include <vector>

// The World of Warcraft installation the client works on, and the game accounts in it.
// Folders are texts ending in "/"; all of this runs on the user-interface thread.
namespace gamefiles {

// The game folder in effect. The application object owns the one the program runs on and hands
// it to the windows.
class GameFolder {
public:
    explicit GameFolder(std::u16string configured = {});

    // Replaces the folder the user configured (empty: none).
    void setConfigured(std::u16string_view folder);
    const std::u16string& configured() const { return configured_; }

    // The configured folder when it is set and exists on disk, otherwise the game's own record
    // of its installation (possibly empty; its existence is not tested). Found anew at every
    // call.
    std::u16string current() const;

private:
    std::u16string configured_;
};

// Appends the accounts of the game folder (gamefolder::accounts: the folders under
// "WTF/Account/" that hold the game's own "SavedVariables.lua"), in the order the file system
// lists them. The list is neither cleared nor sorted; without a game folder nothing is appended.
void getAccounts(std::u16string_view gameFolder, std::vector<std::u16string>& accounts);

// False when the folder holds the Taiwan client's marker "Data/zhTW/realmlist.wtf".
bool isMainlandClient(std::u16string_view gameFolder);

// The addon's saved-variables file of an account:
// "WTF/Account/<account>/SavedVariables/TALLYRA.lua" below the game folder.
std::u16string getAddonDataFile(std::u16string_view gameFolder, std::u16string_view account);

} // namespace gamefiles
