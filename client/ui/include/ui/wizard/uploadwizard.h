#pragma once

#include "ui/desktop_services.h"
#include "ui/wizard/ceventimportdlg.h"

#include <string>
#include <vector>

namespace protocol {
class AccountService;
class EventUploadService;
} // namespace protocol
class QWidget;

namespace dkp {
class Raid;
}

namespace gamefiles {
class GameFolder;
class UploadMarks;
} // namespace gamefiles

namespace ui {

class CSelectRaidDlg;

// The upload of a raid, one modal step after another: account, raid list of that account,
// raid, raid window, event upload. Each step runs only when the one before was confirmed;
// cancelling any of them ends the upload quietly. An addon data file too large to read ends
// it with a message naming the file. The dialogs, the raid list and its parser
// live only while `run` runs. With upload marks, the raid list shows the raids uploaded to the
// site before, and the upload step asks before sending a document again and marks the upload.
class CUploadWizard {
public:
    // `gameFolder`: the game folder in effect, whose accounts it offers; not owned.
    CUploadWizard(const DesktopServices& services, protocol::AccountService* accounts,
                  protocol::EventUploadService* uploads,
                  const CEventImportDlg::Addresses& addresses,
                  const gamefiles::GameFolder& gameFolder, QWidget* parent = nullptr);

    // Not owned; without marks nothing is marked or remembered.
    void setUploadMarks(gamefiles::UploadMarks* marks) { marks_ = marks; }

    // The addresses of the deployment settings beside the program.
    static CEventImportDlg::Addresses deploymentAddresses();

    // The step that ended the upload.
    enum class Outcome { NoAccountChosen, NoRaidChosen, RaidWindowCancelled, UploadDialogEnded };
    Outcome run();

private:
    void markUploadedRaids(CSelectRaidDlg& dialog, const std::vector<dkp::Raid*>& raids,
                           const std::u16string& account);

    DesktopServices services_;
    protocol::AccountService* accounts_;
    protocol::EventUploadService* uploads_;
    CEventImportDlg::Addresses addresses_;
    const gamefiles::GameFolder& gameFolder_;
    QWidget* parent_;
    gamefiles::UploadMarks* marks_ = nullptr;
};

} // namespace ui
