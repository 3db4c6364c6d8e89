// Random sequences of everything that changes points, against a model of what each should do:
// after every step the stored standings, the ledger's sums from nothing and the model agree, on
// both engines; and every player's paged history is the whole ledger's, sliced.
#include "ledger/points_rules.h"
#include "store/site_store.h"
#include "test_databases.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace dkpsite {
namespace {

using dkpsite_testing::TestDatabase;

constexpr int kQuickIterations = 1000;
const std::vector<std::string> kNames = {"Aldric", "Brannoc", "月影",     "Corwen",
                                         "Dessa",  "Eamon",   "冰霜法师", "Fenna"};

struct Points {
    std::int64_t earned = 0, spent = 0;
};
using Tally = std::map<std::string, Points>;

void add(Tally& tally, const Tally& change, int sign) {
    for (const auto& [name, points] : change) {
        tally[name].earned += sign * points.earned;
        tally[name].spent += sign * points.spent;
    }
}

// What a raid is worth, summed as a guild officer would on paper.
Tally raidTally(const RaidDocument& raid) {
    Tally tally;
    for (const RaidKill& kill : raid.kills)
        for (const std::string& name : kill.attendees)
            tally[name].earned += kill.dkp;
    for (const RaidLoot& loot : raid.loot)
        tally[loot.player].spent += loot.costs;
    return tally;
}

class LedgerProperty : public ::testing::TestWithParam<Engine> {
public:
    LedgerProperty() {
        store_.addUser("officer", "digest");
        guild_ = store_.addGuild("Guild", "guild_dkp", 1);
        for (const char* name : {"Main", "Second"})
            systems_.push_back(store_.addDkpSystem(guild_, name));
        store_.addMembership(*store_.findUser("officer"), guild_, true);
        token_ = store_.login("officer", "digest", 1).value();
    }

    std::string pick(const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random_)];
    }
    std::int64_t number(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
    }

    RaidDocument randomRaid() {
        RaidDocument raid;
        for (const std::string& name : kNames)
            if (number(0, 2) > 0)
                raid.members.push_back({name, "", "Guild", "", "Class" + name, 70});
        for (std::int64_t k = number(1, 3); k > 0; --k) {
            RaidKill kill{"Boss", number(0, 40), "", {}};
            for (const RaidMember& member : raid.members)
                if (number(0, 3) > 0)
                    kill.attendees.push_back(member.name);
            raid.kills.push_back(kill);
        }
        for (std::int64_t l = number(0, 3); l > 0; --l)
            raid.loot.push_back(
                {"Item", "", "", "", "", "", 1, pick(kNames), number(0, 60), "", "", "", ""});
        return raid;
    }

    struct Upload {
        std::int64_t system = 0;
        NewEvent event;
        std::int64_t id = 0;
    };
    struct LiveEvent {
        std::int64_t system = 0;
        RaidDocument raid;
        Tally contribution; // what the event's live entries add now
        bool removed = false;
    };

    Origin origin() { return {"officer", EntrySource::Web, "192.0.2.1", ++clock_}; }

    void uploadNew() {
        Upload upload;
        upload.system = systems_[number(0, 1)];
        upload.event = {
            "Guild", upload.system, "raid", "", "document " + std::to_string(clock_), randomRaid()};
        const UploadResult result = store_.storeEvent(token_, upload.event, ++clock_, "192.0.2.1");
        ASSERT_EQ(result.outcome, UploadOutcome::Created);
        upload.id = result.eventId;
        events_[upload.id] = {upload.system, upload.event.raid, raidTally(upload.event.raid)};
        add(model_[upload.system], events_[upload.id].contribution, 1);
        uploads_.push_back(upload);
    }

    void repeatUpload() {
        if (uploads_.empty())
            return uploadNew();
        const Upload& upload = uploads_[number(0, uploads_.size() - 1)];
        const UploadResult result = store_.storeEvent(token_, upload.event, ++clock_);
        EXPECT_EQ(result.outcome, UploadOutcome::AlreadyStored);
        EXPECT_EQ(result.eventId, upload.id);
    }

    std::optional<std::int64_t> liveEvent() {
        std::vector<std::int64_t> live;
        for (const auto& [id, event] : events_)
            if (!event.removed)
                live.push_back(id);
        if (live.empty())
            return std::nullopt;
        return live[number(0, live.size() - 1)];
    }

    // The event's points replaced by what its (changed) raid is worth.
    void reenter(std::int64_t id) {
        LiveEvent& event = events_[id];
        add(model_[event.system], event.contribution, -1);
        event.contribution = event.removed ? Tally() : raidTally(event.raid);
        add(model_[event.system], event.contribution, 1);
    }

    void editEvent() {
        const auto id = liveEvent();
        if (!id)
            return;
        LiveEvent& event = events_[*id];
        if (number(0, 1) == 0 || event.raid.loot.empty()) {
            const std::size_t kill = number(0, event.raid.kills.size() - 1);
            event.raid.kills[kill].dkp = number(0, 50);
            store_.editKillPoints(*id, kill, event.raid.kills[kill].dkp, "miscounted", origin());
        } else {
            const std::size_t loot = number(0, event.raid.loot.size() - 1);
            event.raid.loot[loot].costs = number(0, 80);
            store_.editLootCost(*id, loot, event.raid.loot[loot].costs, "price list", origin());
        }
        reenter(*id);
    }

    void removeEvent() {
        const auto id = liveEvent();
        if (!id)
            return;
        store_.removeEvent(*id, "wrong guild", origin());
        events_[*id].removed = true;
        reenter(*id);
    }

    void adjust() {
        const std::int64_t system = systems_[number(0, 1)];
        const std::string name = pick(kNames);
        std::int64_t points = number(-50, 50);
        points = points == 0 ? 1 : points;
        store_.adjust(system, name, points, "attendance bonus", origin());
        model_[system][name].earned += points;
    }

    std::map<std::string, std::string> mains() { return mainOf_; }

    // The model folded as the guild's list folds it: alts into their mains.
    Tally listed(std::int64_t system) {
        Tally folded;
        for (const auto& [name, points] : model_[system]) {
            const auto main = mainOf_.find(name);
            add(folded, {{main == mainOf_.end() ? name : main->second, points}}, 1);
        }
        return folded;
    }

    void decay() {
        const std::int64_t system = systems_[number(0, 1)];
        const DecayRule rule{static_cast<int>(number(1, 100)), number(0, 100)};
        const Tally before = listed(system);
        const std::size_t previewed = store_.previewDecay(system, rule).size();
        const auto written = store_.decay(system, rule, origin());
        EXPECT_EQ(written.size(), previewed);
        for (const auto& [name, points] : before) {
            const std::int64_t dkp = points.earned - points.spent;
            if (dkp > rule.floor)
                model_[system][name].earned -= std::min(dkp * rule.percent / 100, dkp - rule.floor);
        }
    }

    void correctEntry() {
        const std::int64_t system = systems_[number(0, 1)];
        std::vector<LedgerEntry> candidates;
        std::set<std::int64_t> reversed;
        const auto entries = store_.ledger(system);
        for (const LedgerEntry& entry : entries)
            if (entry.kind == EntryKind::Correction)
                reversed.insert(entry.reverses);
        for (const LedgerEntry& entry : entries)
            if (entry.kind != EntryKind::Correction && !reversed.count(entry.id))
                candidates.push_back(entry);
        if (candidates.empty())
            return;
        const LedgerEntry entry = candidates[number(0, candidates.size() - 1)];
        store_.correct(entry.id, "entered twice", origin());
        EXPECT_THROW(store_.correct(entry.id, "again", origin()), LedgerError);
        const Tally change{{entry.character, {entry.earned, entry.spent}}};
        add(model_[system], change, -1);
        if (entry.event)
            add(events_[entry.event].contribution, change, -1);
    }

    void linkAlt() {
        const std::string alt = pick(kNames), main = pick(kNames);
        const bool mainIsAlt = mainOf_.count(main) > 0;
        bool altHasAlts = false;
        for (const auto& [name, itsMain] : mainOf_)
            altHasAlts = altHasAlts || itsMain == alt;
        if (alt == main || mainIsAlt || altHasAlts) {
            EXPECT_THROW(store_.linkAlt(guild_, alt, main, origin()), LedgerError);
            return;
        }
        store_.linkAlt(guild_, alt, main, origin());
        mainOf_[alt] = main;
    }

    void expectAgreement(const std::string& step) {
        for (const std::int64_t system : systems_) {
            Tally stored, summed;
            for (const Standing& standing : store_.characterStandings(system))
                stored[standing.name] = {standing.earned, standing.spent};
            for (const auto& [name, standing] : sumEntries(store_.ledger(system)))
                summed[name] = {standing.earned, standing.spent};
            Tally listedStore;
            for (const Standing& standing : store_.standings(system))
                listedStore[standing.name] = {standing.earned, standing.spent};
            const auto nonZero = [](Tally tally) {
                for (auto it = tally.begin(); it != tally.end();)
                    it = it->second.earned == 0 && it->second.spent == 0 ? tally.erase(it)
                                                                         : std::next(it);
                std::map<std::string, std::pair<std::int64_t, std::int64_t>> plain;
                for (const auto& [name, points] : tally)
                    plain[name] = {points.earned, points.spent};
                return plain;
            };
            ASSERT_EQ(nonZero(stored), nonZero(model_[system])) << step;
            ASSERT_EQ(nonZero(summed), nonZero(model_[system])) << step;
            ASSERT_EQ(nonZero(listedStore), nonZero(listed(system))) << step;
        }
        ASSERT_EQ(store_.check(), std::vector<std::string>()) << step;
    }

    // Each player's history, read a page at a time, is the matching slice of the whole ledger's
    // entries of the player and the player's alts, with the balances summed from its start.
    void expectPagedHistories(const std::string& step) {
        for (const std::int64_t system : systems_) {
            const std::vector<LedgerEntry> ledger = store_.ledger(system);
            for (const std::string& name : kNames) {
                std::vector<HistoryEntry> whole;
                std::vector<std::int64_t> runBalances;
                std::int64_t balance = 0;
                for (const LedgerEntry& entry : ledger) {
                    const auto main = mainOf_.find(entry.character);
                    if (entry.character != name && (main == mainOf_.end() || main->second != name))
                        continue;
                    if (!whole.empty() &&
                        (whole.back().event == 0 || whole.back().event != entry.event))
                        runBalances.push_back(balance);
                    balance += entry.earned - entry.spent;
                    whole.push_back({entry.id, std::string(entryKindName(entry.kind)),
                                     entry.earned - entry.spent, balance, entry.reason,
                                     entry.character, "", entry.origin.atMs, entry.event});
                }
                if (!whole.empty())
                    runBalances.push_back(balance);
                const std::string what = step + ", " + name;
                ASSERT_EQ(store_.historyLength(system, name), std::ssize(whole)) << what;
                ASSERT_EQ(store_.historyRunBalances(system, name), runBalances) << what;
                constexpr std::int64_t kRows = 7;
                for (std::int64_t newer = 0; newer <= std::ssize(whole); newer += kRows) {
                    const std::vector<HistoryEntry> page =
                        store_.history(system, name, newer, kRows);
                    ASSERT_EQ(page.size(), std::min<std::size_t>(kRows, whole.size() - newer))
                        << what;
                    for (std::size_t i = 0; i < page.size(); ++i) {
                        const HistoryEntry& want = whole[whole.size() - 1 - newer - i];
                        const HistoryEntry& got = page[i];
                        ASSERT_EQ(std::tie(got.id, got.kind, got.points, got.balance, got.reason,
                                           got.character, got.atMs, got.event),
                                  std::tie(want.id, want.kind, want.points, want.balance,
                                           want.reason, want.character, want.atMs, want.event))
                            << what << ", entry " << newer + i;
                        EXPECT_EQ(got.eventName.empty(), got.event == 0) << what;
                    }
                }
            }
        }
    }

    TestDatabase database_{GetParam()};
    SiteStore store_{database_.target(), kQuickIterations};
    std::mt19937_64 random_{20261208};
    std::int64_t guild_ = 0;
    std::vector<std::int64_t> systems_;
    std::string token_;
    std::int64_t clock_ = 1000;
    std::vector<Upload> uploads_;
    std::map<std::int64_t, LiveEvent> events_;
    std::map<std::int64_t, Tally> model_;
    std::map<std::string, std::string> mainOf_;
};

TEST_P(LedgerProperty, StandingsEqualTheLedgersSumsAfterEveryStep) {
    const std::vector<std::pair<const char*, void (LedgerProperty::*)()>> steps = {
        {"upload", &LedgerProperty::uploadNew},    {"upload", &LedgerProperty::uploadNew},
        {"repeat", &LedgerProperty::repeatUpload}, {"edit", &LedgerProperty::editEvent},
        {"remove", &LedgerProperty::removeEvent},  {"adjust", &LedgerProperty::adjust},
        {"decay", &LedgerProperty::decay},         {"correct", &LedgerProperty::correctEntry},
        {"link alt", &LedgerProperty::linkAlt},
    };
    for (int step = 0; step < 60; ++step) {
        const auto& [name, run] = steps[number(0, steps.size() - 1)];
        (this->*run)();
        expectAgreement("step " + std::to_string(step) + " (" + name + ")");
        if (step % 15 == 14)
            expectPagedHistories("step " + std::to_string(step));
        if (HasFatalFailure())
            return;
    }
    // Nothing was ever deleted: every correction still names the entry it reverses.
    for (const std::int64_t system : systems_) {
        for (const LedgerEntry& entry : store_.ledger(system)) {
            if (entry.kind == EntryKind::Correction) {
                EXPECT_NE(entry.reverses, 0);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, LedgerProperty,
                         ::testing::Values(Engine::Sqlite, Engine::Postgresql),
                         dkpsite_testing::engineName);

} // namespace
} // namespace dkpsite
