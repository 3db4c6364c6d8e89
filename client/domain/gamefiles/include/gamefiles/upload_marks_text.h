#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gamefiles {

// One successful upload of a raid to a DKP web site.
struct UploadMark {
    std::u16string account;      // the game account folder the raid was read from
    std::int64_t raidStart = 0;  // the raid's start, seconds since 1970 UTC
    std::string documentSha256;  // lower-case hex digest of the upload document (UTF-8)
    std::int32_t eventId = 0;    // the event the site made of it
    std::u16string site;         // the site's address, scheme and host[:port]
    std::int64_t uploadedAt = 0; // when the site confirmed it, seconds since 1970 UTC

    bool operator==(const UploadMark&) const = default;
};

// The marks file's text: a JSON object {"format": 1, "uploads": [ {...}, ... ]} with one object
// per mark, in the order given.
std::string marksToText(const std::vector<UploadMark>& marks);

// The marks of a file's text; nothing when the text is not such an object in every part (a
// missing, mistyped, unknown or repeated field, text that is not UTF-8, another format number).
std::optional<std::vector<UploadMark>> marksFromText(std::string_view text);

} // namespace gamefiles
