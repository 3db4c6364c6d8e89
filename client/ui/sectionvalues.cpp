#include "ui/sectionvalues.h"

#include "config/property_bag.h"

namespace ui::sectionvalues {

std::u16string readText(config::PropertyBag* section, std::uint16_t key) {
    std::u16string value;
    if (section != nullptr)
        section->get_wstring(key, value);
    return value;
}

void writeText(config::PropertyBag* section, std::uint16_t key, const std::u16string& value) {
    if (section != nullptr)
        section->set_wstring(key, value);
}

std::string readBytes(config::PropertyBag* section, std::uint16_t key) {
    return section != nullptr ? section->get_string(key, std::string()) : std::string();
}

void writeBytes(config::PropertyBag* section, std::uint16_t key, const std::string& value) {
    if (section != nullptr)
        section->set_string(key, value);
}

void commit(config::PropertyBag* section) {
    if (section != nullptr)
        section->commit();
}

} // namespace ui::sectionvalues
