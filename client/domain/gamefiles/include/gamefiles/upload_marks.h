#pragma once

#include "gamefiles/upload_marks_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gamefiles {

// The marks file beside "config.cfg" in the program's folder.
inline constexpr std::u16string_view kUploadMarksFileName = u"uploads.json";

// The digest a mark keeps of an upload document (dkp::Raid::exportDocument): SHA-256 of its
// UTF-8 form, the bytes the site receives.
std::string uploadDocumentDigest(std::u16string_view document);

// The client's record of its successful uploads. Every access holds the file's lock; a new mark
// is added to what the file holds at that moment (another running client's marks included) and
// the file is replaced whole, so that a crash at any point leaves the old file or the new one.
// A file that cannot be read as marks is renamed aside ("uploads.json.damaged-<time>"), never
// emptied or overwritten, and the next mark starts a new file.
class UploadMarks {
public:
    // `folder` ends in "/".
    explicit UploadMarks(std::u16string_view folder);

    const std::u16string& path() const { return path_; }

    // Reads the file afresh. Returns what the user should be told, empty when nothing went wrong
    // (a missing file simply holds no marks). When the file cannot be read, no marks are known.
    std::u16string load();
    const std::vector<UploadMark>& marks() const { return marks_; }

    // The latest upload of the account's raid of that start to the site, or null.
    const UploadMark* findRaid(std::u16string_view account, std::int64_t raidStart,
                               std::u16string_view site) const;
    // The latest upload of a document with the digest to the site, or null.
    const UploadMark* findDocument(std::string_view digest, std::u16string_view site) const;

    // Adds the mark to the file. Returns what the user should be told, empty when it was
    // recorded without trouble; the mark is then among marks().
    std::u16string record(const UploadMark& mark);

private:
    template <typename Match> const UploadMark* latest(Match match) const;

    std::u16string path_;
    std::vector<UploadMark> marks_;
};

} // namespace gamefiles
