#include "ui/cmainframe.h"

#include "gamefiles/addon_backup.h"
#include "gamefiles/dkp_list.h"
#include "gamefiles/error_correction.h"
#include "gamefiles/game_folder.h"
#include "gamefiles/upload_marks.h"
#include "protocol/account_service.h"
#include "protocol/guild_dkp_service.h"
#include "savekeep/backup.h"
#include "ui/cmainframe_ids.h"
#include "ui/cmysetupdlg.h"
#include "ui/crestoredatadlg.h"
#include "ui/guildsite.h"
#include "ui/prompter.h"
#include "ui/sectionvalues.h"
#include "ui/skin.h"
#include "ui/unitnames.h"
#include "ui/weblink.h"
#include "ui/wizard/uploadwizard.h"
#include "utilkit/ustring.h"
#include "utilkit_gui/usystem.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace ui {

namespace {

const QColor kTitleColour(80, 54, 6);
const QColor kVersionColour(27, 87, 0);
const QColor kStatusColour(255, 60, 0);
const QColor kCommandColour(254, 233, 2);
const QString kSynchronising = QStringLiteral("正在同步公会DKP数据");

QFont unitFont(bool bold) {
    QFont font = usystem::GetDefaultLF();
    if (bold)
        font.setWeight(QFont::Bold);
    return font;
}

QString colourRule(const QColor& colour) {
    return QStringLiteral("color: rgb(%1, %2, %3);")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

} // namespace

using namespace mainframeids;

CMainFrame::CMainFrame(const MainFrameParts& parts)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowSystemMenuHint),
      deployment_(parts.deployment), programFolder_(parts.programFolder),
      addons_(std::make_unique<gamefiles::AddonManager>(parts.programFolder)), timer_(parts.timer),
      gameFolder_(parts.gameFolder), services_(parts.services), backup_(parts.backup),
      accounts_(parts.accounts), uploads_(parts.uploads), guildDkp_(parts.guildDkp),
      section_(parts.section), skin_(parts.skin) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("VelvaneDKP"));
    setFixedSize(kWidth, kHeight);
    buildUnits();
    if (accounts_ != nullptr)
        accounts_->addListener(this);
    if (guildDkp_ != nullptr)
        guildDkp_->addListener(this);
}

CMainFrame::~CMainFrame() {
    if (timerRegistered_)
        timer_.unregisterListener(this);
    if (accounts_ != nullptr)
        accounts_->removeListener(this);
    if (guildDkp_ != nullptr)
        guildDkp_->removeListener(this);
    addons_.reset();
}

QLabel* CMainFrame::addText(int unit, const QString& content, const QRect& geometry,
                            const QColor& colour, bool bold) {
    auto* label = new QLabel(content, this);
    label->setObjectName(unitName(unit));
    label->setGeometry(geometry);
    label->setFont(unitFont(bold));
    label->setStyleSheet(colourRule(colour));
    return label;
}

QPushButton* CMainFrame::addCommand(int unit, const QString& content, const QRect& geometry) {
    auto* command = new QPushButton(content, this);
    command->setObjectName(unitName(unit));
    command->setGeometry(geometry);
    command->setFont(unitFont(true));
    command->setProperty("command", true);
    command->setStyleSheet(colourRule(kCommandColour));
    command->setCursor(Qt::PointingHandCursor);
    connect(command, &QPushButton::clicked, this, [this, unit] { onCommand(unit); });
    return command;
}

void CMainFrame::buildUnits() {
    auto* background = new QLabel(this);
    background->setObjectName(unitName(Background));
    background->setGeometry(0, 0, kWidth, kHeight);

    auto* brand = new QLabel(QStringLiteral("VelvaneDKP"), this);
    brand->setObjectName(QStringLiteral("brand"));
    brand->setGeometry(64, 8, 300, 40);

    auto* minimise = new QPushButton(QStringLiteral("最小化"), this);
    minimise->setObjectName(unitName(Minimise));
    minimise->setGeometry(kWidth - 150, 12, 64, 26);
    connect(minimise, &QPushButton::clicked, this, [this] { onCommand(Minimise); });
    auto* hide = new QPushButton(QStringLiteral("隐藏"), this);
    hide->setObjectName(unitName(Hide));
    hide->setGeometry(kWidth - 80, 12, 64, 26);
    connect(hide, &QPushButton::clicked, this, [this] { onCommand(Hide); });

    addText(AddonTitle, QStringLiteral("DKP插件信息"), QRect(56, 84, 300, 26), kTitleColour, true);
    addText(AddonVersion, QString(), QRect(56, 114, 676, 44), kVersionColour, false)
        ->setWordWrap(true);
    addText(GuildDkpTitle, QStringLiteral("公会DKP数据信息"), QRect(56, 170, 300, 26), kTitleColour,
            true);
    addText(GuildDkpStatus, kSynchronising, QRect(56, 200, 676, 26), kStatusColour, false);

    const int columns[] = {56, 296, 536};
    addCommand(Upload, QStringLiteral("上传DKP数据"), QRect(columns[0], 262, 196, 48));
    addCommand(Settings, QStringLiteral("我的设置"), QRect(columns[1], 262, 196, 48));
    addCommand(DownloadDkpList, QStringLiteral("下载公会DKP数据"), QRect(columns[2], 262, 196, 48));
    addCommand(Restore, QStringLiteral("恢复插件数据"), QRect(columns[0], 330, 196, 48))
        ->setToolTip(QStringLiteral("恢复WOW插件数据"));
    addCommand(CorrectErrors, QStringLiteral("插件错误校正"), QRect(columns[1], 330, 196, 48));
    addCommand(Forum, QStringLiteral("客服论坛"), QRect(columns[2], 330, 196, 48));

    const QString forum = QString::fromStdString(deployment_.forumUrl);
    auto* board = new WebLink(QStringLiteral("VelvaneDKP 用户论坛"),
                              forum + QStringLiteral("/forumdisplay.php?fid=106"), this);
    board->setObjectName(unitName(ForumBoardLink));
    board->setGeometry(56, 432, 300, 24);
    auto* home = new WebLink(QStringLiteral("公会服务首页"),
                             QString::fromStdString(deployment_.serviceHomeUrl), this);
    home->setObjectName(unitName(ServiceHomeLink));
    home->setGeometry(kWidth - 256, 432, 200, 24);
    home->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    openLinksWith(this, services_.desktop);
}

QPushButton* CMainFrame::button(int unit) const {
    return findChild<QPushButton*>(unitName(unit));
}

QLabel* CMainFrame::text(int unit) const {
    return findChild<QLabel*>(unitName(unit));
}

void CMainFrame::applyConfiguredGameFolder() {
    gameFolder_.setConfigured(sectionvalues::readText(section_, config::ledgerward::WowFolder));
    handGameFolderToBackup(gameFolder_.current());
}

void CMainFrame::handGameFolderToBackup(const std::u16string& gameFolder) {
    if (backup_ != nullptr)
        backup_->setGameFolder(gameFolder);
}

void CMainFrame::create() {
    applyConfiguredGameFolder();
    showSkinImage(skin_, text(Background), QStringLiteral("mainframe"));
    showSkinIcon(skin_, this);
    timer_.registerListener(this, kMaintenancePeriodMs);
    timerRegistered_ = true;
    runMaintenance();
    text(AddonVersion)
        ->setText(QString::fromStdU16String(addons_->getSourceVersion(gameFolder_.current())));
}

void CMainFrame::runMaintenance() {
    const std::u16string gameFolder = gameFolder_.current();
    // The game folder in effect can change on disk too (a configured folder that appears).
    handGameFolderToBackup(gameFolder);
    if (gameFolder.empty())
        return;
    gamefiles::backupStandaloneAddons(gameFolder);
    addons_->installAddon(gameFolder);
}

void CMainFrame::OnTimer() {
    runMaintenance();
}

void CMainFrame::onCommand(int id) {
    switch (id) {
    case Upload: {
        CUploadWizard wizard(services_, accounts_, uploads_,
                             {QString::fromStdString(deployment_.siteUrl),
                              QString::fromStdString(deployment_.itemSearchUrl)},
                             gameFolder_, this);
        gamefiles::UploadMarks marks(programFolder_);
        wizard.setUploadMarks(&marks);
        wizard.run();
        break;
    }
    case Settings:
        openSettings();
        break;
    case DownloadDkpList:
        text(GuildDkpStatus)->setText(kSynchronising);
        button(DownloadDkpList)->setEnabled(false);
        requestGuildDkpList();
        break;
    case Restore:
        if (backup_ != nullptr) {
            CRestoreDataDlg dialog(services_, *backup_, gameFolder_, this);
            dialog.exec();
        }
        break;
    case CorrectErrors: {
        PromptMessageOwner owner(this, services_.prompter);
        gamefiles::correctAddonErrors(owner, gameFolder_.current());
        break;
    }
    case Forum:
        services_.desktop.openUrl(ustring::fromUtf8(deployment_.forumUrl + "/forum-106-1.html"));
        break;
    case Hide:
        close();
        break;
    case Minimise:
        showMinimized();
        break;
    default:
        break;
    }
}

void CMainFrame::openSettings() {
    CMySetupDlg dialog(services_, gameFolder_, this, deployment_);
    dialog.setConfig(section_);
    dialog.setAccountService(accounts_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applyConfiguredGameFolder();
    // A newly chosen folder gets the addon now, so that the guild list has its folder to go to.
    runMaintenance();
}

void CMainFrame::onAccountReady() {
    button(DownloadDkpList)->setEnabled(false);
    const std::u16string url = sectionvalues::readText(section_, config::ledgerward::GuildUrl);
    if (url.empty() && accounts_ != nullptr &&
        (accounts_->getDefaultGuild().guildId.empty() || accounts_->getGuilds().size() > 1))
        onCommand(Settings);
    requestGuildDkpList();
}

void CMainFrame::requestGuildDkpList() {
    std::u16string url = sectionvalues::readText(section_, config::ledgerward::GuildUrl);
    if (url.empty() && accounts_ != nullptr)
        url = accounts_->getDefaultGuildUrl();
    const std::u16string site = guildSiteName(url, ustring::fromUtf8(deployment_.oldSiteHost),
                                              ustring::fromUtf8(deployment_.siteHost));
    if (guildDkp_ != nullptr)
        guildDkp_->requestGuildDkpList(ustring::toNarrowString(site, ustring::kAnsiCodePage),
                                       gamefiles::isMainlandClient(gameFolder_.current()));
}

void CMainFrame::onGuildDkpList(const std::string& listText) {
    button(DownloadDkpList)->setEnabled(true);
    if (gameFolder_.current().empty())
        onCommand(Settings);
    const std::u16string gameFolder = gameFolder_.current();
    // Without a game folder the list would land in the current directory.
    if (!gameFolder.empty())
        gamefiles::writeDkpList(gameFolder, listText);
    text(GuildDkpStatus)
        ->setText(
            QString::fromStdU16String(gamefiles::getUpdateTimeText(ustring::fromUtf8(listText))));
}

void CMainFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QWidget::mousePressEvent(event);
}

void CMainFrame::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - dragOffset_);
    QWidget::mouseMoveEvent(event);
}

} // namespace ui
