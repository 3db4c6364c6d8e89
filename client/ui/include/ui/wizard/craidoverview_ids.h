#pragma once

// The raid overview's skin units ("unit<N>").
namespace ui::raidoverviewids {

enum Unit : int {
    Title = 30010,
    FirstBossLink = 30011,
    LastBossLink = 30030,
    KillsSummary = 30041,
    TotalsSummary = 30042,
    ReviewSummary = 30043,
    SpareSummary = 30044, // shown empty
    Caption = 30045,
};

} // namespace ui::raidoverviewids
