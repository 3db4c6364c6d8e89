#pragma once

#include <cstdint>
#include <vector>

namespace grammar {

// The positions of one kind of character in a text that grows at its end and is cut back from
// its end: one bit per position, and for every stretch of positions the last one before it, so
// that finding the last position at or before another looks at one stretch at most. It costs
// an eighth of a byte per position whatever the text holds.
class PositionSet {
public:
    // Appends `count` positions (at most 64), members where `bits` has a one; the bits from
    // `count` up are zero.
    void append(std::uint64_t bits, std::int32_t count);
    void truncate(std::int32_t length);
    // The last member at or before `i` (which must be below the size), or -1.
    std::int32_t lastAtOrBefore(std::int32_t i) const;

private:
    static constexpr std::int32_t kWordBits = 64;
    static constexpr std::int32_t kStretchWords = 8;
    static constexpr std::int32_t kStretch = kWordBits * kStretchWords;

    std::vector<std::uint64_t> words_;
    std::vector<std::int32_t> lastBeforeStretch_;
    std::int32_t size_ = 0;
    std::int32_t last_ = -1;
};

} // namespace grammar
