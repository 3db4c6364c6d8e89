#pragma once

#include "config/ledgerward_keys.h"

#include <cstdint>
#include <string>

namespace config {
class PropertyBag;
}

// Reading and writing the values of a configuration section that a window may not have been
// given: without a section, reads give the empty text and writes do nothing.
namespace ui::sectionvalues {

std::u16string readText(config::PropertyBag* section, std::uint16_t key);
void writeText(config::PropertyBag* section, std::uint16_t key, const std::u16string& value);
std::string readBytes(config::PropertyBag* section, std::uint16_t key);
void writeBytes(config::PropertyBag* section, std::uint16_t key, const std::string& value);
void commit(config::PropertyBag* section);

} // namespace ui::sectionvalues
