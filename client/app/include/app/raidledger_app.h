#pragma once

#include "app/qt_dispatcher.h"
#include "gamefiles/game_folder.h"
#include "protocol_binding/protocol_binding.h"
#include "tickhub/timer_adapter.h"
#include "ui/desktop_services.h"
#include "ui/prompter.h"
#include "utilkit/usettings.h"
#include "utilkit_gui/usystem.h"

#include <memory>
#include <string>

namespace config {
class ConfigStore;
class PropertyBag;
} // namespace config
namespace protocol {
class ProtocolManager;
} // namespace protocol
namespace ui {
class CMainFrame;
class Skin;
} // namespace ui

namespace app {

// The application object and the program's one composition root: it builds, in a fixed order,
// everything the windows rely on (settings, skin, game folder, timer, backup object, installer,
// downloader, protocol library) and hands it to them through their constructors, runs the login
// and, after a successful one, the main window; its destruction releases it all in an order of
// its own. Only it calls the companion libraries' entry functions. A Qt application object must
// exist for its whole life.
class RaidledgerApp {
public:
    // `programFolder` (ending in "/") holds "config.cfg", "deployment.ini", the skin and
    // "Backup"; by default the running program's folder. The windows show their message boxes,
    // browser and folder dialog on the user's desktop.
    explicit RaidledgerApp(std::u16string programFolder = defaultProgramFolder());
    // The same, with the windows' message boxes, browser and folder dialog given (not owned).
    RaidledgerApp(std::u16string programFolder, const ui::DesktopServices& services);
    ~RaidledgerApp();
    RaidledgerApp(const RaidledgerApp&) = delete;
    RaidledgerApp& operator=(const RaidledgerApp&) = delete;

    static std::u16string defaultProgramFolder();

    // The start-up. True when the main window was created and shown; false when the login was
    // cancelled or the protocol library could not be bound (the user has been told).
    bool initInstance();
    // Start-up, then the event loop while the main window is open; the program's exit code.
    int run();

    ui::Skin* skin() const { return skin_.get(); }
    config::PropertyBag* configSection() const { return section_; }
    protocol::ProtocolManager* protocolManager() const { return manager_; }
    ui::CMainFrame* mainWindow() const { return mainFrame_.get(); }
    const gamefiles::GameFolder& gameFolder() const { return gameFolder_; }

private:
    void loadCrashReporter();
    void prepareTempFolder();
    void loadConfiguration();
    void loadSkin();
    void startUpdater();
    bool bindProtocol();
    void configureBackup();
    bool runLogin();
    void createMainWindow();

    ui::QtPrompter qtPrompter_;
    usystem::QtDesktop qtDesktop_;
    ui::DesktopServices services_;
    std::u16string programFolder_;
    usettings::Deployment deployment_;
    std::unique_ptr<ui::Skin> skin_;
    std::unique_ptr<config::ConfigStore> store_;
    config::PropertyBag* section_ = nullptr;
    QtCallbackDispatcher dispatcher_;
    protocol_binding::ProtocolBinding binding_;
    protocol::ProtocolManager* manager_ = nullptr;
    tickhub::TimerAdapter timerAdapter_;
    gamefiles::GameFolder gameFolder_;
    std::unique_ptr<ui::CMainFrame> mainFrame_;
    bool curlInitialised_ = false;
    bool updaterStarted_ = false;
};

} // namespace app
