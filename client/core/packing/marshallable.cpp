#include "packing/marshallable.h"

std::ostream& Marshallable::trace(std::ostream& os) const {
    return os << "trace Marshallable [ not immplement ]";
}
