#include "grammar/block_index.h"

namespace grammar {

BlockIndex::BlockIndex(std::string_view text) {
    pair(text);
}

BlockIndex::BlockIndex(std::u16string_view text) {
    pair(text);
}

// Braces are rare in a saved-variables text, so the scan jumps from one to the next.
template <typename Char> void BlockIndex::pair(std::basic_string_view<Char> text) {
    constexpr std::size_t kNone = std::basic_string_view<Char>::npos;
    std::vector<std::int32_t> open;
    std::size_t nextOpen = text.find(Char('{'));
    std::size_t nextClose = text.find(Char('}'));
    while (nextOpen != kNone || nextClose != kNone) {
        if (nextOpen < nextClose) {
            open.push_back(static_cast<std::int32_t>(close_.size()));
            close_.push_back(-1);
            next_.push_back(-1);
            nextOpen = text.find(Char('{'), nextOpen + 1);
            continue;
        }
        if (!open.empty()) {
            const std::size_t block = static_cast<std::size_t>(open.back());
            open.pop_back();
            close_[block] = static_cast<std::int32_t>(nextClose);
            next_[block] = static_cast<std::int32_t>(close_.size());
        }
        nextClose = text.find(Char('}'), nextClose + 1);
    }
}

} // namespace grammar
