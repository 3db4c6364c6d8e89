#include "ui/cmysetupdlg.h"

#include "gamefiles/game_folder.h"
#include "gamefolder/game_layout.h"
#include "packing/pack.h"
#include "protocol/account_service.h"
#include "ui/cmysetupdlg_ids.h"
#include "ui/prompter.h"
#include "ui/sectionvalues.h"
#include "ui/unitnames.h"
#include "utilkit/ustring.h"
#include "utilkit_gui/usystem.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 230;

QLabel* addLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

} // namespace

bool checkGuildUrl(const std::u16string& text, const std::u16string& siteHost) {
    return !siteHost.empty() && text.find(siteHost + u"/") != std::u16string::npos;
}

CMySetupDlg::CMySetupDlg(const DesktopServices& services, const gamefiles::GameFolder& gameFolder,
                         QWidget* parent, const usettings::Deployment& deployment)
    : QDialog(parent), services_(services), gameFolder_(gameFolder), deployment_(deployment) {
    setObjectName(QStringLiteral("dialog108"));
    setWindowTitle(QStringLiteral("设置我的数据"));
    setFixedSize(kWidth, kHeight);
    buildControls();
}

void CMySetupDlg::buildControls() {
    auto* title = addLabel(this, QStringLiteral("请正确设置DKP客户端的WOW目录以及默认公会URL"),
                           QRect(16, 12, kWidth - 32, 26));
    title->setObjectName(QStringLiteral("setupTitle"));
    addLabel(this, QStringLiteral("我的WOW目录( 例 D:\\WotLK_zhCN )："), QRect(16, 44, 400, 22));
    folder_ = new QLineEdit(this);
    folder_->setObjectName(controlName(mysetupdlgids::GameFolder));
    folder_->setGeometry(16, 68, 356, 28);
    auto* browse = new QPushButton(QStringLiteral("浏览..."), this);
    browse->setObjectName(controlName(mysetupdlgids::Browse));
    browse->setGeometry(380, 68, 84, 28);
    browse->setAutoDefault(false);

    const QString example =
        QStringLiteral("http://") + QString::fromStdString(deployment_.siteHost) + "/adpt_dkp";
    addLabel(this, QStringLiteral("我的默认公会URL( 例 %1 )：").arg(example),
             QRect(16, 106, kWidth - 32, 22));
    guildUrl_ = new QLineEdit(this);
    guildUrl_->setObjectName(controlName(mysetupdlgids::GuildUrl));
    guildUrl_->setGeometry(16, 130, kWidth - 32, 28);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(controlName(mysetupdlgids::Ok));
    ok->setGeometry(kWidth - 200, 180, 84, 32);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(controlName(mysetupdlgids::Cancel));
    cancel->setGeometry(kWidth - 100, 180, 84, 32);
    cancel->setAutoDefault(false);

    connect(browse, &QPushButton::clicked, this, &CMySetupDlg::browse);
    connect(ok, &QPushButton::clicked, this, &CMySetupDlg::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CMySetupDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        initialise();
    }
    QDialog::showEvent(event);
}

void CMySetupDlg::initialise() {
    std::u16string url = sectionvalues::readText(section_, config::ledgerward::GuildUrl);
    if (url.empty() && accounts_ != nullptr)
        url = accounts_->getDefaultGuildUrl();
    guildUrl_->setText(QString::fromStdU16String(url));
    std::u16string folder = sectionvalues::readText(section_, config::ledgerward::WowFolder);
    if (folder.empty())
        folder = gameFolder_.current();
    folder_->setText(QString::fromStdU16String(folder));
}

void CMySetupDlg::browse() {
    folder_->setText(QString::fromStdU16String(services_.desktop.chooseFolder()));
}

bool CMySetupDlg::refuse(const QString& text, QLineEdit* field) {
    services_.prompter.showMessage(this, text, kCaption);
    field->setFocus();
    return false;
}

void CMySetupDlg::confirm() {
    const std::u16string url = guildUrl_->text().toStdU16String();
    if (url.empty()) {
        refuse(QStringLiteral("请输入您默认的公会URL"), guildUrl_);
        return;
    }
    // A pasted text too long for the configuration file to hold is no guild address either.
    if (!checkGuildUrl(url, ustring::fromUtf8(deployment_.siteHost)) ||
        ustring::toUtf8(url).size() > packing::kLongestVarstr) {
        refuse(QStringLiteral("请输入正确的公会URL"), guildUrl_);
        return;
    }
    std::u16string folder = folder_->text().toStdU16String();
    if (folder.empty()) {
        refuse(QStringLiteral("请选择您默认的WOW安装目录"), folder_);
        return;
    }
    if (folder.back() != u'/')
        folder.push_back(u'/');
    folder_->setText(QString::fromStdU16String(folder));
    if (!gamefolder::pathExists(gamefolder::gameProgram(folder))) {
        refuse(QStringLiteral("请选择正确的WOW安装目录"), folder_);
        return;
    }
    sectionvalues::writeText(section_, config::ledgerward::GuildUrl, url);
    sectionvalues::writeText(section_, config::ledgerward::WowFolder, folder);
    sectionvalues::commit(section_);
    accept();
}

} // namespace ui
