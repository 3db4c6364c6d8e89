#include "app/raidledger_app.h"

#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "fetchkit/fetchkit.h"
#include "savekeep/backup.h"
#include "tickhub/timer.h"
#include "ui/clogindlg.h"
#include "ui/cmainframe.h"
#include "ui/prompter.h"
#include "ui/sectionvalues.h"
#include "ui/skin.h"
#include "updater/install_entry.h"
#include "utilkit/ufile.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include <curl/curl.h>
#include <dlfcn.h>

#include <filesystem>

namespace app {

namespace {

constexpr const char* kCrashReporter = "libcrashkit.so";
constexpr std::uint32_t kTickMs = 100;
constexpr std::uint32_t kBackupIntervalMs = 10000;
// The kind of update packages that the client installs at start-up.
constexpr std::int32_t kInstallKind = 1;

} // namespace

std::u16string RaidledgerApp::defaultProgramFolder() {
    return ufile::GetModulePathDir();
}

RaidledgerApp::RaidledgerApp(std::u16string programFolder)
    : RaidledgerApp(std::move(programFolder), {qtPrompter_, qtDesktop_}) {}

RaidledgerApp::RaidledgerApp(std::u16string programFolder, const ui::DesktopServices& services)
    : services_(services), programFolder_(std::move(programFolder)),
      deployment_(usettings::loadDeployment(programFolder_ + usettings::kDeploymentFileName)),
      skin_(std::make_unique<ui::Skin>(QString::fromStdU16String(programFolder_) + "skin/")) {}

RaidledgerApp::~RaidledgerApp() {
    mainFrame_.reset();
    QApplication::setWindowIcon(QIcon());
    if (updaterStarted_) {
        ReleaseInstall();
        ReleaseDownloader();
    }
    if (store_ != nullptr && section_ != nullptr)
        store_->destroy(section_);
    section_ = nullptr;
    store_.reset();
    skin_.reset();
    binding_.unbind();
    if (curlInitialised_)
        curl_global_cleanup();
}

bool RaidledgerApp::initInstance() {
    loadCrashReporter();
    curl_global_init(CURL_GLOBAL_ALL);
    curlInitialised_ = true;
    QCoreApplication::setOrganizationName(QStringLiteral("应用程序向导生成的本地应用程序"));
    prepareTempFolder();
    tickhub::CTimer::Instance()->SetTick(kTickMs);
    loadConfiguration();
    loadSkin();
    startUpdater();
    if (!bindProtocol())
        return false;
    configureBackup();
    if (skin_ != nullptr)
        QApplication::setWindowIcon(skin_->icon());
    if (!runLogin())
        return false;
    createMainWindow();
    return true;
}

int RaidledgerApp::run() {
    if (!initInstance())
        return binding_.isBound() ? 0 : 1;
    return QApplication::exec();
}

void RaidledgerApp::loadCrashReporter() {
    // Only loading it is asked of the crash reporter; it stays loaded for the whole run.
    dlopen(kCrashReporter, RTLD_NOW | RTLD_GLOBAL);
}

void RaidledgerApp::prepareTempFolder() {
    std::error_code ignored;
    if (!std::filesystem::exists("Temp", ignored))
        std::filesystem::create_directory("Temp", ignored);
}

void RaidledgerApp::loadConfiguration() {
    if (store_ == nullptr)
        store_ = std::make_unique<config::ConfigStore>(programFolder_);
    if (section_ == nullptr)
        section_ = store_->load(config::ledgerward::SectionName);
    // The folder the user chose wins over the game's own record from the start, for the
    // backups as much as for the windows.
    gameFolder_.setConfigured(ui::sectionvalues::readText(section_, config::ledgerward::WowFolder));
}

void RaidledgerApp::loadSkin() {
    if (skin_ == nullptr)
        return;
    if (skin_->load())
        qApp->setStyleSheet(skin_->styleSheet());
}

void RaidledgerApp::startUpdater() {
    if (fetchkit::Downloader* downloader = GetDownloader())
        downloader->fetchUpdates();
    if (updater::Installer* installer = GetInstall())
        installer->start(kInstallKind);
    updaterStarted_ = true;
}

bool RaidledgerApp::bindProtocol() {
    if (binding_.isBound())
        return true;
    std::u16string error;
    if (!binding_.bind(error)) {
        services_.prompter.showMessage(nullptr, QString::fromStdU16String(error),
                                       ui::kNoticeCaption, ui::MessageIcon::Error);
        return false;
    }
    binding_.installDispatcher(&dispatcher_);
    if (!deployment_.siteUrl.empty())
        binding_.setSiteUrl(deployment_.siteUrl);
    manager_ = binding_.manager();
    return true;
}

void RaidledgerApp::configureBackup() {
    savekeep::IBackup* backup = savekeep::getBackup();
    if (backup == nullptr)
        return;
    backup->setGameFolder(gameFolder_.current());
    backup->setBackupFolder(programFolder_ + u"Backup");
    backup->setTimer(&timerAdapter_);
    backup->setInterval(kBackupIntervalMs);
}

bool RaidledgerApp::runLogin() {
    ui::CLoginDlg login(services_, nullptr, deployment_, skin_.get());
    login.setConfig(section_);
    login.setLoginService(manager_->getLoginService());
    return login.exec() == QDialog::Accepted;
}

void RaidledgerApp::createMainWindow() {
    mainFrame_ = std::make_unique<ui::CMainFrame>(ui::MainFrameParts{
        .deployment = deployment_,
        .programFolder = programFolder_,
        .timer = timerAdapter_,
        .gameFolder = gameFolder_,
        .services = services_,
        .backup = savekeep::getBackup(),
        .accounts = manager_->getAccountService(),
        .uploads = manager_->getEventUploadService(),
        .guildDkp = manager_->getGuildDkpService(),
        .section = section_,
        .skin = skin_.get(),
    });
    mainFrame_->create();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = mainFrame_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        mainFrame_->move(frame.topLeft());
    }
    mainFrame_->show();
}

} // namespace app
