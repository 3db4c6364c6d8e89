#pragma once

#include "packing/property_map.h"

#include <cstdint>
#include <string>

namespace config {

class ConfigStore;

// Four 32-bit fields, stored in the order f1, f0, f3, f2.
struct PropertyQuad {
    std::uint32_t f0 = 0;
    std::uint32_t f1 = 0;
    std::uint32_t f2 = 0;
    std::uint32_t f3 = 0;
    bool operator==(const PropertyQuad&) const = default;
};

// Two 32-bit fields, stored in the order f0, f1.
struct PropertyPair {
    std::uint32_t f0 = 0;
    std::uint32_t f1 = 0;
    bool operator==(const PropertyPair&) const = default;
};

// One settings section: its map of values with typed accessors. Created and destroyed by its
// ConfigStore; changes stay in memory until commit().
class PropertyBag {
public:
    PropertyBag(std::string name, packing::PropertyMap map, ConfigStore* owner);
    PropertyBag(const PropertyBag&) = delete;
    PropertyBag& operator=(const PropertyBag&) = delete;

    // Writes the whole section through the owner; the owner's result is not reported.
    virtual void commit();
    // Decimal ASCII digits; `def` when the key is absent.
    virtual std::uint32_t get_uint32(std::uint16_t key, std::uint32_t def);
    virtual void set_uint32(std::uint16_t key, std::uint32_t value);
    // Stored as UTF-8; an absent key gives the empty text.
    virtual void get_wstring(std::uint16_t key, std::u16string& value);
    virtual void set_wstring(std::uint16_t key, const std::u16string& value);
    // Leave `value` untouched when the key is absent or empty; throw UnpackError when the
    // stored value is too short.
    virtual void get_quad(std::uint16_t key, PropertyQuad& value);
    virtual void set_quad(std::uint16_t key, const PropertyQuad& value);
    virtual void get_pair(std::uint16_t key, PropertyPair& value);
    virtual void set_pair(std::uint16_t key, const PropertyPair& value);
    // The stored bytes; `def` when the key is absent or its value empty.
    virtual std::string get_string(std::uint16_t key, const std::string& def);
    virtual void set_string(std::uint16_t key, const std::string& value);
    // Hands the bag back to its owner.
    virtual void release();
    // After the twelve operations, so that their order stays as it is.
    virtual ~PropertyBag() = default;

    const std::string& name() const { return name_; }
    packing::PropertyMap& map() { return map_; }
    const packing::PropertyMap& map() const { return map_; }

private:
    packing::PropertyMap map_;
    ConfigStore* owner_;
    std::string name_;
};

} // namespace config
