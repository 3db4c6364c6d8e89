#include "app/raidledger_app.h"

#include "autostart/autostart_entry.h"
#include "updater/install_updates_command.h"
#include "utilkit/ustring.h"

#include <QApplication>

#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view kRenewAutostartOption = "--renew-autostart";
constexpr std::string_view kRemoveAutostartOption = "--remove-autostart";

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        // The update run alone, without any window (and without a display).
        if (std::string_view(argv[i]) == updater::kInstallUpdatesOption)
            return updater::runInstallUpdatesCommand();
        // After an install moved the program: the automatic start, where the user chose it,
        // starts the launcher beside this program.
        if (std::string_view(argv[i]) == kRenewAutostartOption) {
            const autostart::AutostartEntry autostart;
            if (autostart.isChosen())
                autostart.setRegistered(true);
            return 0;
        }
        // Before an uninstall removes this program: an automatic start of its launcher goes
        // too (its path is printed); one that starts another program folder stays.
        if (std::string_view(argv[i]) == kRemoveAutostartOption) {
            const autostart::AutostartEntry autostart;
            if (autostart.isRegistered()) {
                autostart.setRegistered(false);
                std::cout << ustring::toUtf8(autostart::AutostartEntry::entryPath()) << '\n';
            }
            return 0;
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Raidledger"));
    int exitCode = 0;
    {
        app::RaidledgerApp app;
        exitCode = app.run();
    }
    return exitCode;
}
