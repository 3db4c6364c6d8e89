#include "cfb_validator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace compoundfile {
namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::size_t kHeaderDifatEntries = 109;
// Far beyond any settings file, small enough for the library's recursive directory walk.
constexpr std::size_t kMaxDirectoryEntries = 10000;
constexpr std::size_t kMaxTreeDepth = 1024;

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

enum EntryType : std::uint8_t { kStorage = 1, kStream = 2, kRoot = 5 };

struct Entry {
    std::uint8_t type = 0;
    std::uint32_t left = kNoStream;
    std::uint32_t right = kNoStream;
    std::uint32_t child = kNoStream;
    std::uint32_t start = kEndOfChain;
    std::uint64_t size = 0;
    bool nameValid = false;
};

std::uint64_t ceilDiv(std::uint64_t a, std::uint64_t b) {
    return (a + b - 1) / b;
}

class Validator {
public:
    explicit Validator(std::string_view bytes) : bytes_(bytes) {}

    bool run() {
        return readHeader() && readFat() && readDirectory() && readMiniFat() && checkTree();
    }

private:
    std::uint16_t u16(std::size_t offset) const {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
        return static_cast<std::uint16_t>(p[0] | p[1] << 8);
    }
    std::uint32_t u32(std::size_t offset) const {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
        return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
               std::uint32_t{p[3]} << 24;
    }
    std::size_t sectorOffset(std::uint32_t sector) const {
        return (std::size_t{sector} + 1) * sectorSize_;
    }

    bool readHeader() {
        if (bytes_.size() < kHeaderSize || std::memcmp(bytes_.data(), kSignature, 8) != 0)
            return false;
        if (u16(28) != 0xFFFE || u16(32) != 6 || u32(56) != kMiniStreamCutoff)
            return false;
        major_ = u16(26);
        const std::uint16_t shift = u16(30);
        if (!((major_ == 3 && shift == 9) || (major_ == 4 && shift == 12)))
            return false;
        sectorSize_ = 1u << shift;
        if (bytes_.size() < sectorSize_)
            return false;
        // Only whole sectors count; a sector cut off by the end of the file is unusable.
        sectorCount_ = (bytes_.size() - sectorSize_) / sectorSize_;
        return true;
    }

    // Follows a chain through `table`, marking its sectors in `used`; fails on a loop, on a
    // sector that another chain already holds, on a pointer out of range, and on a special
    // value other than the end marker. Since no sector is walked twice, the whole check
    // stays linear in the size of the file.
    static bool follow(std::uint32_t start, const std::vector<std::uint32_t>& table,
                       std::vector<bool>& used, std::vector<std::uint32_t>& chain) {
        chain.clear();
        const std::size_t limit = std::min(table.size(), used.size());
        for (std::uint32_t sector = start; sector != kEndOfChain; sector = table[sector]) {
            if (sector >= limit || used[sector])
                return false;
            used[sector] = true;
            chain.push_back(sector);
        }
        return true;
    }

    bool readFat() {
        const std::uint32_t fatSectors = u32(44);
        if (fatSectors == 0 || fatSectors > sectorCount_)
            return false;
        std::vector<std::uint32_t> fatIds;
        for (std::size_t i = 0; i < kHeaderDifatEntries && fatIds.size() < fatSectors; ++i)
            fatIds.push_back(u32(76 + 4 * i));
        const std::size_t perDifatSector = sectorSize_ / 4 - 1;
        fatUsed_.assign(sectorCount_, false);
        std::uint32_t difat = u32(68);
        std::uint32_t difatSectors = 0;
        while (fatIds.size() < fatSectors) {
            ++difatSectors;
            if (difat >= sectorCount_ || fatUsed_[difat])
                return false;
            fatUsed_[difat] = true;
            const std::size_t base = sectorOffset(difat);
            for (std::size_t i = 0; i < perDifatSector && fatIds.size() < fatSectors; ++i)
                fatIds.push_back(u32(base + 4 * i));
            difat = u32(base + 4 * perDifatSector);
        }
        // The library trusts the header's counts, so they must match the chains.
        if (difatSectors != u32(72))
            return false;
        fat_.reserve(std::size_t{fatSectors} * (sectorSize_ / 4));
        for (const std::uint32_t id : fatIds) {
            if (id >= sectorCount_ || fatUsed_[id])
                return false;
            fatUsed_[id] = true;
            const std::size_t base = sectorOffset(id);
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i)
                fat_.push_back(u32(base + 4 * i));
        }
        return true;
    }

    bool readDirectory() {
        std::vector<std::uint32_t> chain;
        if (!follow(u32(48), fat_, fatUsed_, chain) || chain.empty())
            return false;
        const std::size_t perSector = sectorSize_ / kDirectoryEntrySize;
        entries_.reserve(chain.size() * perSector);
        for (const std::uint32_t sector : chain)
            for (std::size_t i = 0; i < perSector; ++i)
                entries_.push_back(readEntry(sectorOffset(sector) + i * kDirectoryEntrySize));
        // The root has no siblings: the library would read each as another root, belonging to
        // nothing, and never free it.
        const Entry& root = entries_.front();
        return root.type == kRoot && root.size <= bytes_.size() && root.left == kNoStream &&
               root.right == kNoStream;
    }

    Entry readEntry(std::size_t offset) const {
        Entry entry;
        const std::uint16_t nameBytes = u16(offset + 64);
        entry.nameValid = nameBytes >= 4 && nameBytes <= 64 && nameBytes % 2 == 0 &&
                          u16(offset + nameBytes - 2) == 0;
        for (std::size_t i = 0; entry.nameValid && i + 2 < nameBytes; i += 2)
            entry.nameValid = u16(offset + i) != 0;
        entry.type = static_cast<std::uint8_t>(bytes_[offset + 66]);
        entry.left = u32(offset + 68);
        entry.right = u32(offset + 72);
        entry.child = u32(offset + 76);
        entry.start = u32(offset + 116);
        // Version 3 files may leave garbage in the upper half of the size.
        entry.size = major_ == 3 ? u32(offset + 120)
                                 : (std::uint64_t{u32(offset + 124)} << 32 | u32(offset + 120));
        return entry;
    }

    bool readMiniFat() {
        const Entry& root = entries_.front();
        if (!follow(root.start, fat_, fatUsed_, miniStreamChain_) ||
            miniStreamChain_.size() < ceilDiv(root.size, sectorSize_))
            return false;
        std::vector<std::uint32_t> chain;
        if (!follow(u32(60), fat_, fatUsed_, chain) || chain.size() != u32(64))
            return false;
        for (const std::uint32_t sector : chain)
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i)
                miniFat_.push_back(u32(sectorOffset(sector) + 4 * i));
        miniUsed_.assign(root.size / kMiniSectorSize, false);
        return true;
    }

    bool checkStream(const Entry& entry) {
        if (entry.size > bytes_.size())
            return false;
        if (entry.size == 0)
            return true;
        std::vector<std::uint32_t> chain;
        if (entry.size >= kMiniStreamCutoff)
            return follow(entry.start, fat_, fatUsed_, chain) &&
                   chain.size() >= ceilDiv(entry.size, sectorSize_);
        return follow(entry.start, miniFat_, miniUsed_, chain) &&
               chain.size() >= ceilDiv(entry.size, kMiniSectorSize);
    }

    // Walks the directory tree from the root: every reachable entry once, in range, of a
    // known kind, with a sound name and stream.
    bool checkTree() {
        std::vector<bool> seen(entries_.size(), false);
        std::vector<std::pair<std::uint32_t, std::size_t>> pending;
        if (entries_.front().child != kNoStream)
            pending.emplace_back(entries_.front().child, 1);
        std::size_t reached = 0;
        while (!pending.empty()) {
            const auto [id, depth] = pending.back();
            pending.pop_back();
            if (id >= entries_.size() || id == 0 || seen[id] || depth > kMaxTreeDepth ||
                ++reached > kMaxDirectoryEntries)
                return false;
            seen[id] = true;
            const Entry& entry = entries_[id];
            if (!entry.nameValid || (entry.type != kStorage && entry.type != kStream))
                return false;
            if (entry.type == kStream && (entry.child != kNoStream || !checkStream(entry)))
                return false;
            for (const std::uint32_t next : {entry.left, entry.right, entry.child})
                if (next != kNoStream)
                    pending.emplace_back(next, depth + 1);
        }
        return true;
    }

    std::string_view bytes_;
    std::uint16_t major_ = 0;
    std::uint32_t sectorSize_ = 0;
    std::size_t sectorCount_ = 0;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    std::vector<std::uint32_t> miniStreamChain_;
    std::vector<bool> fatUsed_;
    std::vector<bool> miniUsed_;
    std::vector<Entry> entries_;
};

} // namespace

bool isSoundCompoundFile(std::string_view bytes) {
    return Validator(bytes).run();
}

} // namespace compoundfile
