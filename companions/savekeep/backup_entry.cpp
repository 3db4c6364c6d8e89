#include "savekeep/backup.h"
#include "savekeep/data_backup.h"

namespace savekeep {

IBackup* getBackup() {
    // Never destroyed: the timer it may be registered with can be gone at process exit.
    static DataBackup* const backup = new DataBackup();
    return backup;
}

} // namespace savekeep
