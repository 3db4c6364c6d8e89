#pragma once

// The trash-mob loot view's skin units ("unit<N>").
namespace ui::raidmobsviewids {

enum Unit : int {
    Caption = 50010,
    FirstItemLink = 50011,
    LastItemLink = 50049,
};

} // namespace ui::raidmobsviewids
