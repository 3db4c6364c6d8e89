#include "gamefiles/upload_marks_text.h"

#include "utilkit/ustring.h"

#include <nlohmann/json.hpp>

#include <limits>
#include <set>
#include <vector>

namespace gamefiles {
namespace {

using Json = nlohmann::json;

constexpr int kFormat = 1;

Json toJson(const UploadMark& mark) {
    return Json{{"account", ustring::toUtf8(mark.account)}, {"raidStart", mark.raidStart},
                {"documentSha256", mark.documentSha256},    {"eventId", mark.eventId},
                {"site", ustring::toUtf8(mark.site)},       {"uploadedAt", mark.uploadedAt}};
}

bool isDigest(const std::string& text) {
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool readText(const Json& object, const char* key, std::string& out) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string())
        return false;
    out = found->get<std::string>();
    return true;
}

template <typename Number> bool readNumber(const Json& object, const char* key, Number& out) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number_integer())
        return false;
    // A value outside the field's range is damage, not a number to cut down.
    if (found->is_number_unsigned()) {
        const auto value = found->get<std::uint64_t>();
        if (value > static_cast<std::uint64_t>(std::numeric_limits<Number>::max()))
            return false;
        out = static_cast<Number>(value);
        return true;
    }
    const auto value = found->get<std::int64_t>();
    if (value < std::numeric_limits<Number>::min() || value > std::numeric_limits<Number>::max())
        return false;
    out = static_cast<Number>(value);
    return true;
}

// The fields a mark is written with, no more.
constexpr std::size_t kMarkFields = 6;
constexpr std::size_t kFileFields = 2;

std::optional<UploadMark> fromJson(const Json& object) {
    if (!object.is_object() || object.size() != kMarkFields)
        return std::nullopt;
    UploadMark mark;
    std::string account;
    std::string site;
    if (!readText(object, "account", account) || !readText(object, "site", site) ||
        !readText(object, "documentSha256", mark.documentSha256) ||
        !isDigest(mark.documentSha256) || !readNumber(object, "raidStart", mark.raidStart) ||
        !readNumber(object, "eventId", mark.eventId) ||
        !readNumber(object, "uploadedAt", mark.uploadedAt))
        return std::nullopt;
    mark.account = ustring::fromUtf8(account);
    mark.site = ustring::fromUtf8(site);
    return mark;
}

// The text as JSON, or nothing when it is not JSON or names a key twice in one object (a JSON
// reader would keep only one of them, and marks would be lost without a word).
std::optional<Json> parsedWithoutDuplicateKeys(std::string_view text) {
    std::vector<std::set<std::string>> keysOfOpenObjects;
    bool duplicate = false;
    const Json::parser_callback_t noteKeys = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start)
            keysOfOpenObjects.emplace_back();
        else if (event == Json::parse_event_t::object_end && !keysOfOpenObjects.empty())
            keysOfOpenObjects.pop_back();
        else if (event == Json::parse_event_t::key && !keysOfOpenObjects.empty())
            duplicate =
                !keysOfOpenObjects.back().insert(parsed.get<std::string>()).second || duplicate;
        return true;
    };
    Json file = Json::parse(text, noteKeys, false);
    if (file.is_discarded() || duplicate)
        return std::nullopt;
    return file;
}

} // namespace

std::string marksToText(const std::vector<UploadMark>& marks) {
    Json uploads = Json::array();
    for (const UploadMark& mark : marks)
        uploads.push_back(toJson(mark));
    const Json file{{"format", kFormat}, {"uploads", std::move(uploads)}};
    // Names come from folder names and may hold bytes that are no UTF-8; they are replaced.
    return file.dump(1, '\t', false, Json::error_handler_t::replace) + "\n";
}

std::optional<std::vector<UploadMark>> marksFromText(std::string_view text) {
    const std::optional<Json> parsed = parsedWithoutDuplicateKeys(text);
    if (!parsed || !parsed->is_object() || parsed->size() != kFileFields)
        return std::nullopt;
    const Json& file = *parsed;
    int format = 0;
    if (!readNumber(file, "format", format) || format != kFormat)
        return std::nullopt;
    const auto uploads = file.find("uploads");
    if (uploads == file.end() || !uploads->is_array())
        return std::nullopt;
    std::vector<UploadMark> marks;
    for (const Json& entry : *uploads) {
        std::optional<UploadMark> mark = fromJson(entry);
        if (!mark)
            return std::nullopt;
        marks.push_back(std::move(*mark));
    }
    return marks;
}

} // namespace gamefiles
