#pragma once

#include <string_view>

namespace gamefiles {

// Moves stand-alone copies of the CT_RaidTracker and MerDKP addons (the TALLYRA addon carries
// both) out of "Interface/AddOns" into "Interface/TALLYRA_AUTO_BACK/CT_RaidTracker" and
// ".../MerDKP", creating "Interface/TALLYRA_AUTO_BACK" first. Files backed up earlier keep their
// content; a newer differing copy goes to a dated folder beside them (see moveFolderAside). A
// folder whose copy failed is left where it is. Without a game folder nothing is done.
void backupStandaloneAddons(std::u16string_view gameFolder);

} // namespace gamefiles
