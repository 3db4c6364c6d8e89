#include "screen_capture.h"

#include "gamefiles/game_folder.h"
#include "protocol/protocol_manager.h"
#include "savekeep/backup.h"
#include "tickhub/timer_adapter.h"
#include "ui/clogindlg.h"
#include "ui/clogindlg_ids.h"
#include "ui/cmainframe.h"
#include "ui/cmainframe_ids.h"
#include "ui/cmysetupdlg.h"
#include "ui/desktop_services.h"
#include "ui/prompter.h"
#include "ui/unitnames.h"
#include "utilkit/ufile.h"
#include "utilkit/usettings.h"
#include "utilkit_gui/usystem.h"
#include "wizardscreens.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kWaitMs = 30000;

bool save(QWidget& window, const QString& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

template <typename Done> bool waitUntil(Done done) {
    QDeadlineTimer deadline(kWaitMs);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

} // namespace

int captureScreens(protocol::ProtocolManager& manager, config::PropertyBag* section,
                   const ui::Skin* skin, const QString& folder) {
    QDir().mkpath(folder);
    bool allSaved = true;
    ui::QtPrompter prompter;
    usystem::QtDesktop desktop;
    const ui::DesktopServices services{prompter, desktop};

    ui::CLoginDlg login(services, nullptr, usettings::loadDeployment(), skin);
    login.setConfig(section);
    login.setLoginService(manager.getLoginService());
    QTimer::singleShot(300, &login, [&] {
        allSaved = save(login, folder, QStringLiteral("login")) && allSaved;
        login.findChild<QPushButton*>(ui::unitName(ui::logindlgids::LoginUnit))->click();
    });
    QTimer::singleShot(kWaitMs, &login, &QDialog::reject);
    if (login.exec() != QDialog::Accepted) {
        std::fprintf(stderr, "raidledger_demo: the login did not succeed\n");
        return 1;
    }

    tickhub::TimerAdapter timer;
    gamefiles::GameFolder gameFolder;
    ui::CMainFrame frame(ui::MainFrameParts{
        .deployment = usettings::loadDeployment(),
        .programFolder = ufile::GetModulePathDir(),
        .timer = timer,
        .gameFolder = gameFolder,
        .services = services,
        .backup = savekeep::getBackup(),
        .accounts = manager.getAccountService(),
        .uploads = manager.getEventUploadService(),
        .guildDkp = manager.getGuildDkpService(),
        .section = section,
        .skin = skin,
    });
    frame.create();
    frame.show();
    auto* download = frame.findChild<QPushButton*>(ui::unitName(ui::mainframeids::DownloadDkpList));
    auto* status = frame.findChild<QLabel*>(ui::unitName(ui::mainframeids::GuildDkpStatus));
    const QString synchronising = status->text();
    // The list arrives after the account data: it re-enables the button and dates the list.
    if (!waitUntil([&] { return download->isEnabled() && status->text() != synchronising; }))
        std::fprintf(stderr, "raidledger_demo: the guild DKP list did not arrive\n");
    allSaved = save(frame, folder, QStringLiteral("mainframe")) && allSaved;

    ui::CMySetupDlg settings(services, gameFolder, &frame);
    settings.setConfig(section);
    settings.setAccountService(manager.getAccountService());
    settings.show();
    allSaved = save(settings, folder, QStringLiteral("settings")) && allSaved;
    settings.close();

    // The upload wizard's windows and the restore dialog, on the demo account's raids.
    const int unsaved = ui::captureWizardScreens(services, manager.getAccountService(),
                                                 manager.getEventUploadService(),
                                                 savekeep::getBackup(), gameFolder, folder);
    if (unsaved != 0)
        std::fprintf(stderr, "raidledger_demo: %d wizard pictures were not saved\n", unsaved);
    return allSaved && unsaved == 0 ? 0 : 1;
}
