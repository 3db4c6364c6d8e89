#include "ui/cmysetupdlg.h"
#include "ui/cmysetupdlg_ids.h"
#include "ui/unitnames.h"

#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "gamefiles/game_folder.h"
#include "testsupport/fake_account_service.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_site_services.h"
#include "testsupport/temporary_folder.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr const char* kHost = "dkp.example:8080";

class SetupDialogTest : public testing::Test {
protected:
    void SetUp() override {
        store_ = std::make_unique<config::ConfigStore>(configFolder_.folder());
        section_ = store_->load(config::ledgerward::SectionName);
        deployment_.siteHost = kHost;
        ASSERT_TRUE(ufile::WriteFileData(game_.folder() + u"WoW.exe", "MZ"));
    }
    void TearDown() override {
        dialog_.reset();
        store_->destroy(section_);
    }

    void open() {
        dialog_ = std::make_unique<ui::CMySetupDlg>(ui::DesktopServices{prompter_, desktop_},
                                                    gameFolder_, nullptr, deployment_);
        dialog_->setConfig(section_);
        dialog_->setAccountService(&accounts_);
        dialog_->show();
    }
    QLineEdit* folderField() { return field(ui::mysetupdlgids::GameFolder); }
    QLineEdit* urlField() { return field(ui::mysetupdlgids::GuildUrl); }
    QLineEdit* field(int control) {
        return dialog_->findChild<QLineEdit*>(ui::controlName(control));
    }
    void press(int control) { dialog_->findChild<QPushButton*>(ui::controlName(control))->click(); }
    void fill(const std::u16string& folder, const QString& url) {
        folderField()->setText(QString::fromStdU16String(folder));
        urlField()->setText(url);
    }
    std::u16string storedText(std::uint16_t key) {
        config::ConfigStore other(configFolder_.folder());
        config::PropertyBag* bag = other.load(config::ledgerward::SectionName);
        std::u16string value;
        bag->get_wstring(key, value);
        other.destroy(bag);
        return value;
    }
    // Presses OK and expects the refusal `text` with the focus on `field`; nothing stored.
    void expectRefusal(const QString& text, QLineEdit* field) {
        const std::size_t before = prompter_.messages.size();
        press(ui::mysetupdlgids::Ok);
        ASSERT_EQ(prompter_.messages.size(), before + 1) << text.toStdString();
        EXPECT_EQ(prompter_.messages.back().text, text);
        EXPECT_EQ(prompter_.messages.back().caption, QStringLiteral("操作提示！"));
        EXPECT_EQ(dialog_->focusWidget(), field);
        EXPECT_TRUE(dialog_->isVisible());
        EXPECT_TRUE(storedText(config::ledgerward::GuildUrl).empty());
    }

    testsupport::TemporaryFolder configFolder_;
    testsupport::TemporaryFolder game_;
    std::unique_ptr<config::ConfigStore> store_;
    config::PropertyBag* section_ = nullptr;
    usettings::Deployment deployment_;
    gamefiles::GameFolder gameFolder_;
    testsupport::FakeAccountService accounts_;
    testsupport::RecordingPrompter prompter_;
    testsupport::FakeDesktop desktop_;
    std::unique_ptr<ui::CMySetupDlg> dialog_;
};

TEST(GuildUrlCheck, WantsTheHostFollowedByASlashAnywhere) {
    const std::u16string host = u"dkp.example:8080";
    EXPECT_TRUE(ui::checkGuildUrl(u"http://dkp.example:8080/adpt_dkp", host));
    EXPECT_TRUE(ui::checkGuildUrl(u"dkp.example:8080/adpt_dkp", host));
    EXPECT_TRUE(ui::checkGuildUrl(u"see dkp.example:8080/", host));
    EXPECT_FALSE(ui::checkGuildUrl(u"http://dkp.example:8080", host));
    EXPECT_FALSE(ui::checkGuildUrl(u"http://DKP.example:8080/adpt_dkp", host));
    EXPECT_FALSE(ui::checkGuildUrl(u"/", u""));
}

TEST_F(SetupDialogTest, RefusesEachInvalidInputWithItsMessage) {
    open();
    fill(game_.folder(), QString());
    expectRefusal(QStringLiteral("请输入您默认的公会URL"), urlField());
    fill(game_.folder(), QStringLiteral("http://dkp.example:8080"));
    expectRefusal(QStringLiteral("请输入正确的公会URL"), urlField());
    // Too long for the configuration file (65536 UTF-8 bytes and more), though the host is in it.
    fill(game_.folder(), QStringLiteral("dkp.example:8080/") + QString(21840, QChar(u'汉')));
    expectRefusal(QStringLiteral("请输入正确的公会URL"), urlField());
    fill(u"", QStringLiteral("dkp.example:8080/adpt_dkp"));
    expectRefusal(QStringLiteral("请选择您默认的WOW安装目录"), folderField());
    fill(configFolder_.folder(), QStringLiteral("dkp.example:8080/adpt_dkp"));
    expectRefusal(QStringLiteral("请选择正确的WOW安装目录"), folderField());
}

TEST_F(SetupDialogTest, StoresBothValuesAndCommitsThem) {
    open();
    std::u16string folder = game_.folder();
    folder.pop_back(); // typed without the trailing separator
    fill(folder, QStringLiteral("dkp.example:8080/adpt_dkp"));
    press(ui::mysetupdlgids::Ok);
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_EQ(dialog_->result(), QDialog::Accepted);
    EXPECT_EQ(storedText(config::ledgerward::GuildUrl), u"dkp.example:8080/adpt_dkp");
    EXPECT_EQ(storedText(config::ledgerward::WowFolder), game_.folder());
}

TEST_F(SetupDialogTest, AFolderEndingInTheSeparatorGetsNoSecondOne) {
    open();
    fill(game_.folder(), QStringLiteral("http://dkp.example:8080/adpt_dkp"));
    press(ui::mysetupdlgids::Ok);
    EXPECT_EQ(storedText(config::ledgerward::WowFolder), game_.folder());
}

TEST_F(SetupDialogTest, StartsFromTheStoredValuesOrTheAccountsDefaultAddress) {
    accounts_.defaultGuildUrl = u"http://dkp.example:8080/guild_a";
    open();
    EXPECT_EQ(urlField()->text(), QStringLiteral("http://dkp.example:8080/guild_a"));
    dialog_.reset();
    section_->set_wstring(config::ledgerward::GuildUrl, u"http://dkp.example:8080/stored");
    section_->set_wstring(config::ledgerward::WowFolder, game_.folder());
    open();
    EXPECT_EQ(urlField()->text(), QStringLiteral("http://dkp.example:8080/stored"));
    EXPECT_EQ(folderField()->text(), QString::fromStdU16String(game_.folder()));
}

TEST_F(SetupDialogTest, TheFolderDialogsAnswerReplacesTheFieldEvenWhenCancelled) {
    open();
    fill(game_.folder(), QStringLiteral("dkp.example:8080/adpt_dkp"));
    desktop_.folders.push_back(u"/picked/folder");
    press(ui::mysetupdlgids::Browse);
    EXPECT_EQ(folderField()->text(), QStringLiteral("/picked/folder"));
    press(ui::mysetupdlgids::Browse); // cancelled
    EXPECT_EQ(desktop_.folderDialogs, 2);
    EXPECT_TRUE(folderField()->text().isEmpty());
    expectRefusal(QStringLiteral("请选择您默认的WOW安装目录"), folderField());
}

TEST_F(SetupDialogTest, CancelStoresNothing) {
    open();
    fill(game_.folder(), QStringLiteral("dkp.example:8080/adpt_dkp"));
    press(ui::mysetupdlgids::Cancel);
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_TRUE(storedText(config::ledgerward::GuildUrl).empty());
    EXPECT_TRUE(storedText(config::ledgerward::WowFolder).empty());
}

} // namespace
