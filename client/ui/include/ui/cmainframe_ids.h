#pragma once

// The main window's skin units ("unit<N>"); a command is run by the number of its button.
namespace ui::mainframeids {

enum Unit : int {
    Background = 10001,
    Minimise = 10002,
    Hide = 10003,
    ForumBoardLink = 10011,
    AddonTitle = 10012,
    GuildDkpTitle = 10013,
    AddonVersion = 10014,
    GuildDkpStatus = 10015,
    Upload = 10018,
    Settings = 10019,
    DownloadDkpList = 10020,
    Restore = 10021,
    CorrectErrors = 10022,
    Forum = 10023,
    ServiceHomeLink = 10030,
};

} // namespace ui::mainframeids
