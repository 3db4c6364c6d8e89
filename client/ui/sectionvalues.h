#pragma once

#include "config/ledgerward_keys.h"

#include <cstdint>
#include <string>

class PropertyBag;

// Reading and writing the values of a configuration section that a window may not have been
// given: without a section, reads give the empty text and writes do nothing.
namespace ui::sectionvalues {

std::u16string readText(PropertyBag* section, std::uint16_t key);
void writeText(PropertyBag* section, std::uint16_t key, const std::u16string& value);
std::string readBytes(PropertyBag* section, std::uint16_t key);
void writeBytes(PropertyBag* section, std::uint16_t key, const std::string& value);
void commit(PropertyBag* section);

} // namespace ui::sectionvalues
