#include "registry/game_install.h"

#include "registry/windows_registry.h"

namespace registry {

std::u16string readGameInstallPath() {
    // A 32-bit installer writes its record into the 32-bit view of a 64-bit Windows.
    for (const View view : {View::Bits64, View::Bits32}) {
        std::optional<std::u16string> recorded =
            readString({Hive::LocalMachine, kGameInstallKey, kGameInstallValue, view});
        if (!recorded || recorded->empty())
            continue;
        std::u16string folder = std::move(*recorded);
        for (char16_t& c : folder) {
            if (c == u'\\')
                c = u'/';
        }
        if (folder.back() != u'/')
            folder.push_back(u'/');
        return folder;
    }
    return {};
}

} // namespace registry
