#pragma once

#include "grammar/position_set.h"

#include <cstdint>
#include <string>
#include <vector>

namespace grammar {

// The characters that trimming removes.
template <typename Char> bool isBlank(Char c) {
    return c == Char(' ') || c == Char('\t') || c == Char('\r') || c == Char('\n');
}

// The text that a run of block cuts keeps in front of the unread rest: it only ever grows at
// its end or is cut back from its end. It is made of pieces of the clipped text, which it
// points into rather than copies, and beside them it keeps where its line feeds, quotes and
// non-blank characters stand (a few bits per character) and the first few such characters from
// the front, so that questions about it need no rescan. A long stretch of damage in front of a
// table therefore costs a small part of its size.
template <typename Char> class KeptText {
public:
    std::int32_t size() const { return size_; }
    Char at(std::int32_t i) const;
    // Appends the text [from, to) to `out`.
    void copyTo(std::basic_string<Char>& out, std::int32_t from, std::int32_t to) const;

    // The characters must stay in place for as long as they are kept.
    void append(const Char* from, std::int32_t count);
    void truncate(std::int32_t length);
    void clear() { truncate(0); }

    // Positions at or before `i` (which must be inside the text), or -1.
    std::int32_t lastLineFeed(std::int32_t i) const { return lineFeeds_.lastAtOrBefore(i); }
    std::int32_t lastQuote(std::int32_t i) const { return quotes_.lastAtOrBefore(i); }
    std::int32_t lastNonBlank(std::int32_t i) const { return nonBlanks_.lastAtOrBefore(i); }

    // Positions counted from the front, or -1 when the text has none.
    std::int32_t firstNonBlank() const { return firstNonBlank_; }
    std::int32_t firstQuote() const { return firstQuote_; }
    std::int32_t secondQuote() const { return secondQuote_; }
    std::int32_t firstNonBlankAfterFirstQuote() const { return nonBlankAfterQuote_; }

private:
    // A piece starting at `at` in the kept text; it ends where the next one starts.
    struct Piece {
        std::int32_t at;
        const Char* from;
    };
    // The line feeds, quotes and non-blank characters among `n` (at most kBlock) characters.
    struct BlockBits {
        std::uint32_t lineFeeds;
        std::uint32_t quotes;
        std::uint32_t nonBlanks;
    };
    static constexpr std::int32_t kBlock = 16;
    static BlockBits bitsOf(const Char* from, std::int32_t n);
    void noteFirsts(std::int32_t start, const BlockBits& bits);

    typename std::vector<Piece>::const_iterator pieceAt(std::int32_t i) const;
    std::int32_t endOf(typename std::vector<Piece>::const_iterator piece) const;

    std::vector<Piece> pieces_;
    std::int32_t size_ = 0;
    PositionSet lineFeeds_;
    PositionSet quotes_;
    PositionSet nonBlanks_;
    std::int32_t firstNonBlank_ = -1;
    std::int32_t firstQuote_ = -1;
    std::int32_t secondQuote_ = -1;
    std::int32_t nonBlankAfterQuote_ = -1;
};

extern template class KeptText<char>;

} // namespace grammar
