#pragma once

#include <ostream>

namespace packing {

class Pack;
class Unpack;

// A record that packs itself into a Pack and reads itself back from an Unpack.
class Marshallable {
public:
    virtual void marshal(Pack& pack) const = 0;
    virtual void unmarshal(Unpack& unpack) = 0;
    virtual ~Marshallable() = default;
    // A one-line description for debugging.
    virtual std::ostream& trace(std::ostream& os) const;
};

} // namespace packing
