#pragma once

#include "web/page_data.h"

#include <string>
#include <vector>

namespace dkpsite {

enum class StandingsColumn { Name, Class, Points, Attendance };

// How a reader asked to see a DKP system's standings: the column and direction to sort by, a
// class to keep only, and a text that the kept names hold.
struct StandingsQuery {
    StandingsColumn sort = StandingsColumn::Points;
    bool descending = true;
    std::string playerClass;
    std::string name;
    bool withInactive = false; // keep the players an officer marked inactive too
};

// The query of a guild page's parameters `sort` (name, class, points, attendance), `order`
// (asc, desc), `class`, `q` and `inactive` ("1" keeps inactive players); what is missing or
// unknown keeps its default (points, highest first, active players only; the default order of
// name and class is ascending).
StandingsQuery standingsQuery(const std::string& sort, const std::string& order,
                              const std::string& playerClass, const std::string& name,
                              const std::string& inactive = "");
const char* columnParameter(StandingsColumn column);

// A player's share of the DKP system's raids, in whole percent.
int attendancePercent(const StandingRow& row, std::int64_t raidCount);

// Marks the rows of the guild's inactive characters.
void markInactive(std::vector<StandingRow>& rows, const std::vector<GuildCharacter>& characters);

// The rows the inactive switch keeps: every row with it on, the active ones without.
std::vector<StandingRow> shownPlayers(std::vector<StandingRow> rows, const StandingsQuery& query);

// The rows the query keeps (its inactive switch, class and name), in its order; equal rows
// stay in name order. The name search ignores the case of ASCII letters.
std::vector<StandingRow> selectStandings(std::vector<StandingRow> rows,
                                         const StandingsQuery& query);

} // namespace dkpsite
