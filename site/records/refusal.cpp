#include "records/refusal.h"

#include <algorithm>
#include <array>

namespace dkpsite {

namespace {

struct RefusalWording {
    RefusalKind kind;
    std::string_view name;
    std::string_view english;
};

// The English sentences are those the command line and the client's protocol have always given.
constexpr RefusalWording kWordings[] = {
    {RefusalKind::PointsRange, "points_range", "the points of {1} would leave the range of ±{2}"},
    {RefusalKind::ReasonRequired, "reason_required", "a reason is required"},
    {RefusalKind::ReasonTooLong, "reason_too_long", "the reason is longer than {1} bytes"},
    {RefusalKind::AdjustmentNeedsCharacter, "adjustment_needs_character",
     "an adjustment needs a character"},
    {RefusalKind::AdjustmentRange, "adjustment_range",
     "an adjustment is between 1 and {1} points either way"},
    {RefusalKind::EntryIsCorrection, "entry_is_correction",
     "entry {1} is a correction; correct the entry it reverses instead"},
    {RefusalKind::EntryCorrected, "entry_corrected", "entry {1} is already corrected"},
    {RefusalKind::DecayPercent, "decay_percent", "a decay is between 1 and 100 percent"},
    {RefusalKind::DecayFloor, "decay_floor", "a decay's floor is between 0 and {1}"},
    {RefusalKind::NoDkpSystem, "no_dkp_system", "no DKP system {1}"},
    {RefusalKind::SystemArchived, "system_archived",
     "the DKP system \"{1}\" is archived: it takes no uploads and no changes of points"},
    {RefusalKind::SystemLastOpen, "system_last_open",
     "the DKP system \"{1}\" is the guild's last open one; create another first"},
    {RefusalKind::NoCharacter, "no_character", "the guild has no character \"{1}\""},
    {RefusalKind::OwnMain, "own_main", "a character cannot be its own main"},
    {RefusalKind::MainIsAlt, "main_is_alt", "{1} is itself an alt"},
    {RefusalKind::AltHasAlts, "alt_has_alts", "{1} has alts of its own"},
    {RefusalKind::NoEvent, "no_event", "no event {1}"},
    {RefusalKind::EventRemoved, "event_removed", "event {1} is removed"},
    {RefusalKind::NoLedgerEntry, "no_ledger_entry", "no ledger entry {1}"},
    {RefusalKind::NoKill, "no_kill", "event {1} has no kill {2}"},
    {RefusalKind::NoLoot, "no_loot", "event {1} has no loot {2}"},
    {RefusalKind::NotEventMember, "not_event_member", "\"{1}\" is not a member of event {2}"},
    {RefusalKind::AlreadyAtKill, "already_at_kill", "\"{1}\" is already at this kill"},
    {RefusalKind::NotAtKill, "not_at_kill", "\"{1}\" is not at this kill"},
    {RefusalKind::EventNameLength, "event_name_length", "an event's name has 1 to {1} bytes"},
    {RefusalKind::EventNoteLength, "event_note_length", "an event's note has at most {1} bytes"},
    {RefusalKind::KillPointsRange, "kill_points_range", "a kill is worth between 0 and {1} points"},
    {RefusalKind::LootCostRange, "loot_cost_range", "an item costs between 0 and {1} points"},
    {RefusalKind::UserNameEmpty, "user_name_empty", "a user name cannot be empty"},
    {RefusalKind::UserNameLong, "user_name_long", "a user name has at most {1} bytes"},
    {RefusalKind::UserNameControl, "user_name_control",
     "a user name cannot hold control characters"},
    {RefusalKind::UserNameSpace, "user_name_space", "a user name cannot begin or end with a space"},
    {RefusalKind::UserNameCase, "user_name_case", "a user name is kept in lower case"},
    {RefusalKind::NoGuildSite, "no_guild_site", "no guild with the site name {1}"},
    {RefusalKind::ArchiveNotJson, "archive_not_json", "the archive is not JSON"},
    {RefusalKind::ArchiveIncomplete, "archive_incomplete", "the archive is incomplete: {1}"},
    {RefusalKind::ArchiveLedger, "archive_ledger", "the archive's ledger is refused"},
    {RefusalKind::ArchiveVersion, "archive_version",
     "not a guild archive of version 1 to {1} (format {2}, version {3})"},
    {RefusalKind::ArchiveSource, "archive_source", "unknown source {1}"},
    {RefusalKind::ArchiveEntryKind, "archive_entry_kind", "unknown ledger entry kind {1}"},
    {RefusalKind::ArchiveUploader, "archive_uploader", "the uploader {1} is no member"},
    {RefusalKind::ArchiveGuildExists, "archive_guild_exists",
     "the database already holds the guild {1} or the site {2}"},
    {RefusalKind::ArchiveGuildNotEmpty, "archive_guild_not_empty",
     "the guild is not empty ({1} events, {2} characters, {3} ledger entries): an archive is "
     "imported only into a guild without raids, characters or points"},
    {RefusalKind::ArchiveUserName, "archive_user_name",
     "the archive's account \"{1}\" cannot be a user name"},
    {RefusalKind::RaidLogTooLarge, "raid_log_too_large", "the raid log is larger than {1} MiB"},
    {RefusalKind::RaidLogNotXml, "raid_log_not_xml", "the raid log is not well-formed XML: {1}"},
    {RefusalKind::RaidLogRoot, "raid_log_root", "not a raid log: its root element is <{1}>"},
    {RefusalKind::RaidLogMissing, "raid_log_missing", "the raid log has no <{1}> in <{2}>"},
    {RefusalKind::RaidLogNotNumber, "raid_log_not_number",
     "the raid log's {1} \"{2}\" is not a whole number"},
    {RefusalKind::RaidLogNumberRange, "raid_log_number_range",
     "the raid log's {1} {2} is beyond ±{3}"},
    {RefusalKind::RaidLogNoTime, "raid_log_no_time", "the raid log's {1} {2} is no time"},
    {RefusalKind::RaidLogTimeUnshown, "raid_log_time_unshown",
     "the raid log's time {1} cannot be shown"},
    {RefusalKind::RaidLogStayKind, "raid_log_stay_kind",
     "a member's <time> is neither a join nor a leave"},
    {RefusalKind::RaidLogZones, "raid_log_zones",
     "the raid log holds {1} raids (zones); export and import one raid at a time"},
    {RefusalKind::RaidLogDocument, "raid_log_document", "the raid log's raid is refused: {1}"},
    {RefusalKind::RaidLogClosingTag, "raid_log_closing_tag",
     "a text of the raid log holds a closing tag of the upload document"},
};

constexpr auto kKinds = [] {
    std::array<RefusalKind, std::size(kWordings)> kinds{};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        kinds[i] = kWordings[i].kind;
    return kinds;
}();

const RefusalWording& wording(RefusalKind kind) {
    return *std::find_if(std::begin(kWordings), std::end(kWordings),
                         [&](const RefusalWording& w) { return w.kind == kind; });
}

} // namespace

std::span<const RefusalKind> refusalKinds() {
    return kKinds;
}

std::string_view refusalName(RefusalKind kind) {
    return wording(kind).name;
}

std::string refusalSentence(const Refusal& refusal) {
    std::string sentence = withValues(wording(refusal.kind).english, refusal.values);
    for (const Refusal& cause : refusal.cause)
        sentence += ": " + refusalSentence(cause);
    return sentence;
}

std::string withValues(std::string_view pattern, const std::vector<std::string>& values) {
    std::string text;
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t close = pattern[at] == '{' ? pattern.find('}', at) : pattern.npos;
        const std::string_view digits =
            close == pattern.npos ? std::string_view() : pattern.substr(at + 1, close - at - 1);
        const bool placeholder = digits.size() == 1 && digits[0] >= '1' && digits[0] <= '9' &&
                                 std::size_t(digits[0] - '1') < values.size();
        if (placeholder) {
            text += values[digits[0] - '1'];
            at = close + 1;
        } else {
            text += pattern[at++];
        }
    }
    return text;
}

} // namespace dkpsite
