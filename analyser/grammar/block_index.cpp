#include "grammar/block_index.h"

#include <cstring>

namespace grammar {
namespace {

constexpr std::size_t kNone = std::size_t(-1);

// Braces are rare in a saved-variables text, so the scans jump from one to the next.
template <typename Char>
std::size_t firstOf(std::basic_string_view<Char> text, Char c, std::size_t from) {
    return text.find(c, from);
}

// The last `c` before `end`, or kNone. Searched a stretch at a time, so that each search
// costs what it scans also where a checking build inspects the whole range it is given.
std::size_t lastOf(std::string_view text, char c, std::size_t end) {
    constexpr std::size_t kStretch = 4096;
    while (end > 0) {
        const std::size_t begin = end > kStretch ? end - kStretch : 0;
        if (const void* found = ::memrchr(text.data() + begin, c, end - begin))
            return static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        end = begin;
    }
    return kNone;
}

// Walks the braces of `text` in order (or, with `Backward`, from the end), calling
// `onOpen(position)` and `onClose(position)`.
template <bool Backward, typename Char, typename Open, typename Close>
void forEachBrace(std::basic_string_view<Char> text, Open onOpen, Close onClose) {
    if constexpr (Backward) {
        std::size_t open = lastOf(text, Char('{'), text.size());
        std::size_t close = lastOf(text, Char('}'), text.size());
        while (open != kNone || close != kNone) {
            if (close == kNone || (open != kNone && open > close)) {
                onOpen(open);
                open = lastOf(text, Char('{'), open);
            } else {
                onClose(close);
                close = lastOf(text, Char('}'), close);
            }
        }
    } else {
        std::size_t open = firstOf(text, Char('{'), 0);
        std::size_t close = firstOf(text, Char('}'), 0);
        while (open != kNone || close != kNone) {
            if (open < close) {
                onOpen(open);
                open = firstOf(text, Char('{'), open + 1);
            } else {
                onClose(close);
                close = firstOf(text, Char('}'), close + 1);
            }
        }
    }
}

// The closing braces that close nothing (more closing than opening braces before them), one
// flag per closing brace in text order, and the number of pairs.
template <typename Char>
std::vector<bool> strayClosings(std::basic_string_view<Char> text, std::size_t& pairs) {
    std::vector<bool> stray;
    std::size_t depth = 0;
    pairs = 0;
    forEachBrace<false>(
        text, [&](std::size_t) { ++depth; },
        [&](std::size_t) {
            stray.push_back(depth == 0);
            if (depth > 0) {
                --depth;
                ++pairs;
            }
        });
    return stray;
}

// A closing brace waiting for its opening brace, and how many pairs were complete when it
// was reached: the pairs completed before its partner is found are nested inside it.
struct Waiting {
    std::int32_t close;
    std::int32_t pairsBefore;
};

} // namespace

BlockIndex::BlockIndex(std::string_view text) {
    pair(text);
}

// Scanned from the end, an opening brace has a partner exactly when a closing brace that
// closes something waits for one; the pairs come out last first.
template <typename Char> void BlockIndex::pair(std::basic_string_view<Char> text) {
    std::size_t pairs = 0;
    const std::vector<bool> stray = strayClosings(text, pairs);
    open_.resize(pairs);
    close_.resize(pairs);
    next_.resize(pairs);
    std::vector<Waiting> waiting;
    std::size_t closing = stray.size();
    std::int32_t done = 0;
    forEachBrace<true>(
        text,
        [&](std::size_t head) {
            if (waiting.empty())
                return;
            const Waiting partner = waiting.back();
            waiting.pop_back();
            const std::int32_t block = static_cast<std::int32_t>(pairs) - 1 - done;
            open_[index(block)] = static_cast<std::int32_t>(head);
            close_[index(block)] = partner.close;
            next_[index(block)] = block + 1 + (done - partner.pairsBefore);
            ++done;
        },
        [&](std::size_t tail) {
            if (!stray[--closing])
                waiting.push_back({static_cast<std::int32_t>(tail), done});
        });
}

} // namespace grammar
