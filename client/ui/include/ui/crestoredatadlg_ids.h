#pragma once

// The restore dialog's controls ("ctl<N>").
namespace ui::restoredatadlgids {

enum Control : int {
    Restore = 1,
    Cancel = 2,
    AccountList = 1018,
    BackupList = 1019,
    TargetFile = 1020,
};

} // namespace ui::restoredatadlgids
