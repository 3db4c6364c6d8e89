#pragma once

#include "protocol/login_listener.h"
#include "ui/desktop_services.h"
#include "utilkit/usettings.h"

#include <QDialog>

namespace protocol {
class LoginService;
}
namespace config {
class PropertyBag;
}
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ui {

class Skin;
class WebLink;

// The login window: user name and password, "记住密码" and "自动运行", and the login through
// the login service. It ends with Accepted only after a successful login.
class CLoginDlg : public QDialog, public protocol::LoginListener {
    Q_OBJECT
public:
    // `skin`: the images and icon it draws with (none without); not owned.
    explicit CLoginDlg(const DesktopServices& services, QWidget* parent = nullptr,
                       const usettings::Deployment& deployment = usettings::loadDeployment(),
                       const Skin* skin = nullptr);
    ~CLoginDlg() override;

    // The section "Ledgerward"; not owned.
    void setConfig(config::PropertyBag* section) { section_ = section; }
    // Registers the dialog as the service's listener; it is removed again on destruction.
    void setLoginService(protocol::LoginService* service);

    void onLoginResult(std::int32_t result, std::uint32_t detail) override;

    static constexpr int kUserNameLimit = 50;
    static constexpr int kPasswordLimit = 25;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls(const usettings::Deployment& deployment);
    void initialise();
    void logIn();
    void userNameEdited();
    void setInputEnabled(bool enabled);
    QString typedUserName() const;
    QString typedPassword() const;

    Prompter& prompter_;
    const Skin* skin_ = nullptr;
    config::PropertyBag* section_ = nullptr;
    protocol::LoginService* service_ = nullptr;
    bool initialised_ = false;
    QLineEdit* userName_ = nullptr;
    QLineEdit* password_ = nullptr;
    QCheckBox* remember_ = nullptr;
    QCheckBox* autoRun_ = nullptr;
    QPushButton* login_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace ui
