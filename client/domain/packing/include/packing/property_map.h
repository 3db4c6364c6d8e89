#pragma once

#include "packing/marshallable.h"

#include <cstdint>
#include <map>
#include <string>

namespace packing {

// A map from 16-bit keys to byte strings, packed as a 32-bit entry count followed by each
// entry in ascending key order: a 16-bit key and a length-prefixed byte string.
class PropertyMap : public Marshallable {
public:
    using Entries = std::map<std::uint16_t, std::string>;

    void marshal(Pack& pack) const override;
    // Merges the packed entries into this map, later values replacing earlier ones. An
    // UnpackError reaches the caller; entries read before it stay.
    void unmarshal(Unpack& unpack) override;
    // One line "(key in hex,value length)" per entry.
    std::ostream& trace(std::ostream& os) const override;

    // Stores the value under the key (replacing an existing different value only when
    // `replace` is set). True when the key was absent or held a different value.
    bool set(std::uint16_t key, std::string value, bool replace = true);
    // Applies set() for every entry of `source`; true when any of them reported true.
    bool merge(const PropertyMap& source, bool replace = true);

    // The stored value, or nullptr when the key is absent.
    const std::string* find(std::uint16_t key) const;
    const Entries& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

    bool operator==(const PropertyMap& other) const { return entries_ == other.entries_; }

private:
    Entries entries_;
};

} // namespace packing
