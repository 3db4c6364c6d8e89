#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dkpsite {

// Every reason the site gives for refusing a file or a change that a page may show. The pages
// word each in the reader's language (texts.tsv, "refusal_" and its name); the command line
// and the client's protocol give its English sentence.
enum class RefusalKind {
    // The points rules.
    PointsRange,
    ReasonRequired,
    ReasonTooLong,
    AdjustmentNeedsCharacter,
    AdjustmentRange,
    EntryIsCorrection,
    EntryCorrected,
    DecayPercent,
    DecayFloor,
    // The guild's DKP systems, characters and events.
    NoDkpSystem,
    SystemArchived,
    SystemLastOpen,
    NoCharacter,
    OwnMain,
    MainIsAlt,
    AltHasAlts,
    NoEvent,
    EventRemoved,
    NoLedgerEntry,
    NoKill,
    NoLoot,
    NotEventMember,
    AlreadyAtKill,
    NotAtKill,
    EventNameLength,
    EventNoteLength,
    KillPointsRange,
    LootCostRange,
    // User names.
    UserNameEmpty,
    UserNameLong,
    UserNameControl,
    UserNameSpace,
    UserNameCase,
    // Guild archives.
    NoGuildSite,
    ArchiveNotJson,
    ArchiveIncomplete,
    ArchiveLedger,
    ArchiveVersion,
    ArchiveSource,
    ArchiveEntryKind,
    ArchiveUploader,
    ArchiveGuildExists,
    ArchiveGuildNotEmpty,
    ArchiveUserName,
    // Raid-log XML files.
    RaidLogTooLarge,
    RaidLogNotXml,
    RaidLogRoot,
    RaidLogMissing,
    RaidLogNotNumber,
    RaidLogNumberRange,
    RaidLogNoTime,
    RaidLogTimeUnshown,
    RaidLogStayKind,
    RaidLogZones,
    RaidLogDocument,
    RaidLogClosingTag,
};

// A refusal: its kind, the values its sentence names ({1}, {2}… in order), and the refusal it
// gives as its cause, if any (an archive's ledger entry that the points rules refuse).
struct Refusal {
    RefusalKind kind = RefusalKind::ReasonRequired;
    std::vector<std::string> values;
    std::vector<Refusal> cause; // none or one

    Refusal() = default;
    Refusal(RefusalKind kind, std::vector<std::string> values = {})
        : kind(kind), values(std::move(values)) {}
    Refusal(RefusalKind kind, std::vector<std::string> values, Refusal cause)
        : kind(kind), values(std::move(values)), cause{std::move(cause)} {}
};

// Every kind, in the order above.
std::span<const RefusalKind> refusalKinds();
// The kind's name in texts.tsv, after "refusal_": "system_archived".
std::string_view refusalName(RefusalKind kind);
// The refusal's English sentence, its cause's after a colon.
std::string refusalSentence(const Refusal& refusal);
// `pattern` with each {N} replaced by values[N-1]; a {N} without a value stays.
std::string withValues(std::string_view pattern, const std::vector<std::string>& values);

// A refused change or file; what() is its English sentence.
struct Refused : std::runtime_error {
    explicit Refused(Refusal refusal)
        : std::runtime_error(refusalSentence(refusal)), refusal(std::move(refusal)) {}

    Refusal refusal;
};

} // namespace dkpsite
