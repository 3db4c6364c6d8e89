#pragma once

// The boss view's skin units ("unit<N>").
namespace ui::raidbossviewids {

enum Unit : int {
    Heading = 40010,
    ItemCaption = 40040,
    FirstItemLink = 40041,
    LastItemLink = 40052,
    FirstAttendee = 40111,
    LastAttendee = 40150,
};

} // namespace ui::raidbossviewids
