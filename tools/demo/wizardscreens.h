#pragma once

#include "ui/desktop_services.h"

#include <QString>

namespace protocol {
class AccountService;
}
namespace protocol {
class EventUploadService;
}

namespace savekeep {
class IBackup;
}
namespace gamefiles {
class GameFolder;
}

namespace ui {

// Saves a picture of each window of the upload wizard and of the restore dialog into `folder`,
// filled from the first account of `gameFolder` that has raids (the upload step with the raid
// whose review found the most). The number of pictures that
// could not be made or saved (0 when all were).
int captureWizardScreens(const DesktopServices& services, protocol::AccountService* accounts,
                         protocol::EventUploadService* uploads, savekeep::IBackup* backup,
                         const gamefiles::GameFolder& gameFolder, const QString& folder);

} // namespace ui
