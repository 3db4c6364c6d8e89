#include "ansi_codec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace ustring {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr const char* kAnsiCharset = "CP936";

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// An iconv descriptor that is closed when it goes out of scope.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

std::u16string decodeAnsi(const char* in, std::size_t length) {
    Converter converter("UTF-16LE", kAnsiCharset);
    if (!converter.valid())
        return {};
    std::u16string out;
    char16_t buffer[1024];
    char* inPtr = const_cast<char*>(in);
    std::size_t inLeft = length;
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof(buffer);
        const std::size_t rc = iconv(converter.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, (sizeof(buffer) - outLeft) / sizeof(char16_t));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or truncated sequence: one replacement, then resynchronise.
            out.push_back(kReplacement);
            ++inPtr;
            --inLeft;
            iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string encodeAnsi(const char16_t* in, std::size_t length) {
    Converter converter(kAnsiCharset, "UTF-16LE");
    if (!converter.valid())
        return {};
    std::string out;
    char buffer[1024];
    char* inPtr = reinterpret_cast<char*>(const_cast<char16_t*>(in));
    std::size_t inLeft = length * sizeof(char16_t);
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        const std::size_t rc = iconv(converter.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof(buffer) - outLeft);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A character without a mapping (or a broken surrogate pair): "?" in its place.
            const auto* unit = reinterpret_cast<const char16_t*>(inPtr);
            const bool pair = inLeft >= 4 && isHighSurrogate(unit[0]) && isLowSurrogate(unit[1]);
            const std::size_t skip = std::min<std::size_t>(inLeft, pair ? 4 : 2);
            out.push_back('?');
            inPtr += skip;
            inLeft -= skip;
            iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace ustring
