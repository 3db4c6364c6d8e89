#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace grammar {

// The brace pairs of a text, matched by count alone. Only braces that have a partner are kept,
// numbered in the text order of their opening brace; for each pair the index holds both
// positions and the number of the first pair that opens after it closes, so that a scan can
// step over a whole block at once. An opening brace without a partner has no number, so a
// text of unmatched braces costs next to no memory.
class BlockIndex {
public:
    explicit BlockIndex(std::string_view text);

    std::int32_t count() const { return static_cast<std::int32_t>(open_.size()); }
    // Whether the opening brace at `head` is pair number `block` (false past the last pair).
    bool opensAt(std::int32_t block, std::int32_t head) const {
        return block < count() && open_[index(block)] == head;
    }
    std::int32_t closeOf(std::int32_t block) const { return close_[index(block)]; }
    std::int32_t nextAfter(std::int32_t block) const { return next_[index(block)]; }

private:
    template <typename Char> void pair(std::basic_string_view<Char> text);

    static std::size_t index(std::int32_t block) { return static_cast<std::size_t>(block); }

    std::vector<std::int32_t> open_;
    std::vector<std::int32_t> close_;
    std::vector<std::int32_t> next_;
};

} // namespace grammar
