#pragma once

#include "gamefiles/addon_manager.h"
#include "protocol/account_listener.h"
#include "protocol/guild_dkp_listener.h"
#include "timer/timer_sense.h"
#include "utilkit/ufile.h"
#include "utilkit/usettings.h"

#include <QWidget>

#include <memory>

namespace protocol {
class AccountService;
}
namespace protocol {
class EventUploadService;
}
namespace protocol {
class GuildDkpService;
}
namespace config {
class PropertyBag;
}
class QLabel;
class QPushButton;

namespace savekeep {
class IBackup;
}

namespace ui {

// The client's main window after login: the addon and guild DKP information lines, the six
// commands, and the background work (the guild DKP list after login, the addon maintenance
// every 10 seconds). Frameless and of fixed size; it is dragged from anywhere.
class CMainFrame : public QWidget,
                   public protocol::AccountListener,
                   public protocol::GuildDkpListener,
                   public timer::ITimerSenseObj {
    Q_OBJECT
public:
    static constexpr int kWidth = 788;
    static constexpr int kHeight = 487;
    static constexpr std::uint32_t kMaintenancePeriodMs = 10000;

    // `programFolder` holds the addon variants ("Addonkit") that the maintenance installs, and
    // the marks of uploaded raids beside the settings.
    explicit CMainFrame(const usettings::Deployment& deployment = usettings::loadDeployment(),
                        std::u16string programFolder = ufile::GetModulePathDir());
    ~CMainFrame() override;

    // Given by start-up, in this order, before `create`. None is owned.
    void setBackup(savekeep::IBackup* backup) { backup_ = backup; }
    void setAccountService(protocol::AccountService* service);
    void setUploadService(protocol::EventUploadService* service) { uploads_ = service; }
    void setGuildDkpService(protocol::GuildDkpService* service);
    void setConfig(config::PropertyBag* section) { section_ = section; }

    // Takes up the configured game folder, registers the maintenance timer, runs the
    // maintenance step once and shows the addon version.
    void create();

    // Runs a command as its button does; `id` is the button's unit (mainframeids).
    void onCommand(int id);

    void onAccountReady() override;
    void onGuildDkpList(const std::string& listText) override;
    void OnTimer() override;

    // Hands the game folder in effect to the backup object, moves stand-alone addons aside,
    // then installs or refreshes the addon; without a game folder it touches no file.
    void runMaintenance();
    void requestGuildDkpList();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildUnits();
    QLabel* addText(int unit, const QString& text, const QRect& geometry, const QColor& colour,
                    bool bold);
    QPushButton* addCommand(int unit, const QString& text, const QRect& geometry);
    void openSettings();
    void applyConfiguredGameFolder();
    void handGameFolderToBackup(const std::u16string& gameFolder);
    QPushButton* button(int unit) const;
    QLabel* text(int unit) const;

    usettings::Deployment deployment_;
    std::u16string programFolder_;
    std::unique_ptr<gamefiles::AddonManager> addons_;
    savekeep::IBackup* backup_ = nullptr;
    protocol::AccountService* accounts_ = nullptr;
    protocol::EventUploadService* uploads_ = nullptr;
    protocol::GuildDkpService* guildDkp_ = nullptr;
    config::PropertyBag* section_ = nullptr;
    bool timerRegistered_ = false;
    QPoint dragOffset_;
};

} // namespace ui
