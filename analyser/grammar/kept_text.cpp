#include "grammar/kept_text.h"

namespace grammar {
namespace {

std::int32_t previous(const std::vector<std::int32_t>& positions) {
    return positions.empty() ? -1 : positions.back();
}

void forgetFrom(std::int32_t& position, std::int32_t length) {
    if (position >= length)
        position = -1;
}

} // namespace

template <typename Char> void KeptText<Char>::append(const Char* from, std::int32_t count) {
    if (count <= 0)
        return;
    const std::int32_t start = size();
    const std::size_t end = index(start + count);
    std::int32_t lineFeed = previous(lastLineFeed_);
    std::int32_t quote = previous(lastQuote_);
    std::int32_t nonBlank = previous(lastNonBlank_);
    text_.append(from, static_cast<std::size_t>(count));
    lastLineFeed_.resize(end);
    lastQuote_.resize(end);
    lastNonBlank_.resize(end);
    for (std::int32_t i = start; i < start + count; ++i) {
        const Char c = text_[index(i)];
        const bool blank = isBlank(c);
        if (c == Char('\n'))
            lineFeed = i;
        if (!blank)
            nonBlank = i;
        lastLineFeed_[index(i)] = lineFeed;
        lastNonBlank_[index(i)] = nonBlank;
        if (!blank && firstNonBlank_ < 0)
            firstNonBlank_ = i;
        if (!blank && firstQuote_ >= 0 && nonBlankAfterQuote_ < 0)
            nonBlankAfterQuote_ = i;
        if (c == Char('"')) {
            quote = i;
            if (firstQuote_ < 0)
                firstQuote_ = i;
            else if (secondQuote_ < 0)
                secondQuote_ = i;
        }
        lastQuote_[index(i)] = quote;
    }
}

template <typename Char> void KeptText<Char>::truncate(std::int32_t length) {
    if (length >= size())
        return;
    const std::size_t kept = static_cast<std::size_t>(length);
    text_.resize(kept);
    lastLineFeed_.resize(kept);
    lastQuote_.resize(kept);
    lastNonBlank_.resize(kept);
    forgetFrom(firstNonBlank_, length);
    forgetFrom(firstQuote_, length);
    forgetFrom(secondQuote_, length);
    forgetFrom(nonBlankAfterQuote_, length);
}

template class KeptText<char>;
template class KeptText<char16_t>;

} // namespace grammar
