#pragma once

#include "web/page_data.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

// A player's share of a DKP system's raids over one span of days before today.
struct AttendanceSpan {
    int days = 0; // 0: all time
    std::int64_t attended = 0;
    std::int64_t raids = 0;
    int percent() const { return raids == 0 ? 0 : static_cast<int>(attended * 100 / raids); }
};

// The day (days since 1970-01-01) of a raid start as the client writes it ("MM/DD/YY
// HH:MM:SS", years 2000–2099), or nothing when the text is not such a date.
std::optional<std::int64_t> raidDay(const std::string& start);

// Attendance over the last 30, 60 and 90 days and all time, counted back from `today`. A raid
// counts on the day it started, or on the day it was uploaded when its start is unreadable.
std::vector<AttendanceSpan> attendanceSpans(const std::vector<RaidPresence>& raids,
                                            std::int64_t today);

// A line chart of a player's points after each raid, scaled into a box.
struct PointsChart {
    std::string points; // "x,y x,y …" for an SVG polyline
    std::string zeroY;  // the height of the zero line
    std::int64_t highest = 0, lowest = 0;
};

// A player's points after each raid (PageData::raidBalances), drawn into a box of `width` ×
// `height` with the zero line inside it; nothing for no balances.
std::optional<PointsChart> pointsChart(const std::vector<std::int64_t>& balances, int width,
                                       int height);

// A ledger time as "YYYY-MM-DD HH:MM" in UTC.
std::string ledgerTimeText(std::int64_t ms);

} // namespace dkpsite
