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
};

// The query of a guild page's parameters `sort` (name, class, points, attendance), `order`
// (asc, desc), `class` and `q`; what is missing or unknown keeps its default (points, highest
// first; the default order of name and class is ascending).
StandingsQuery standingsQuery(const std::string& sort, const std::string& order,
                              const std::string& playerClass, const std::string& name);
const char* columnParameter(StandingsColumn column);

// A player's share of the DKP system's raids, in whole percent.
int attendancePercent(const StandingRow& row, std::int64_t raidCount);

// The rows the query keeps, in its order; equal rows stay in name order. The name search
// ignores the case of ASCII letters.
std::vector<StandingRow> selectStandings(std::vector<StandingRow> rows,
                                         const StandingsQuery& query);

} // namespace dkpsite
