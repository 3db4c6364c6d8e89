#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

// Edits the bytes of a small compound file (512-byte sectors, one directory sector) the way
// damage or a hostile writer might.
class CfbDamage {
public:
    explicit CfbDamage(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& bytes() const { return bytes_; }

    std::uint32_t u32(std::size_t offset) const {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
        return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
    }
    void setU32(std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_[offset + i] = static_cast<char>(value >> (8 * i));
    }
    void setU16(std::size_t offset, std::uint16_t value) {
        bytes_[offset] = static_cast<char>(value);
        bytes_[offset + 1] = static_cast<char>(value >> 8);
    }

    std::size_t sectorOffset(std::uint32_t sector) const { return (sector + 1) * 512u; }
    std::size_t fatEntryOffset(std::uint32_t sector) const {
        return sectorOffset(u32(76)) + 4 * sector;
    }
    std::uint32_t directorySector() const { return u32(48); }
    std::size_t entryOffset(std::uint32_t id) const {
        return sectorOffset(directorySector()) + 128 * id;
    }
    // The directory id of the entry with that ASCII name.
    std::uint32_t entryId(std::string_view name) const {
        for (std::uint32_t id = 0; id < 4; ++id) {
            const std::size_t offset = entryOffset(id);
            std::string entryName;
            for (std::size_t i = 0; bytes_[offset + 2 * i] != 0 && i < 32; ++i)
                entryName.push_back(bytes_[offset + 2 * i]);
            if (entryName == name)
                return id;
        }
        return 0xFFFFFFFF;
    }

    static std::string randomBytes(std::size_t size, unsigned seed) {
        std::mt19937 random(seed);
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    }

private:
    std::string bytes_;
};
