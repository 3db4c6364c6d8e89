#include "grammar/position_set.h"

#include <algorithm>
#include <bit>

namespace grammar {
namespace {

std::size_t count(std::int32_t n) {
    return static_cast<std::size_t>(n);
}

// The highest set bit of a word that has one.
std::int32_t highestBit(std::uint64_t word) {
    return 63 - std::countl_zero(word);
}

} // namespace

// A stretch is a whole number of words, so a new stretch starts only where a new word does.
void PositionSet::append(std::uint64_t bits, std::int32_t count) {
    while (count > 0) {
        const std::int32_t at = size_;
        const std::int32_t offset = at % kWordBits;
        if (offset == 0) {
            if (at % kStretch == 0)
                lastBeforeStretch_.push_back(last_);
            words_.push_back(0);
        }
        const std::int32_t take = std::min(count, kWordBits - offset);
        const std::uint64_t part =
            take == kWordBits ? bits : bits & ((std::uint64_t{1} << take) - 1);
        words_.back() |= part << offset;
        if (part != 0)
            last_ = at + highestBit(part);
        bits = take == kWordBits ? 0 : bits >> take;
        count -= take;
        size_ += take;
    }
}

void PositionSet::truncate(std::int32_t length) {
    if (length >= size_)
        return;
    size_ = length;
    words_.resize(count((length + kWordBits - 1) / kWordBits));
    if (length % kWordBits != 0)
        words_.back() &= (std::uint64_t{1} << (length % kWordBits)) - 1;
    lastBeforeStretch_.resize(count((length + kStretch - 1) / kStretch));
    last_ = length > 0 ? lastAtOrBefore(length - 1) : -1;
}

std::int32_t PositionSet::lastAtOrBefore(std::int32_t i) const {
    std::int32_t word = i / kWordBits;
    const std::int32_t bit = i % kWordBits;
    const std::uint64_t upToBit =
        bit == kWordBits - 1 ? ~std::uint64_t{0} : (std::uint64_t{1} << (bit + 1)) - 1;
    if (const std::uint64_t bits = words_[count(word)] & upToBit; bits != 0)
        return word * kWordBits + highestBit(bits);
    const std::int32_t stretchStart = i / kStretch * kStretchWords;
    while (--word >= stretchStart)
        if (words_[count(word)] != 0)
            return word * kWordBits + highestBit(words_[count(word)]);
    return lastBeforeStretch_[count(i / kStretch)];
}

} // namespace grammar
