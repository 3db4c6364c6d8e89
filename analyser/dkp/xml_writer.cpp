#include "dkp/xml_writer.h"

#include "utilkit/ustring.h"

namespace dkp {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Characters XML 1.0 has no way to write, not even as a character reference.
bool isForbidden(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

} // namespace

std::string escapeXml(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            escaped += c;
            escaped += text[++i];
            continue;
        }
        switch (c) {
        case u'<':
            escaped += u"&lt;";
            break;
        case u'>':
            escaped += u"&gt;";
            break; // also keeps "]]>" out of the text
        case u'&':
            escaped += u"&amp;";
            break;
        case u'"':
            escaped += u"&quot;";
            break;
        case u'\'':
            escaped += u"&apos;";
            break;
        // A parser turns literal tabs, line ends and carriage returns in attribute values into
        // blanks, and carriage returns in content into line feeds; references keep them.
        case u'\t':
            escaped += u"&#9;";
            break;
        case u'\n':
            escaped += u"&#10;";
            break;
        case u'\r':
            escaped += u"&#13;";
            break;
        default:
            escaped += isForbidden(c) || isHighSurrogate(c) || isLowSurrogate(c) ? kReplacement : c;
        }
    }
    return ustring::toUtf8(escaped);
}

XmlWriter::XmlWriter() : text_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") {}

void XmlWriter::indent() {
    text_.append(static_cast<std::size_t>(depth_) * 2, ' ');
}

void XmlWriter::open(std::string_view name) {
    indent();
    text_ += "<";
    text_ += name;
    text_ += ">\n";
    ++depth_;
}

void XmlWriter::close(std::string_view name) {
    --depth_;
    indent();
    text_ += "</";
    text_ += name;
    text_ += ">\n";
}

void XmlWriter::leaf(std::string_view name, std::u16string_view text) {
    indent();
    text_ += "<";
    text_ += name;
    text_ += ">";
    text_ += escapeXml(text);
    text_ += "</";
    text_ += name;
    text_ += ">\n";
}

void XmlWriter::leaf(std::string_view name, std::int64_t number) {
    const std::string digits = std::to_string(number);
    leaf(name, std::u16string(digits.begin(), digits.end()));
}

void XmlWriter::leaf(std::string_view name, std::string_view attribute, std::string_view value,
                     std::u16string_view text) {
    indent();
    text_ += "<";
    text_ += name;
    text_ += " ";
    text_ += attribute;
    text_ += "=\"";
    text_ += value;
    text_ += "\">";
    text_ += escapeXml(text);
    text_ += "</";
    text_ += name;
    text_ += ">\n";
}

} // namespace dkp
