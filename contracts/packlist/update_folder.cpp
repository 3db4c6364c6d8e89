#include "packlist/update_folder.h"

#include "utilkit/ufile.h"

#include <unordered_map>

namespace packlist {

UpdateFolder::UpdateFolder(std::u16string programFolder) : program_(std::move(programFolder)) {
    if (program_.empty() || program_.back() != u'/')
        program_.push_back(u'/');
}

std::u16string UpdateFolder::cabinet(std::u16string_view packName) const {
    return tempFolder() + std::u16string(packName) + u".cab";
}

std::optional<std::pair<std::u16string, std::u16string>>
namesSharingACabinet(const UpdateFolder& folder, const PackList& packs) {
    std::unordered_map<std::string, std::u16string> nameOfFile;
    for (const Pack& pack : packs) {
        const auto [found, added] =
            nameOfFile.try_emplace(ufile::toNativePath(folder.cabinet(pack.name)), pack.name);
        if (!added && found->second != pack.name)
            return std::pair{found->second, pack.name};
    }
    return std::nullopt;
}

bool isSafePackName(std::u16string_view name) {
    if (name.empty() || name.front() == u'.')
        return false;
    for (const char16_t c : name) {
        if (c < 0x20 || c == u'/' || c == u'\\' || c == u':')
            return false;
    }
    return true;
}

} // namespace packlist
