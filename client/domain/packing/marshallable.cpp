#include "packing/marshallable.h"

namespace packing {

std::ostream& Marshallable::trace(std::ostream& os) const {
    return os << "trace Marshallable [ not immplement ]";
}

} // namespace packing
