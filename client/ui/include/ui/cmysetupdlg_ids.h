#pragma once

// The settings dialog's controls ("ctl<N>").
namespace ui::mysetupdlgids {

enum Control : int {
    Ok = 1,
    Cancel = 2,
    Browse = 3,
    GameFolder = 1014,
    GuildUrl = 1015,
};

} // namespace ui::mysetupdlgids
