#pragma once

#include <stdexcept>
#include <string>

namespace packing {

// Errors of the byte-packing layer; each carries its message text in what().
class PacketError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A write into a buffer failed: growth refused, or a byte string too long for its prefix.
class PackError : public PacketError {
public:
    using PacketError::PacketError;
};

// A read found fewer bytes than the field needs.
class UnpackError : public PacketError {
public:
    using PacketError::PacketError;
};

} // namespace packing
