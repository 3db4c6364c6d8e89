#include "gamefiles/raid_loading.h"

#include "dkp/load_raids.h"
#include "dkp/saved_file.h"
#include "gamefiles/game_folder.h"

namespace gamefiles {

std::vector<dkp::Raid*> LoadedRaids::getRaids() const {
    return raids ? raids->getRaids() : std::vector<dkp::Raid*>{};
}

LoadedRaids loadRaids(std::u16string_view gameFolder, std::u16string_view account) {
    LoadedRaids loaded{std::make_unique<dkp::Raids>(), getAddonDataFile(gameFolder, account)};
    std::string bytes;
    const dkp::SavedFileRead read = dkp::readSavedFile(loaded.file, bytes);
    loaded.tooLarge = read == dkp::SavedFileRead::TooLarge;
    if (read == dkp::SavedFileRead::Read)
        dkp::loadRaidsFromBytes(std::move(bytes), *loaded.raids);
    return loaded;
}

} // namespace gamefiles
