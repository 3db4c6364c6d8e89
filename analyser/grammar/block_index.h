#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace grammar {

// The brace pairs of a text, matched by count alone, found in one pass. Opening braces are
// numbered in text order; for each one the index keeps the position of its closing brace
// (-1 when it has none) and the number of the first opening brace after that closing brace,
// so that a scan can step over a whole block at once.
class BlockIndex {
public:
    explicit BlockIndex(std::string_view text);
    explicit BlockIndex(std::u16string_view text);

    std::int32_t closeOf(std::int32_t block) const { return close_[index(block)]; }
    std::int32_t nextAfter(std::int32_t block) const { return next_[index(block)]; }

private:
    template <typename Char> void pair(std::basic_string_view<Char> text);

    static std::size_t index(std::int32_t block) { return static_cast<std::size_t>(block); }

    std::vector<std::int32_t> close_;
    std::vector<std::int32_t> next_;
};

} // namespace grammar
