#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cabinet_test {

struct CabinetEntry {
    std::string name; // stored as given, bytes and all
    std::string data;
    std::uint16_t attributes = 0x20;
    int year = 2010, month = 6, day = 15, hour = 12, minute = 30, second = 44;
};

// A single-folder cabinet without compression, one data block per file, written byte by byte
// so that tests control every stored name and attribute.
std::string makeStoredCabinet(const std::vector<CabinetEntry>& entries);

} // namespace cabinet_test
