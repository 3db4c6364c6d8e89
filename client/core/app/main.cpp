#include "app/raidledger_app.h"

#include "updater/install_updates_command.h"

#include <QApplication>

#include <string_view>

int main(int argc, char** argv) {
    // The update run alone, without any window (and without a display).
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == updater::kInstallUpdatesOption)
            return updater::runInstallUpdatesCommand();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Raidledger"));
    int exitCode = 0;
    {
        RaidledgerApp app;
        exitCode = app.run();
    }
    return exitCode;
}
