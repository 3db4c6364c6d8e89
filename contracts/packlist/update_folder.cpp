#include "packlist/update_folder.h"

namespace packlist {

UpdateFolder::UpdateFolder(std::u16string programFolder) : program_(std::move(programFolder)) {
    if (program_.empty() || program_.back() != u'/')
        program_.push_back(u'/');
}

std::u16string UpdateFolder::cabinet(std::u16string_view packName) const {
    return tempFolder() + std::u16string(packName) + u".cab";
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
