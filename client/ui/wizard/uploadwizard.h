#pragma once

#include "ceventimportdlg.h"

class AccountService;
class EventUploadService;
class QWidget;

// The upload of a raid, one modal step after another: account, raid list of that account,
// raid, raid window, event upload. Each step runs only when the one before was confirmed;
// cancelling any of them ends the upload quietly. An addon data file too large to read ends
// it with a message naming the file. The dialogs, the raid list and its parser
// live only while `run` runs.
class CUploadWizard {
public:
    CUploadWizard(AccountService* accounts, EventUploadService* uploads,
                  const CEventImportDlg::Addresses& addresses, QWidget* parent = nullptr);

    // The addresses of the deployment settings beside the program.
    static CEventImportDlg::Addresses deploymentAddresses();

    // The step that ended the upload.
    enum class Outcome { NoAccountChosen, NoRaidChosen, RaidWindowCancelled, UploadDialogEnded };
    Outcome run();

private:
    AccountService* accounts_;
    EventUploadService* uploads_;
    CEventImportDlg::Addresses addresses_;
    QWidget* parent_;
};
