// Starts "Raidledger" from the launcher's own folder, in that folder, with the launcher's
// arguments, in a session of its own, and exits without waiting for it.
#include "utilkit/ufile.h"

#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

int main(int argc, char** argv) {
    const std::string folder = ufile::toNativePath(ufile::GetModulePathDir());
    const std::string client = folder + "Raidledger";
    if (::chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "Ledgerboot: cannot enter %s: %s\n", folder.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::vector<char*> arguments;
    arguments.push_back(const_cast<char*>(client.c_str()));
    for (int i = 1; i < argc; ++i)
        arguments.push_back(argv[i]);
    arguments.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int error =
        posix_spawn(&child, client.c_str(), nullptr, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        std::fprintf(stderr, "Ledgerboot: cannot start %s: %s\n", client.c_str(),
                     std::strerror(error));
        return 1;
    }
    return 0;
}
