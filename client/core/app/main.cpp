#include "app/raidledger_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Raidledger"));
    int exitCode = 0;
    {
        RaidledgerApp app;
        exitCode = app.run();
    }
    return exitCode;
}
