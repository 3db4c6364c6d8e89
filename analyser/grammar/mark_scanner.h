#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace grammar {

// The commas, equals signs and double quotes of a text, in text order: the only characters
// that cutting a table's own text into `key = value` pieces looks at. The text is read sixteen
// bytes at a time, so the long values between the marks (tooltips) cost next to nothing.
class MarkScanner {
public:
    static constexpr std::size_t kEnd = std::string_view::npos;

    explicit MarkScanner(std::string_view text) : text_(text) { load(0); }

    // The position of the next mark, or kEnd after the last.
    std::size_t next() {
        while (marks_ == 0) {
            if (block_ + kBlock >= text_.size())
                return kEnd;
            load(block_ + kBlock);
        }
        const auto bit = static_cast<std::size_t>(__builtin_ctz(marks_));
        marks_ &= marks_ - 1;
        return block_ + bit;
    }

private:
    static constexpr std::size_t kBlock = 16;

    // The marks of the block at `at` as bits; the bytes past the end of the text read as none.
    void load(std::size_t at) {
        block_ = at;
        char padded[kBlock] = {};
        const char* bytes = text_.data() + at;
        const std::size_t left = text_.size() - at;
        if (left < kBlock) {
            if (left > 0)
                std::memcpy(padded, bytes, left);
            bytes = padded;
        }
#if defined(__SSE2__)
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
        const __m128i marks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(',')),
                                                        _mm_cmpeq_epi8(block, _mm_set1_epi8('='))),
                                           _mm_cmpeq_epi8(block, _mm_set1_epi8('"')));
        marks_ = static_cast<std::uint32_t>(_mm_movemask_epi8(marks));
#else
        marks_ = 0;
        for (std::size_t i = 0; i < kBlock; ++i)
            if (bytes[i] == ',' || bytes[i] == '=' || bytes[i] == '"')
                marks_ |= 1u << i;
#endif
    }

    std::string_view text_;
    std::size_t block_ = 0;
    std::uint32_t marks_ = 0;
};

} // namespace grammar
