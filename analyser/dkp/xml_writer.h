#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dkp {

// Writes an indented UTF-8 XML document element by element. Text is escaped so that any
// string comes back from a parser unchanged, except characters XML 1.0 cannot carry at all
// (control characters other than tab, line feed and carriage return, U+FFFE, U+FFFF and lone
// surrogates), which become U+FFFD.
class XmlWriter {
public:
    XmlWriter();

    void open(std::string_view name);
    void close(std::string_view name);
    void leaf(std::string_view name, std::u16string_view text);
    void leaf(std::string_view name, std::int64_t number);
    // An element with one attribute and text content; the attribute value is a fixed word
    // and written as it is.
    void leaf(std::string_view name, std::string_view attribute, std::string_view value,
              std::u16string_view text);

    const std::string& text() const { return text_; }

private:
    void indent();

    std::string text_;
    int depth_ = 0;
};

// The text escaped for element content and attribute values, as UTF-8.
std::string escapeXml(std::u16string_view text);

} // namespace dkp
