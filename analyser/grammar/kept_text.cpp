#include "grammar/kept_text.h"

#include <algorithm>

namespace grammar {
namespace {

void forgetFrom(std::int32_t& position, std::int32_t length) {
    if (position >= length)
        position = -1;
}

} // namespace

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

template <typename Char> void KeptText<Char>::append(const Char* from, std::int32_t count) {
    if (count <= 0)
        return;
    const std::int32_t start = size_;
    pieces_.push_back({start, from});
    size_ += count;
    for (std::int32_t i = start; i < size_; ++i) {
        const Char c = from[i - start];
        const bool blank = isBlank(c);
        lineFeeds_.push(c == Char('\n'));
        quotes_.push(c == Char('"'));
        nonBlanks_.push(!blank);
        if (!blank && firstNonBlank_ < 0)
            firstNonBlank_ = i;
        if (!blank && firstQuote_ >= 0 && nonBlankAfterQuote_ < 0)
            nonBlankAfterQuote_ = i;
        if (c == Char('"')) {
            if (firstQuote_ < 0)
                firstQuote_ = i;
            else if (secondQuote_ < 0)
                secondQuote_ = i;
        }
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
