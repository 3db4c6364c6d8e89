#include "testsupport/cabinet_builder.h"

namespace cabinet_test {
namespace {

void put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr std::uint32_t kHeaderSize = 36;
constexpr std::uint32_t kFolderSize = 8;
constexpr std::uint32_t kFileFixedSize = 16;
constexpr std::uint32_t kDataHeaderSize = 8;

} // namespace

std::string makeStoredCabinet(const std::vector<CabinetEntry>& entries) {
    std::uint32_t filesSize = 0;
    std::uint32_t dataSize = 0;
    for (const CabinetEntry& entry : entries) {
        filesSize += kFileFixedSize + static_cast<std::uint32_t>(entry.name.size()) + 1;
        dataSize += kDataHeaderSize + static_cast<std::uint32_t>(entry.data.size());
    }
    const std::uint32_t filesOffset = kHeaderSize + kFolderSize;
    const std::uint32_t dataOffset = filesOffset + filesSize;
    const auto count = static_cast<std::uint32_t>(entries.size());

    std::string out = "MSCF";
    put32(out, 0);
    put32(out, dataOffset + dataSize);
    put32(out, 0);
    put32(out, filesOffset);
    put32(out, 0);
    out.push_back(3); // format version 1.3
    out.push_back(1);
    put16(out, 1); // one folder
    put16(out, count);
    put16(out, 0); // no flags
    put16(out, 0); // set id
    put16(out, 0); // cabinet index

    put32(out, dataOffset);
    put16(out, count); // data blocks
    put16(out, 0);     // stored

    std::uint32_t offset = 0;
    for (const CabinetEntry& entry : entries) {
        put32(out, static_cast<std::uint32_t>(entry.data.size()));
        put32(out, offset);
        put16(out, 0);
        put16(out, static_cast<std::uint32_t>(((entry.year - 1980) << 9) | (entry.month << 5) |
                                              entry.day));
        put16(out, static_cast<std::uint32_t>((entry.hour << 11) | (entry.minute << 5) |
                                              (entry.second / 2)));
        put16(out, entry.attributes);
        out += entry.name;
        out.push_back('\0');
        offset += static_cast<std::uint32_t>(entry.data.size());
    }
    for (const CabinetEntry& entry : entries) {
        put32(out, 0); // no checksum
        put16(out, static_cast<std::uint32_t>(entry.data.size()));
        put16(out, static_cast<std::uint32_t>(entry.data.size()));
        out += entry.data;
    }
    return out;
}

} // namespace cabinet_test
