#include "wizardscreens.h"

#include "ui/crestoredatadlg.h"
#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/ceventimportdlg.h"
#include "ui/wizard/cselectaccountdlg.h"
#include "ui/wizard/cselectraiddlg.h"
#include "ui/wizard/uploadwizard.h"

#include "gamefiles/game_folder.h"
#include "gamefiles/raid_loading.h"
#include "raidsift.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>

#include <vector>

namespace ui {

namespace {

bool save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    window.hide();
    return saved;
}

// The raids of the first account that has any; none when no account has.
gamefiles::LoadedRaids firstRaids(const std::u16string& gameFolder,
                                  const std::vector<std::u16string>& accounts) {
    for (const auto& account : accounts) {
        gamefiles::LoadedRaids loaded = gamefiles::loadRaids(gameFolder, account);
        if (!loaded.getRaids().empty())
            return loaded;
    }
    return {};
}

// The raid whose review found the most, so that the upload step's picture shows findings.
dkp::Raid* mostReviewed(const std::vector<dkp::Raid*>& raids) {
    dkp::Raid* chosen = raids.front();
    std::size_t most = 0;
    for (dkp::Raid* raid : raids) {
        const std::size_t found = dkp::reviewRaid(*raid).size();
        if (found > most) {
            most = found;
            chosen = raid;
        }
    }
    return chosen;
}

} // namespace

int captureWizardScreens(const DesktopServices& services, protocol::AccountService* accounts,
                         protocol::EventUploadService* uploads, savekeep::IBackup* backup,
                         const gamefiles::GameFolder& inEffect, const QString& folder) {
    QDir().mkpath(folder);
    const std::u16string gameFolder = inEffect.current();
    std::vector<std::u16string> accountNames;
    gamefiles::getAccounts(gameFolder, accountNames);
    int failures = 0;

    CSelectAccountDlg accountDlg(services, accountNames, gameFolder);
    failures += !save(accountDlg, folder, QStringLiteral("wizard-1-account"));

    const gamefiles::LoadedRaids raidList = firstRaids(gameFolder, accountNames);
    const std::vector<dkp::Raid*> raids = raidList.getRaids();
    if (raids.empty())
        return failures + 4;
    CSelectRaidDlg raidDlg(services, raids);
    failures += !save(raidDlg, folder, QStringLiteral("wizard-2-raid"));

    const CEventImportDlg::Addresses addresses = CUploadWizard::deploymentAddresses();
    CEditRaidDlg raidWindow(services, raids.front(), addresses.itemSearch);
    failures += !save(raidWindow, folder, QStringLiteral("wizard-3-raid-overview"));
    if (raidWindow.sectionList()->count() > 2) {
        raidWindow.sectionList()->setCurrentRow(1);
        failures += !save(raidWindow, folder, QStringLiteral("wizard-4-raid-boss"));
    }
    raidWindow.sectionList()->setCurrentRow(raidWindow.sectionList()->count() - 1);
    failures += !save(raidWindow, folder, QStringLiteral("wizard-5-raid-trash"));

    CEventImportDlg uploadDlg(services, mostReviewed(raids), accounts, uploads, addresses);
    failures += !save(uploadDlg, folder, QStringLiteral("wizard-6-upload"));

    if (backup) {
        CRestoreDataDlg restoreDlg(services, *backup, inEffect);
        failures += !save(restoreDlg, folder, QStringLiteral("restore-data"));
    }
    return failures;
}

} // namespace ui
