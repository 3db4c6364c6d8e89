#include "gamefiles/raid_loading.h"

#include "utilkit/ufile.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// raidlist GAME_FOLDER/ ACCOUNT: does what the upload wizard does once an account is chosen, up
// to its filled raid list: loads the account's raids with the wizard's own loading function
// and makes the name of every raid that the list shows. Prints the number of raids and the
// seconds this took.
int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: raidlist GAME_FOLDER ACCOUNT\n");
        return 2;
    }
    const std::u16string gameFolder = ufile::fromNativePath(argv[1]);
    const std::u16string account = ufile::fromNativePath(argv[2]);
    const auto start = std::chrono::steady_clock::now();
    const gamefiles::LoadedRaids loaded = gamefiles::loadRaids(gameFolder, account);
    std::vector<std::u16string> list;
    for (const dkp::Raid* raid : loaded.getRaids())
        list.push_back(raid->getRaidName());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%zu raids in %.3f s\n", list.size(), took.count());
    return list.empty() ? 1 : 0;
}
