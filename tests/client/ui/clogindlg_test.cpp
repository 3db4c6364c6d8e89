#include "ui/clogindlg.h"
#include "ui/clogindlg_ids.h"
#include "ui/unitnames.h"

#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_site_services.h"
#include "testsupport/temporary_folder.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class LoginDialogTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (home_.path().string()).c_str(), 1);
        openSection();
    }
    void TearDown() override {
        dialog_.reset();
        store_->destroy(section_);
        unsetenv("XDG_CONFIG_HOME");
    }

    void openSection() {
        if (store_ != nullptr)
            store_->destroy(section_);
        store_ = std::make_unique<config::ConfigStore>(folder_.folder());
        section_ = store_->load(config::ledgerward::SectionName);
    }
    // What the file holds, read by a second store.
    std::string storedBytes(std::uint16_t key) {
        config::ConfigStore other(folder_.folder());
        config::PropertyBag* bag = other.load(config::ledgerward::SectionName);
        std::string value = bag->get_string(key, std::string());
        other.destroy(bag);
        return value;
    }
    void remember(const std::string& user, const std::string& password) {
        section_->set_string(config::ledgerward::UserName, user);
        section_->set_string(config::ledgerward::Password, password);
    }

    void open(protocol::LoginService* service) {
        dialog_ = std::make_unique<ui::CLoginDlg>(ui::DesktopServices{prompter_, desktop_}, nullptr,
                                                  usettings::Deployment{});
        dialog_->setConfig(section_);
        dialog_->setLoginService(service);
        dialog_->show();
    }
    void open() { open(&service_); }
    template <typename T> T* control(const QString& name) { return dialog_->findChild<T*>(name); }
    QLineEdit* userField() {
        return control<QLineEdit>(ui::controlName(ui::logindlgids::UserNameControl));
    }
    QLineEdit* passwordField() {
        return control<QLineEdit>(ui::controlName(ui::logindlgids::PasswordControl));
    }
    QCheckBox* rememberBox() {
        return control<QCheckBox>(ui::controlName(ui::logindlgids::RememberControl));
    }
    QCheckBox* autoRunBox() {
        return control<QCheckBox>(ui::controlName(ui::logindlgids::AutoRunControl));
    }
    QPushButton* loginButton() {
        return control<QPushButton>(ui::unitName(ui::logindlgids::LoginUnit));
    }

    void type(const QString& user, const QString& password) {
        userField()->setText(user);
        passwordField()->setText(password);
    }

    testsupport::TemporaryFolder home_;
    testsupport::TemporaryFolder folder_;
    std::unique_ptr<config::ConfigStore> store_;
    config::PropertyBag* section_ = nullptr;
    testsupport::FakeLoginService service_;
    testsupport::RecordingPrompter prompter_;
    testsupport::FakeDesktop desktop_;
    std::unique_ptr<ui::CLoginDlg> dialog_;
};

TEST_F(LoginDialogTest, RefusesABlankUserNameAndAnEmptyPasswordBeforeSendingAnything) {
    open();
    type(QStringLiteral("   "), QStringLiteral("secret"));
    loginButton()->click();
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, QStringLiteral("请输入您的用户名"));
    EXPECT_EQ(prompter_.messages[0].caption, QStringLiteral("操作提示"));
    EXPECT_EQ(prompter_.messages[0].icon, ui::MessageIcon::Information);
    EXPECT_EQ(dialog_->focusWidget(), userField());

    type(QStringLiteral("demo"), QStringLiteral("  "));
    loginButton()->click();
    ASSERT_EQ(prompter_.messages.size(), 2u);
    EXPECT_EQ(prompter_.messages[1].text, QStringLiteral("请输入您的密码"));
    EXPECT_EQ(dialog_->focusWidget(), passwordField());
    EXPECT_TRUE(service_.logins.empty());
    EXPECT_TRUE(loginButton()->isEnabled());
}

TEST_F(LoginDialogTest, WithoutALoginServiceEachTrySaysSoAndTheDialogStaysUsable) {
    open(nullptr);
    type(QStringLiteral("demo"), QStringLiteral("secret"));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        loginButton()->click();
        ASSERT_EQ(prompter_.messages.size(), static_cast<std::size_t>(attempt));
        EXPECT_EQ(prompter_.messages.back().text, QStringLiteral("无法连接DKP服务，请稍后再试"));
        EXPECT_TRUE(loginButton()->isEnabled());
        EXPECT_TRUE(userField()->isEnabled());
        EXPECT_TRUE(passwordField()->isEnabled());
        EXPECT_TRUE(dialog_->isVisible());
    }
    // A service that arrives later is used by the same dialog.
    dialog_->setLoginService(&service_);
    loginButton()->click();
    EXPECT_EQ(service_.logins.size(), 1u);
}

TEST_F(LoginDialogTest, SendsTheLowerCasedNameAndTheDigestAndWaitsDisabled) {
    open();
    type(QStringLiteral("  DemoUSER "), QStringLiteral(" 密码secret "));
    loginButton()->click();
    ASSERT_EQ(service_.logins.size(), 1u);
    EXPECT_EQ(service_.logins[0].first, u"demouser");
    EXPECT_EQ(service_.logins[0].second,
              encrypt::SHA(ustring::toNarrowString(u"密码secret", ustring::kAnsiCodePage)));
    EXPECT_FALSE(userField()->isEnabled());
    EXPECT_FALSE(passwordField()->isEnabled());
    EXPECT_FALSE(rememberBox()->isEnabled());
    EXPECT_FALSE(autoRunBox()->isEnabled());
    EXPECT_FALSE(loginButton()->isEnabled());
    EXPECT_TRUE(control<QPushButton>(ui::unitName(ui::logindlgids::CancelUnit))->isEnabled());

    dialog_->onLoginResult(1, 0);
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(storedBytes(config::ledgerward::UserName), "demouser");
    EXPECT_EQ(storedBytes(config::ledgerward::Password), ""); // not asked to remember it
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(LoginDialogTest, AFailedLoginKeepsWhatWasTypedAndTheDialogOpen) {
    open();
    type(QStringLiteral("Demo"), QStringLiteral("wrong"));
    rememberBox()->setChecked(true);
    loginButton()->click();
    dialog_->onLoginResult(0, 0);
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text,
              QStringLiteral("登录失败！请检查您的网络或者检查用户名和密码是否输入有误！"));
    EXPECT_EQ(dialog_->focusWidget(), userField());
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_TRUE(loginButton()->isEnabled());
    EXPECT_EQ(storedBytes(config::ledgerward::UserName), "demo");
    EXPECT_EQ(storedBytes(config::ledgerward::Password), "wrong");

    // The next start fills both fields in and ticks the box.
    dialog_.reset();
    openSection();
    open();
    EXPECT_EQ(userField()->text(), QStringLiteral("demo"));
    EXPECT_EQ(passwordField()->text(), QStringLiteral("wrong"));
    EXPECT_TRUE(rememberBox()->isChecked());
}

TEST_F(LoginDialogTest, OtherResultsOnlyEnableTheControlsAgain) {
    open();
    type(QStringLiteral("demo"), QStringLiteral("demo"));
    loginButton()->click();
    dialog_->onLoginResult(2, 0);
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_NE(dialog_->result(), QDialog::Accepted);
    EXPECT_TRUE(userField()->isEnabled());
    EXPECT_TRUE(loginButton()->isEnabled());
}

TEST_F(LoginDialogTest, TypingAUserNameForgetsTheRememberedPassword) {
    remember("demo", "demo");
    open();
    EXPECT_TRUE(rememberBox()->isChecked());
    QTest::keyClick(userField(), Qt::Key_End);
    QTest::keyClick(userField(), Qt::Key_X);
    EXPECT_EQ(userField()->text(), QStringLiteral("demox"));
    EXPECT_TRUE(passwordField()->text().isEmpty());
    EXPECT_FALSE(rememberBox()->isChecked());
}

TEST_F(LoginDialogTest, RemembersOnlyWhenBothValuesAreStoredAndLimitsTheFields) {
    remember("demo", "");
    open();
    EXPECT_EQ(userField()->text(), QStringLiteral("demo"));
    EXPECT_FALSE(rememberBox()->isChecked());
    EXPECT_EQ(userField()->maxLength(), 50);
    EXPECT_EQ(passwordField()->maxLength(), 25);
}

TEST_F(LoginDialogTest, EnterInThePasswordFieldLogsIn) {
    open();
    type(QStringLiteral("demo"), QStringLiteral("demo"));
    QTest::keyClick(passwordField(), Qt::Key_Return);
    ASSERT_EQ(service_.logins.size(), 1u);
    EXPECT_EQ(service_.logins[0].first, u"demo");
}

TEST_F(LoginDialogTest, TheAutoRunBoxSwitchesTheAutostartEntryAtOnce) {
    open();
    EXPECT_FALSE(autoRunBox()->isChecked());
    autoRunBox()->click();
    const auto entry = home_.path() / "autostart" / "TALLYRA.desktop";
    EXPECT_TRUE(std::filesystem::exists(entry));
    dialog_.reset();
    open();
    EXPECT_TRUE(autoRunBox()->isChecked());
    autoRunBox()->click();
    EXPECT_FALSE(std::filesystem::exists(entry));
}

TEST_F(LoginDialogTest, TheListenerIsRemovedWithTheDialog) {
    open();
    EXPECT_EQ(service_.listener, dialog_.get());
    dialog_.reset();
    EXPECT_EQ(service_.listener, nullptr);
}

} // namespace
