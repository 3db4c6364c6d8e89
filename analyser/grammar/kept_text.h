#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace grammar {

// The characters that trimming removes.
template <typename Char> bool isBlank(Char c) {
    return c == Char(' ') || c == Char('\t') || c == Char('\r') || c == Char('\n');
}

// The text that a run of block cuts keeps in front of the unread rest: it only ever grows at
// its end or is cut back from its end. Beside the text it keeps, for every position, where
// the last line feed, quote and non-blank character at or before it stand, and the first few
// such characters from the front, so that questions about it need no rescan.
template <typename Char> class KeptText {
public:
    std::int32_t size() const { return static_cast<std::int32_t>(text_.size()); }
    const std::basic_string<Char>& text() const { return text_; }
    Char at(std::int32_t i) const { return text_[index(i)]; }

    void append(const Char* from, std::int32_t count);
    void truncate(std::int32_t length);
    void clear() { truncate(0); }

    // Positions at or before `i` (which must be inside the text), or -1.
    std::int32_t lastLineFeed(std::int32_t i) const { return lastLineFeed_[index(i)]; }
    std::int32_t lastQuote(std::int32_t i) const { return lastQuote_[index(i)]; }
    std::int32_t lastNonBlank(std::int32_t i) const { return lastNonBlank_[index(i)]; }

    // Positions counted from the front, or -1 when the text has none.
    std::int32_t firstNonBlank() const { return firstNonBlank_; }
    std::int32_t firstQuote() const { return firstQuote_; }
    std::int32_t secondQuote() const { return secondQuote_; }
    std::int32_t firstNonBlankAfterFirstQuote() const { return nonBlankAfterQuote_; }

private:
    static std::size_t index(std::int32_t i) { return static_cast<std::size_t>(i); }

    std::basic_string<Char> text_;
    std::vector<std::int32_t> lastLineFeed_;
    std::vector<std::int32_t> lastQuote_;
    std::vector<std::int32_t> lastNonBlank_;
    std::int32_t firstNonBlank_ = -1;
    std::int32_t firstQuote_ = -1;
    std::int32_t secondQuote_ = -1;
    std::int32_t nonBlankAfterQuote_ = -1;
};

extern template class KeptText<char>;
extern template class KeptText<char16_t>;

} // namespace grammar
