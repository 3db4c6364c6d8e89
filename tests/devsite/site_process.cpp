#include "site_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace devsite_testing {

namespace {

std::string readLine(int fd) {
    std::string line;
    char c = 0;
    while (true) {
        const ssize_t got = read(fd, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || c == '\n')
            return line;
        line += c;
    }
}

} // namespace

std::filesystem::path makeTemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dkpsite-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

int portFromBanner(const std::string& line) {
    const std::string prefix = "dkpsite listening on http://";
    const size_t colon = line.rfind(':');
    if (line.rfind(prefix, 0) != 0 || colon == std::string::npos || colon < prefix.size())
        return 0;
    try {
        return std::stoi(line.substr(colon + 1));
    } catch (const std::logic_error&) {
        return 0;
    }
}

SiteProcess::SiteProcess(std::vector<std::string> extraArguments) : folder_(makeTemporaryFolder()) {
    const std::string program = std::string(RL_BINARY_DIR) + "/bin/dkpsite";
    const std::string log = (folder_ / "dkpsite.log").string();
    std::vector<std::string> arguments = {program, "--port", "0", "--db",
                                          (folder_ / "site.db").string()};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2];
    if (pipe(output) != 0)
        throw std::runtime_error("cannot create a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int spawned =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0) {
        close(output[0]);
        throw std::runtime_error("cannot start " + program);
    }
    const std::string banner = readLine(output[0]);
    close(output[0]);
    port_ = portFromBanner(banner);
    if (port_ == 0) {
        stop();
        throw std::runtime_error("dkpsite did not start: '" + banner + "'");
    }
}

int SiteProcess::stop() {
    if (pid_ <= 0)
        return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
}

SiteProcess::~SiteProcess() {
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

} // namespace devsite_testing
