#include "grammar/kept_text.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace grammar {
namespace {

void forgetFrom(std::int32_t& position, std::int32_t length) {
    if (position >= length)
        position = -1;
}

} // namespace

template <typename Char>
auto KeptText<Char>::bitsOf(const Char* from, std::int32_t n) -> BlockBits {
    const std::uint32_t kept = n == kBlock ? 0xFFFFu : (std::uint32_t{1} << n) - 1;
    BlockBits bits{0, 0, 0};
#if defined(__SSE2__)
    if constexpr (sizeof(Char) == 1) {
        char padded[kBlock] = {};
        const char* bytes = from;
        if (n < kBlock) {
            std::memcpy(padded, from, static_cast<std::size_t>(n));
            bytes = padded;
        }
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        const auto is = [&](char c) {
            return static_cast<std::uint32_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
        };
        const std::uint32_t lineFeeds = is('\n');
        bits.lineFeeds = lineFeeds & kept;
        bits.quotes = is('"') & kept;
        bits.nonBlanks = ~(lineFeeds | is(' ') | is('\t') | is('\r')) & kept;
        return bits;
    }
#endif
    for (std::int32_t i = 0; i < n; ++i) {
        const Char c = from[i];
        bits.lineFeeds |= static_cast<std::uint32_t>(c == Char('\n')) << i;
        bits.quotes |= static_cast<std::uint32_t>(c == Char('"')) << i;
        bits.nonBlanks |= static_cast<std::uint32_t>(!isBlank(c)) << i;
    }
    return bits;
}

template <typename Char>
auto KeptText<Char>::pieceAt(std::int32_t i) const -> typename std::vector<Piece>::const_iterator {
    if (pieces_.back().at <= i)
        return pieces_.end() - 1;
    return std::upper_bound(pieces_.begin(), pieces_.end(), i,
                            [](std::int32_t at, const Piece& piece) { return at < piece.at; }) -
           1;
}

template <typename Char>
std::int32_t KeptText<Char>::endOf(typename std::vector<Piece>::const_iterator piece) const {
    return piece + 1 == pieces_.end() ? size_ : (piece + 1)->at;
}

template <typename Char> Char KeptText<Char>::at(std::int32_t i) const {
    const auto piece = pieceAt(i);
    return piece->from[i - piece->at];
}

template <typename Char>
void KeptText<Char>::copyTo(std::basic_string<Char>& out, std::int32_t from,
                            std::int32_t to) const {
    if (to <= from)
        return;
    for (auto piece = pieceAt(from); from < to; ++piece) {
        const std::int32_t end = std::min(to, endOf(piece));
        out.append(piece->from + (from - piece->at), static_cast<std::size_t>(end - from));
        from = end;
    }
}

// Sixteen characters at a time: the three kinds of position as bits, and the first few found
// from the bits.
template <typename Char> void KeptText<Char>::append(const Char* from, std::int32_t count) {
    if (count <= 0)
        return;
    pieces_.push_back({size_, from});
    for (std::int32_t done = 0; done < count; done += kBlock) {
        const std::int32_t n = std::min(kBlock, count - done);
        const BlockBits bits = bitsOf(from + done, n);
        const std::int32_t start = size_;
        lineFeeds_.append(bits.lineFeeds, n);
        quotes_.append(bits.quotes, n);
        nonBlanks_.append(bits.nonBlanks, n);
        size_ += n;
        noteFirsts(start, bits);
    }
}

// The first non-blank, the first two quotes, and the first non-blank after the first quote.
template <typename Char>
void KeptText<Char>::noteFirsts(std::int32_t start, const BlockBits& bits) {
    const auto firstOf = [&](std::uint32_t set) { return start + std::countr_zero(set); };
    if (firstNonBlank_ < 0 && bits.nonBlanks != 0)
        firstNonBlank_ = firstOf(bits.nonBlanks);
    std::uint32_t quotes = bits.quotes;
    if (firstQuote_ < 0 && quotes != 0) {
        firstQuote_ = firstOf(quotes);
        quotes &= quotes - 1;
    }
    if (secondQuote_ < 0 && quotes != 0)
        secondQuote_ = firstOf(quotes);
    if (firstQuote_ >= 0 && nonBlankAfterQuote_ < 0) {
        std::uint32_t after = bits.nonBlanks;
        if (firstQuote_ >= start)
            after &= ~((std::uint32_t{2} << (firstQuote_ - start)) - 1);
        if (after != 0)
            nonBlankAfterQuote_ = firstOf(after);
    }
}

template <typename Char> void KeptText<Char>::truncate(std::int32_t length) {
    if (length >= size_)
        return;
    while (!pieces_.empty() && pieces_.back().at >= length)
        pieces_.pop_back();
    size_ = length;
    lineFeeds_.truncate(length);
    quotes_.truncate(length);
    nonBlanks_.truncate(length);
    forgetFrom(firstNonBlank_, length);
    forgetFrom(firstQuote_, length);
    forgetFrom(secondQuote_, length);
    forgetFrom(nonBlankAfterQuote_, length);
}

template class KeptText<char>;

} // namespace grammar
