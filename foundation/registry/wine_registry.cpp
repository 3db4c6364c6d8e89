#include "registry/wine_registry.h"

#include "filecase/filecase.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <cstdlib>

namespace registry {
namespace {

int digitValue(char16_t c, int radix) {
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < radix ? value : -1;
}

// Reads up to `maxDigits` digits of `radix` at `pos`, moving past them.
char16_t readNumber(std::u16string_view text, std::size_t& pos, int radix, int maxDigits) {
    unsigned value = 0;
    for (int i = 0; i < maxDigits && pos < text.size(); ++i) {
        const int digit = digitValue(text[pos], radix);
        if (digit < 0)
            break;
        value = value * unsigned(radix) + unsigned(digit);
        ++pos;
    }
    return char16_t(value);
}

char16_t controlEscape(char16_t c) {
    switch (c) {
    case u'a':
        return u'\a';
    case u'b':
        return u'\b';
    case u'e':
        return u'\x1b';
    case u'f':
        return u'\f';
    case u'n':
        return u'\n';
    case u'r':
        return u'\r';
    case u't':
        return u'\t';
    case u'v':
        return u'\v';
    default:
        return c;
    }
}

// Unescapes the text from `pos` up to the unescaped `end` character, leaving `pos` just after
// it. Nothing when the text ends first.
std::optional<std::u16string> readEscaped(std::u16string_view text, std::size_t& pos,
                                          char16_t end) {
    std::u16string out;
    while (pos < text.size()) {
        const char16_t c = text[pos++];
        if (c == end)
            return out;
        if (c != u'\\' || pos == text.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t next = text[pos];
        if (next == u'x') {
            ++pos;
            out.push_back(readNumber(text, pos, 16, 4));
        } else if (next >= u'0' && next <= u'7') {
            out.push_back(readNumber(text, pos, 8, 3));
        } else {
            ++pos;
            out.push_back(controlEscape(next));
        }
    }
    return std::nullopt;
}

// The key of a section line "[Key\\Path] 1234", unescaped.
std::optional<std::u16string> sectionKey(std::u16string_view line) {
    std::size_t pos = 1;
    return readEscaped(line, pos, u']');
}

// The string of a value line `"name"="text"` or `"name"=str(2):"text"` when its name is
// `name` ("@" is the default value).
std::optional<std::u16string> stringOfValueLine(std::u16string_view line,
                                                std::u16string_view name) {
    std::size_t pos = 1;
    std::optional<std::u16string> lineName(std::in_place, 1, u'@');
    if (!line.starts_with(u"@"))
        lineName = readEscaped(line, pos, u'"');
    if (!lineName)
        return std::nullopt;
    if (!filecase::equalIgnoringCase(*lineName, name) || pos >= line.size() || line[pos] != u'=')
        return std::nullopt;
    std::u16string_view data = line.substr(pos + 1);
    for (std::u16string_view tag : {u"str(1):", u"str(2):"}) {
        if (data.starts_with(tag))
            data.remove_prefix(tag.size());
    }
    if (!data.starts_with(u"\""))
        return std::nullopt;
    std::size_t at = 1;
    return readEscaped(data, at, u'"');
}

bool isDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

std::optional<std::u16string> findStringValue(std::string_view text, std::u16string_view key,
                                              std::u16string_view name) {
    const std::u16string wide = ustring::fromUtf8(text);
    const std::u16string_view all(wide);
    bool inKey = false;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find(u'\n', start);
        if (end == std::u16string_view::npos)
            end = all.size();
        std::u16string_view line = all.substr(start, end - start);
        start = end + 1;
        if (line.ends_with(u"\r"))
            line.remove_suffix(1);
        if (line.starts_with(u"[")) {
            const auto section = sectionKey(line);
            inKey = section && filecase::equalIgnoringCase(*section, key);
        } else if (inKey && (line.starts_with(u"\"") || line.starts_with(u"@"))) {
            if (auto value = stringOfValueLine(line, name))
                return value;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> readStringValue(std::u16string_view file, std::u16string_view key,
                                              std::u16string_view name) {
    std::string text;
    if (!ufile::ReadFileData(file, text))
        return std::nullopt;
    return findStringValue(text, key, name);
}

std::u16string winePrefix() {
    std::u16string prefix;
    if (const char* configured = std::getenv("WINEPREFIX"); configured && *configured)
        prefix = ufile::fromNativePath(configured);
    else if (const char* home = std::getenv("HOME"); home && *home)
        prefix = ufile::fromNativePath(home) + u"/.wine";
    if (!prefix.empty() && prefix.back() != u'/')
        prefix.push_back(u'/');
    return prefix;
}

std::u16string mapWindowsPath(std::u16string_view prefix, std::u16string_view windowsPath) {
    if (windowsPath.size() < 2 || !isDriveLetter(windowsPath[0]) || windowsPath[1] != u':')
        return {};
    if (windowsPath.size() > 2 && windowsPath[2] != u'\\' && windowsPath[2] != u'/')
        return {}; // "C:folder" is relative to a drive's current folder, which Wine cannot know
    const auto drive = char16_t(windowsPath[0] | 0x20); // lower case
    std::u16string base(prefix);
    if (drive == u'c' && ufile::isFolder(base + u"drive_c"))
        base += u"drive_c/";
    else {
        base.append(u"dosdevices/");
        base.push_back(drive);
        base.append(u":/");
    }
    std::u16string relative;
    std::u16string rest(windowsPath.substr(2));
    for (char16_t& c : rest) {
        if (c == u'\\')
            c = u'/';
    }
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t end = rest.find(u'/', start);
        if (end == std::u16string::npos)
            end = rest.size();
        if (end > start) {
            relative.append(rest, start, end - start);
            relative.push_back(u'/');
        }
        start = end + 1;
    }
    if (!relative.empty() && rest.back() != u'/')
        relative.pop_back();
    return filecase::resolve(base, relative);
}

} // namespace registry
