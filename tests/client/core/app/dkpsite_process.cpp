#include "dkpsite_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

extern char** environ;

DkpsiteProcess::DkpsiteProcess(const std::string& databaseFile) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> arguments = {DKPSITE_PATH, "--demo", "--port",
                                          "0",          "--db",   databaseFile};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, DKPSITE_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (error != 0) {
        ::close(pipeEnds[0]);
        return;
    }
    pid_ = pid;
    // The first line names the address: "dkpsite listening on http://127.0.0.1:PORT".
    std::FILE* output = ::fdopen(pipeEnds[0], "r");
    char line[256] = {};
    if (output != nullptr && std::fgets(line, sizeof line, output) != nullptr) {
        std::string text(line);
        const auto at = text.find("http://");
        if (at != std::string::npos) {
            url_ = text.substr(at, text.find_first_of("\r\n", at) - at);
            host_ = url_.substr(7);
        }
    }
    if (output != nullptr)
        std::fclose(output);
}

DkpsiteProcess::~DkpsiteProcess() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
}
