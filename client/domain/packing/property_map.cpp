#include "packing/property_map.h"

#include "packing/pack.h"
#include "packing/unpack.h"

#include <ios>

namespace packing {

void PropertyMap::marshal(Pack& pack) const {
    pack.push_uint32(static_cast<std::uint32_t>(entries_.size()));
    for (const auto& [key, value] : entries_) {
        pack.push_uint16(key);
        pack.push_varstr(value.data(), value.size());
    }
}

void PropertyMap::unmarshal(Unpack& unpack) {
    const std::uint32_t count = unpack.pop_uint32();
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint16_t key = unpack.pop_uint16();
        entries_[key] = unpack.pop_varstr().toString();
    }
}

std::ostream& PropertyMap::trace(std::ostream& os) const {
    for (const auto& [key, value] : entries_)
        os << '(' << std::hex << key << std::dec << ',' << value.size() << ")\n";
    return os;
}

bool PropertyMap::set(std::uint16_t key, std::string value, bool replace) {
    const auto [position, inserted] = entries_.try_emplace(key, std::move(value));
    if (inserted)
        return true;
    if (position->second == value)
        return false;
    if (replace)
        position->second = std::move(value);
    return true;
}

bool PropertyMap::merge(const PropertyMap& source, bool replace) {
    bool changed = false;
    for (const auto& [key, value] : source.entries_)
        changed = set(key, value, replace) || changed;
    return changed;
}

const std::string* PropertyMap::find(std::uint16_t key) const {
    const auto position = entries_.find(key);
    return position == entries_.end() ? nullptr : &position->second;
}

} // namespace packing
