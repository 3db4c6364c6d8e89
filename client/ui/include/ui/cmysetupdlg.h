#pragma once

#include "ui/desktop_services.h"
#include "utilkit/usettings.h"

#include <QDialog>

#include <string>

namespace protocol {
class AccountService;
}
namespace config {
class PropertyBag;
}
namespace gamefiles {
class GameFolder;
}
class QLineEdit;
class QPushButton;

namespace ui {

// True when `text` contains the DKP web site's host immediately followed by "/"
// (case-sensitive, anywhere in the text). An empty host matches nothing.
bool checkGuildUrl(const std::u16string& text, const std::u16string& siteHost);

// "设置我的数据": the game folder and the default guild address, kept in the section
// "Ledgerward" under WowFolder and GuildUrl. It stores nothing unless all checks pass.
class CMySetupDlg : public QDialog {
    Q_OBJECT
public:
    // `gameFolder`: the game folder in effect, offered when none is configured; not owned.
    CMySetupDlg(const DesktopServices& services, const gamefiles::GameFolder& gameFolder,
                QWidget* parent = nullptr,
                const usettings::Deployment& deployment = usettings::loadDeployment());

    // Both not owned.
    void setConfig(config::PropertyBag* section) { section_ = section; }
    void setAccountService(protocol::AccountService* service) { accounts_ = service; }

    inline static const QString kCaption = QStringLiteral("操作提示！");

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void initialise();
    void browse();
    void confirm();
    bool refuse(const QString& text, QLineEdit* field);

    DesktopServices services_;
    const gamefiles::GameFolder& gameFolder_;
    usettings::Deployment deployment_;
    config::PropertyBag* section_ = nullptr;
    protocol::AccountService* accounts_ = nullptr;
    bool initialised_ = false;
    QLineEdit* folder_ = nullptr;
    QLineEdit* guildUrl_ = nullptr;
};

} // namespace ui
