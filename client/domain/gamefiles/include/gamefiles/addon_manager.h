#pragma once

#include <string>
#include <string_view>

namespace gamefiles {

// Keeps the game's copy of the TALLYRA addon, "Interface/AddOns/TALLYRA", equal to the variant
// shipped in "Addonkit" beside the program: "Addonkit/TALLYRA" for the mainland client,
// "Addonkit/TALLYRA_TW" for the Taiwan client. A version is the whole text of the addon
// folder's "version.txt" (GBK), line ends included; it is compared, never parsed.
class AddonManager {
public:
    // The shipped variants are looked for in `programFolder` (ending in "/").
    AddonManager();
    explicit AddonManager(std::u16string programFolder);

    // The installed addon's version, or the empty text when it cannot be read.
    std::u16string getInstalledVersion(std::u16string_view gameFolder) const;
    // The version of the variant that suits the game folder, or the empty text.
    std::u16string getSourceVersion(std::u16string_view gameFolder) const;
    // True when the installed addon has the source variant's version, or after the variant was
    // copied over it successfully (files the variant lacks stay in place, the guild DKP list
    // among them). A current addon without a guild DKP list then gets the empty list. False
    // without a game folder, with nothing written.
    bool installAddon(std::u16string_view gameFolder) const;

    std::u16string getSourceFolder(std::u16string_view gameFolder) const;
    static std::u16string getInstalledFolder(std::u16string_view gameFolder);

private:
    std::u16string programFolder_;
};

} // namespace gamefiles
