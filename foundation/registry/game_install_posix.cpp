#include "registry/game_install.h"

#include "registry/wine_registry.h"

namespace registry {

std::u16string readGameInstallPath() {
    const std::u16string prefix = winePrefix();
    if (prefix.empty())
        return {};
    const std::u16string machine = prefix + u"system.reg";
    auto recorded = readStringValue(machine, kGameInstallKey, kGameInstallValue);
    if (!recorded || recorded->empty())
        recorded = readStringValue(machine, kGameInstallKey32, kGameInstallValue);
    if (!recorded || recorded->empty())
        return {};
    std::u16string folder = mapWindowsPath(prefix, *recorded);
    if (!folder.empty() && folder.back() != u'/')
        folder.push_back(u'/');
    return folder;
}

} // namespace registry
