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
    for (std::int32_t k = 0; k < count; ++k) {
        const Char c = from[k];
        const std::int32_t i = size();
        const bool blank = isBlank(c);
        lastLineFeed_.push_back(c == Char('\n') ? i : previous(lastLineFeed_));
        lastQuote_.push_back(c == Char('"') ? i : previous(lastQuote_));
        lastNonBlank_.push_back(blank ? previous(lastNonBlank_) : i);
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
        text_.push_back(c);
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
