#include "web/standings_view.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace dkpsite {

namespace {

std::string asciiLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// -1, 0 or 1 as `a` comes before, with or after `b` on the column, in ascending order.
int compareOn(StandingsColumn column, const StandingRow& a, const StandingRow& b) {
    const auto order = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
    case StandingsColumn::Name:
        return order(a.standing.name, b.standing.name);
    case StandingsColumn::Class:
        return order(a.standing.playerClass, b.standing.playerClass);
    case StandingsColumn::Points:
        return order(a.standing.dkp(), b.standing.dkp());
    case StandingsColumn::Attendance:
        return order(a.raidsAttended, b.raidsAttended);
    }
    return 0;
}

} // namespace

StandingsQuery standingsQuery(const std::string& sort, const std::string& order,
                              const std::string& playerClass, const std::string& name,
                              const std::string& inactive) {
    StandingsQuery query;
    for (const auto column : {StandingsColumn::Name, StandingsColumn::Class,
                              StandingsColumn::Points, StandingsColumn::Attendance})
        if (sort == columnParameter(column))
            query.sort = column;
    query.descending =
        query.sort == StandingsColumn::Points || query.sort == StandingsColumn::Attendance;
    if (order == "asc")
        query.descending = false;
    else if (order == "desc")
        query.descending = true;
    query.playerClass = playerClass;
    query.name = name;
    query.withInactive = inactive == "1";
    return query;
}

const char* columnParameter(StandingsColumn column) {
    switch (column) {
    case StandingsColumn::Name:
        return "name";
    case StandingsColumn::Class:
        return "class";
    case StandingsColumn::Points:
        return "points";
    case StandingsColumn::Attendance:
        return "attendance";
    }
    return "points";
}

int attendancePercent(const StandingRow& row, std::int64_t raidCount) {
    if (raidCount <= 0)
        return 0;
    return static_cast<int>(std::min<std::int64_t>(row.raidsAttended, raidCount) * 100 / raidCount);
}

void markInactive(std::vector<StandingRow>& rows, const std::vector<GuildCharacter>& characters) {
    std::set<std::string> inactive;
    for (const GuildCharacter& character : characters)
        if (!character.active)
            inactive.insert(character.name);
    for (StandingRow& row : rows)
        row.active = inactive.count(row.standing.name) == 0;
}

std::vector<StandingRow> shownPlayers(std::vector<StandingRow> rows, const StandingsQuery& query) {
    if (!query.withInactive)
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [](const StandingRow& row) { return !row.active; }),
                   rows.end());
    return rows;
}

std::vector<StandingRow> selectStandings(std::vector<StandingRow> rows,
                                         const StandingsQuery& query) {
    rows = shownPlayers(std::move(rows), query);
    const std::string wanted = asciiLower(query.name);
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const StandingRow& row) {
                                  if (!query.playerClass.empty() &&
                                      row.standing.playerClass != query.playerClass)
                                      return true;
                                  return !wanted.empty() &&
                                         asciiLower(row.standing.name).find(wanted) ==
                                             std::string::npos;
                              }),
               rows.end());
    std::stable_sort(rows.begin(), rows.end(), [&](const StandingRow& a, const StandingRow& b) {
        const int order = compareOn(query.sort, a, b);
        if (order != 0)
            return query.descending ? order > 0 : order < 0;
        return a.standing.name < b.standing.name;
    });
    return rows;
}

} // namespace dkpsite
