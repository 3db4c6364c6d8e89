#include "grammar/blanked_text.h"

#include "grammar/utf8_units.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace grammar {
namespace {

// In UTF-8 a comment is blanked with one blank for
// each UTF-16 code unit it decodes to, as it is in the decoded text; the bytes shrink, so the
// text is compacted as it goes.
void blankComments(std::string& bytes) {
    const std::size_t n = bytes.size();
    std::size_t out = 0;
    std::size_t in = 0;
    auto keep = [&](std::size_t end) {
        if (out != in)
            std::memmove(bytes.data() + out, bytes.data() + in, end - in);
        out += end - in;
        in = end;
    };
    for (std::size_t dash = bytes.find("--"); dash != std::string::npos;
         dash = bytes.find("--", in)) {
        keep(dash);
        const std::size_t lineFeed = bytes.find('\n', dash);
        const std::size_t end = lineFeed == std::string::npos ? n : lineFeed + 1;
        const std::size_t units = unitCount(std::string_view(bytes.data() + dash, end - dash));
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(out), units, ' ');
        out += units;
        in = end;
    }
    keep(n);
    bytes.resize(out);
}

void blankCommaAfterBrace(std::string& text) {
    for (std::size_t brace = text.find('}'); brace != text.npos && brace + 1 < text.size();
         brace = text.find('}', brace + 1))
        if (text[brace + 1] == ',')
            text[brace + 1] = ' ';
}

// How many commas the text holds, counted sixteen bytes at a time: each block's matches are
// added up bytewise and summed every 255 blocks, before a byte can overflow.
std::size_t commaCount(std::string_view text) {
    std::size_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(',');
    while (i + 16 <= text.size()) {
        __m128i sums = _mm_setzero_si128();
        for (int blocks = 0; blocks < 255 && i + 16 <= text.size(); ++blocks, i += 16) {
            const __m128i block =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
            sums = _mm_sub_epi8(sums, _mm_cmpeq_epi8(block, comma));
        }
        const __m128i halves = _mm_sad_epu8(sums, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(halves)) +
                 static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
    }
#endif
    for (; i < text.size(); ++i)
        count += text[i] == ',';
    return count;
}

} // namespace

std::size_t blankCommentsAndBraceCommas(std::string& bytes) {
    blankComments(bytes);
    blankCommaAfterBrace(bytes);
    return commaCount(bytes);
}

} // namespace grammar
