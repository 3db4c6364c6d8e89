#include "grammar/block_index.h"

namespace grammar {

BlockIndex::BlockIndex(std::string_view text) {
    pair(text);
}

BlockIndex::BlockIndex(std::u16string_view text) {
    pair(text);
}

template <typename Char> void BlockIndex::pair(std::basic_string_view<Char> text) {
    std::vector<std::int32_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Char('{')) {
            open.push_back(static_cast<std::int32_t>(close_.size()));
            close_.push_back(-1);
            next_.push_back(-1);
        } else if (text[i] == Char('}') && !open.empty()) {
            const std::size_t block = static_cast<std::size_t>(open.back());
            open.pop_back();
            close_[block] = static_cast<std::int32_t>(i);
            next_[block] = static_cast<std::int32_t>(close_.size());
        }
    }
}

} // namespace grammar
