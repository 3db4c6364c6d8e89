#include "ui/clogindlg.h"

#include "autostart/autostart_entry.h"
#include "protocol/login_service.h"
#include "ui/clogindlg_ids.h"
#include "ui/prompter.h"
#include "ui/sectionvalues.h"
#include "ui/skin.h"
#include "ui/unitnames.h"
#include "ui/weblink.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 300;

QString fromAnsi(const std::string& bytes) {
    return QString::fromStdU16String(ustring::toWideString(bytes, ustring::kAnsiCodePage));
}

std::string toAnsi(const QString& text) {
    return ustring::toNarrowString(text.toStdU16String(), ustring::kAnsiCodePage);
}

QString address(const std::string& base, const char* path) {
    return QString::fromStdString(base) + QString::fromLatin1(path);
}

} // namespace

using namespace logindlgids;

CLoginDlg::CLoginDlg(const DesktopServices& services, QWidget* parent,
                     const usettings::Deployment& deployment, const Skin* skin)
    : QDialog(parent), prompter_(services.prompter), skin_(skin) {
    setObjectName(QStringLiteral("loginDialog"));
    setWindowTitle(QStringLiteral("登录VelvaneDKP客户端"));
    setFixedSize(kWidth, kHeight);
    buildControls(deployment);
    openLinksWith(this, services.desktop);
}

CLoginDlg::~CLoginDlg() {
    if (service_ != nullptr)
        service_->removeListener(this);
}

void CLoginDlg::buildControls(const usettings::Deployment& deployment) {
    auto* background = new QLabel(this);
    background->setObjectName(unitName(BackgroundUnit));
    background->setGeometry(0, 0, kWidth, kHeight);

    auto* banner = new QLabel(QStringLiteral("VelvaneDKP"), this);
    banner->setObjectName(QStringLiteral("loginBanner"));
    banner->setGeometry(0, 18, kWidth, 56);
    banner->setAlignment(Qt::AlignCenter);

    auto* userLabel = new QLabel(QStringLiteral("用户名"), this);
    userLabel->setGeometry(60, 96, 60, 28);
    userName_ = new QLineEdit(this);
    userName_->setObjectName(controlName(UserNameControl));
    userName_->setProperty("unit", UserNameUnit);
    userName_->setGeometry(124, 96, 180, 28);
    userName_->setMaxLength(kUserNameLimit);

    auto* passwordLabel = new QLabel(QStringLiteral("密　码"), this);
    passwordLabel->setGeometry(60, 136, 60, 28);
    password_ = new QLineEdit(this);
    password_->setObjectName(controlName(PasswordControl));
    password_->setProperty("unit", PasswordUnit);
    password_->setGeometry(124, 136, 180, 28);
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(kPasswordLimit);

    auto* account = new WebLink(QStringLiteral("注册帐号"),
                                QString::fromStdString(deployment.accountUrl) + "/", this);
    account->setObjectName(unitName(AccountLinkUnit));
    account->setGeometry(314, 96, 80, 28);
    auto* recovery = new WebLink(QStringLiteral("找回密码"),
                                 address(deployment.accountUrl, "/GetPasswordPage.do"), this);
    recovery->setObjectName(unitName(RecoveryLinkUnit));
    recovery->setGeometry(314, 136, 80, 28);

    remember_ = new QCheckBox(QStringLiteral("记住密码"), this);
    remember_->setObjectName(controlName(RememberControl));
    remember_->setProperty("unit", RememberUnit);
    remember_->setGeometry(124, 174, 90, 24);
    autoRun_ = new QCheckBox(QStringLiteral("自动运行"), this);
    autoRun_->setObjectName(controlName(AutoRunControl));
    autoRun_->setProperty("unit", AutoRunUnit);
    autoRun_->setGeometry(220, 174, 90, 24);

    login_ = new QPushButton(QStringLiteral("登录"), this);
    login_->setObjectName(unitName(LoginUnit));
    login_->setGeometry(124, 214, 84, 32);
    login_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    cancel_->setObjectName(unitName(CancelUnit));
    cancel_->setGeometry(220, 214, 84, 32);
    cancel_->setAutoDefault(false);

    auto* feedback = new WebLink(QStringLiteral("DKP问题咨询/反馈"),
                                 address(deployment.forumUrl, "/forum-106-1.html"), this);
    feedback->setObjectName(controlName(FeedbackControl));
    feedback->setProperty("unit", FeedbackUnit);
    feedback->setGeometry(0, 264, kWidth, 24);
    feedback->setAlignment(Qt::AlignCenter);

    connect(login_, &QPushButton::clicked, this, &CLoginDlg::logIn);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(userName_, &QLineEdit::textEdited, this, &CLoginDlg::userNameEdited);
    connect(autoRun_, &QCheckBox::clicked, this,
            [](bool ticked) { autostart::AutostartEntry().setRegistered(ticked); });
}

void CLoginDlg::setLoginService(protocol::LoginService* service) {
    if (service_ != nullptr)
        service_->removeListener(this);
    service_ = service;
    if (service_ != nullptr)
        service_->addListener(this);
}

void CLoginDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        initialise();
    }
    QDialog::showEvent(event);
}

void CLoginDlg::initialise() {
    showSkinImage(skin_, findChild<QLabel*>(unitName(BackgroundUnit)), QStringLiteral("login"));
    showSkinIcon(skin_, this);
    const std::string user = sectionvalues::readBytes(section_, config::ledgerward::UserName);
    const std::string password = sectionvalues::readBytes(section_, config::ledgerward::Password);
    userName_->setText(fromAnsi(user));
    password_->setText(fromAnsi(password));
    remember_->setChecked(!user.empty() && !password.empty());
    autoRun_->setChecked(autostart::AutostartEntry().isRegistered());
    userName_->setFocus();
}

QString CLoginDlg::typedUserName() const {
    std::u16string user = userName_->text().toStdU16String();
    ustring::ToLower(user);
    ustring::trimExt(user);
    return QString::fromStdU16String(user);
}

QString CLoginDlg::typedPassword() const {
    std::u16string password = password_->text().toStdU16String();
    ustring::trimExt(password);
    return QString::fromStdU16String(password);
}

void CLoginDlg::userNameEdited() {
    password_->clear();
    remember_->setChecked(false);
}

void CLoginDlg::setInputEnabled(bool enabled) {
    userName_->setEnabled(enabled);
    password_->setEnabled(enabled);
    remember_->setEnabled(enabled);
    autoRun_->setEnabled(enabled);
    login_->setEnabled(enabled);
}

void CLoginDlg::logIn() {
    const QString user = typedUserName();
    if (user.isEmpty()) {
        prompter_.showMessage(this, QStringLiteral("请输入您的用户名"));
        userName_->setFocus();
        return;
    }
    const QString password = typedPassword();
    if (password.isEmpty()) {
        prompter_.showMessage(this, QStringLiteral("请输入您的密码"));
        password_->setFocus();
        return;
    }
    if (service_ == nullptr) {
        // Nothing would ever answer: the dialog stays as it is for another try.
        prompter_.showMessage(this, QStringLiteral("无法连接DKP服务，请稍后再试"));
        return;
    }
    setInputEnabled(false);
    service_->login(user.toStdU16String(), encrypt::SHA(toAnsi(password)));
}

void CLoginDlg::onLoginResult(std::int32_t result, std::uint32_t) {
    setInputEnabled(true);
    const QString user = typedUserName();
    const QString password = typedPassword();
    // What was typed is kept even when the login failed.
    sectionvalues::writeBytes(section_, config::ledgerward::UserName, toAnsi(user));
    sectionvalues::writeBytes(section_, config::ledgerward::Password,
                              remember_->isChecked() ? toAnsi(password) : std::string());
    sectionvalues::commit(section_);
    if (result == 0) {
        prompter_.showMessage(this,
                              QStringLiteral("登录失败！请检查您的网络或者检查用户名和密码是否"
                                             "输入有误！"));
        userName_->setFocus();
    } else if (result == 1) {
        accept();
    }
}

} // namespace ui
