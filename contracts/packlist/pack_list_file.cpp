#include "packlist/pack_list_file.h"

#include "packlist/list_text.h"

#include "utilkit/ufile.h"

#include <limits>
#include <tinyxml2.h>

namespace packlist {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\"?>";

std::string_view attributeBytes(const tinyxml2::XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? std::string_view(value) : std::string_view();
}

Pack packFromElement(const tinyxml2::XMLElement& element) {
    Pack pack;
    pack.name = decodeListText(attributeBytes(element, "name"));
    pack.url = decodeListText(attributeBytes(element, "url"));
    pack.md5 = std::string(attributeBytes(element, "md5"));
    pack.ver = parseListNumber(attributeBytes(element, "ver"));
    pack.type = parseListNumber(attributeBytes(element, "type"));
    return pack;
}

// Parses `document` and gives its first top-level `version` element, or null.
const tinyxml2::XMLElement* versionElement(tinyxml2::XMLDocument& xml, std::string_view document) {
    if (xml.Parse(document.data(), document.size()) != tinyxml2::XML_SUCCESS)
        return nullptr;
    return xml.FirstChildElement("version");
}

std::string escaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string ansiEscaped(const std::u16string& value) {
    return escaped(encodeListText(value));
}

} // namespace

std::int32_t parseListNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

bool parsePackList(std::string_view document, PackList& list) {
    list.clear();
    tinyxml2::XMLDocument xml(true, tinyxml2::PRESERVE_WHITESPACE);
    const tinyxml2::XMLElement* version = versionElement(xml, document);
    if (!version)
        return false;
    for (const auto* pack = version->FirstChildElement("pack"); pack;
         pack = pack->NextSiblingElement("pack"))
        list.push_back(packFromElement(*pack));
    return true;
}

std::optional<std::string> parseStateFlag(std::string_view document) {
    tinyxml2::XMLDocument xml(true, tinyxml2::PRESERVE_WHITESPACE);
    const tinyxml2::XMLElement* version = versionElement(xml, document);
    const tinyxml2::XMLElement* state = version ? version->FirstChildElement("state") : nullptr;
    if (!state || !state->Attribute("flag"))
        return std::nullopt;
    return std::string(state->Attribute("flag"));
}

std::string formatPackList(const PackList& list, const std::optional<std::string>& stateFlag) {
    std::string out = std::string(kDeclaration) + "<version>\n";
    for (const Pack& pack : list) {
        out += "\t<pack name=\"" + ansiEscaped(pack.name) + "\" ver=\"" + std::to_string(pack.ver) +
               "\" md5=\"" + escaped(pack.md5) + "\" url=\"" + ansiEscaped(pack.url) +
               "\" type =\"" + std::to_string(pack.type) + "\"/>\n";
    }
    if (stateFlag)
        out += "\t<state flag=\"" + escaped(*stateFlag) + "\"/>\n";
    out += "</version>\n";
    return out;
}

bool readPackList(std::u16string_view path, PackList& list) {
    list.clear();
    std::string document;
    if (!ufile::ReadFileData(path, document))
        return false;
    return parsePackList(document, list);
}

bool writePackList(std::u16string_view path, const PackList& list,
                   const std::optional<std::string>& stateFlag) {
    return ufile::WriteFileData(path, formatPackList(list, stateFlag));
}

} // namespace packlist
