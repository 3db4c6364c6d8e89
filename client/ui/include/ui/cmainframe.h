#pragma once

#include "gamefiles/addon_manager.h"
#include "protocol/account_listener.h"
#include "protocol/guild_dkp_listener.h"
#include "timer/timer_sense.h"
#include "timer/timer_service.h"
#include "ui/desktop_services.h"
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
namespace gamefiles {
class GameFolder;
}

namespace ui {

class Skin;

// What the main window works with, built once by the application object. Nothing is owned;
// everything must outlive the window.
struct MainFrameParts {
    usettings::Deployment deployment;
    // Holds the addon variants ("Addonkit") that the maintenance installs, and the marks of
    // uploaded raids beside the settings.
    std::u16string programFolder;
    // Runs the maintenance every kMaintenancePeriodMs.
    timer::ITimerService& timer;
    // The game folder in effect; the window sets the configured one from the settings.
    gamefiles::GameFolder& gameFolder;
    // Message boxes, browser and folder dialog, for the window and the dialogs it opens.
    DesktopServices services;
    // Each may be null: the window then goes without what it offers.
    savekeep::IBackup* backup = nullptr;
    protocol::AccountService* accounts = nullptr;
    protocol::EventUploadService* uploads = nullptr;
    protocol::GuildDkpService* guildDkp = nullptr;
    config::PropertyBag* section = nullptr;
    const Skin* skin = nullptr;
};

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

    // Registers the window as the account and guild DKP services' listener (removed again on
    // destruction).
    explicit CMainFrame(const MainFrameParts& parts);
    ~CMainFrame() override;

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
    timer::ITimerService& timer_;
    gamefiles::GameFolder& gameFolder_;
    DesktopServices services_;
    savekeep::IBackup* backup_;
    protocol::AccountService* accounts_;
    protocol::EventUploadService* uploads_;
    protocol::GuildDkpService* guildDkp_;
    config::PropertyBag* section_;
    const Skin* skin_;
    bool timerRegistered_ = false;
    QPoint dragOffset_;
};

} // namespace ui
