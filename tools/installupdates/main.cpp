#include "updater/install_updates_command.h"

#include "utilkit/ufile.h"

#include <iostream>

// installupdates FOLDER: installs the downloaded packages of kind 1 in FOLDER/temp over FOLDER,
// as `Raidledger --install-updates` does for the program's own folder; the same exit codes.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: installupdates FOLDER\n";
        return 2;
    }
    return updater::runInstallUpdatesCommand(ufile::fromNativePath(argv[1]), std::cout);
}
