#include "ui/wizard/uploadwizard.h"

#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/cselectaccountdlg.h"
#include "ui/wizard/cselectraiddlg.h"

#include "uploadeddescription.h"

#include "gamefiles/game_folder.h"
#include "gamefiles/raid_loading.h"
#include "gamefiles/upload_marks.h"
#include "raidsift.h"
#include "ui/prompter.h"
#include "utilkit/usettings.h"

#include <vector>

namespace ui {

CUploadWizard::CUploadWizard(const DesktopServices& services, protocol::AccountService* accounts,
                             protocol::EventUploadService* uploads,
                             const CEventImportDlg::Addresses& addresses,
                             const gamefiles::GameFolder& gameFolder, QWidget* parent)
    : services_(services), accounts_(accounts), uploads_(uploads), addresses_(addresses),
      gameFolder_(gameFolder), parent_(parent) {}

CEventImportDlg::Addresses CUploadWizard::deploymentAddresses() {
    const usettings::Deployment deployment = usettings::loadDeployment();
    return {QString::fromStdString(deployment.siteUrl),
            QString::fromStdString(deployment.itemSearchUrl)};
}

CUploadWizard::Outcome CUploadWizard::run() {
    const std::u16string gameFolder = gameFolder_.current();
    std::vector<std::u16string> accounts;
    gamefiles::getAccounts(gameFolder, accounts);
    CSelectAccountDlg accountDlg(services_, accounts, gameFolder, parent_);
    if (accountDlg.exec() != QDialog::Accepted)
        return Outcome::NoAccountChosen;

    const gamefiles::LoadedRaids raidList =
        gamefiles::loadRaids(gameFolder, accountDlg.chosenAccount());
    if (raidList.tooLarge) {
        services_.prompter.showMessage(
            parent_,
            QStringLiteral("%1 文件太大（超过2GB），无法读取其中的RAID记录！")
                .arg(QString::fromStdU16String(raidList.file)),
            kNoticeCaption, MessageIcon::None);
        return Outcome::NoRaidChosen;
    }
    const std::vector<dkp::Raid*> raids = raidList.getRaids();
    CSelectRaidDlg raidDlg(services_, raids, parent_);
    markUploadedRaids(raidDlg, raids, accountDlg.chosenAccount());
    if (raidDlg.exec() != QDialog::Accepted || !raidDlg.chosenRaid())
        return Outcome::NoRaidChosen;

    dkp::Raid* raid = raidDlg.chosenRaid();
    CEditRaidDlg raidWindow(services_, raid, addresses_.itemSearch, parent_);
    if (raidWindow.exec() != QDialog::Accepted)
        return Outcome::RaidWindowCancelled;

    CEventImportDlg uploadDlg(services_, raid, accounts_, uploads_, addresses_, parent_);
    uploadDlg.setUploadMarks(marks_, accountDlg.chosenAccount());
    uploadDlg.exec();
    return Outcome::UploadDialogEnded;
}

void CUploadWizard::markUploadedRaids(CSelectRaidDlg& dialog, const std::vector<dkp::Raid*>& raids,
                                      const std::u16string& account) {
    if (!marks_ || raids.empty())
        return;
    const std::u16string told = marks_->load();
    if (!told.empty())
        services_.prompter.showMessage(parent_, QString::fromStdU16String(told));
    const std::u16string site = addresses_.site.toStdU16String();
    for (std::size_t position = 0; position < raids.size(); ++position) {
        const gamefiles::UploadMark* mark =
            marks_->findRaid(account, raids[position]->getRaidLog().getRaidStartTime(), site);
        if (mark)
            dialog.markUploaded(static_cast<int>(position), uploadedDescription(*mark));
    }
}

} // namespace ui
