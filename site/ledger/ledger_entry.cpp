#include "ledger/ledger_entry.h"

#include <array>
#include <utility>

namespace dkpsite {

namespace {

// The names the database and the exports keep, spelled once.
constexpr std::array<std::pair<EntryKind, std::string_view>, 5> kKindNames{{
    {EntryKind::Kill, "kill"},
    {EntryKind::Loot, "loot"},
    {EntryKind::Adjustment, "adjustment"},
    {EntryKind::Decay, "decay"},
    {EntryKind::Correction, "correction"},
}};
constexpr std::array<std::pair<EntrySource, std::string_view>, 3> kSourceNames{{
    {EntrySource::Upload, "upload"},
    {EntrySource::Web, "web"},
    {EntrySource::CommandLine, "command line"},
}};

template <typename Table, typename Value> std::string_view nameOf(const Table& table, Value value) {
    for (const auto& [known, name] : table)
        if (known == value)
            return name;
    return {};
}

template <typename Value, typename Table>
std::optional<Value> valueOf(const Table& table, std::string_view name) {
    for (const auto& [known, knownName] : table)
        if (knownName == name)
            return known;
    return std::nullopt;
}

} // namespace

std::string_view entryKindName(EntryKind kind) {
    return nameOf(kKindNames, kind);
}

std::optional<EntryKind> entryKindFromName(std::string_view name) {
    return valueOf<EntryKind>(kKindNames, name);
}

std::string_view entrySourceName(EntrySource source) {
    return nameOf(kSourceNames, source);
}

std::optional<EntrySource> entrySourceFromName(std::string_view name) {
    return valueOf<EntrySource>(kSourceNames, name);
}

} // namespace dkpsite
