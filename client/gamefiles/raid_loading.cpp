#include "gamefiles/raid_loading.h"

#include "dkp/load_raids.h"
#include "gamefiles/game_folder.h"

namespace gamefiles {

std::vector<dkp::Raid*> LoadedRaids::getRaids() const {
    return raids ? raids->getRaids() : std::vector<dkp::Raid*>{};
}

LoadedRaids loadRaids(std::u16string_view gameFolder, std::u16string_view account) {
    LoadedRaids loaded{std::make_unique<dkp::Raids>()};
    dkp::loadRaidsFromFile(getAddonDataFile(gameFolder, account), *loaded.raids);
    return loaded;
}

} // namespace gamefiles
