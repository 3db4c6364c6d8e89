#include "testsupport/child_process.h"

#include "testsupport/files.h"
#include "testsupport/temporary_folder.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {

namespace {

// How long stop() waits for a program that ignores SIGTERM: 2000 rounds of 10 ms.
constexpr int kStopRounds = 2000;

// Where the child's standard output and error go: the pipe, or the file for its errors.
class SpawnActions {
public:
    SpawnActions(int outputEnd, int unusedEnd, const std::optional<std::filesystem::path>& errors)
        : errorFile_(errors ? errors->string() : std::string()) {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_adddup2(&actions_, outputEnd, STDOUT_FILENO);
        if (errors)
            posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, errorFile_.c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC, 0644);
        else
            posix_spawn_file_actions_adddup2(&actions_, outputEnd, STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions_, unusedEnd);
    }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    std::string errorFile_; // kept alive: the actions point at it until the spawn
    posix_spawn_file_actions_t actions_;
};

} // namespace

ChildProcess::ChildProcess(std::vector<std::string> arguments,
                           const std::optional<std::filesystem::path>& errorFile) {
    if (arguments.empty())
        throw std::invalid_argument("no program to start");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        throw std::runtime_error("cannot create a pipe");
    int spawned = 0;
    {
        const SpawnActions actions(pipeEnds[1], pipeEnds[0], errorFile);
        spawned = posix_spawnp(&pid_, argv[0], actions.get(), nullptr, argv.data(), environ);
    }
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        pid_ = -1;
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess() {
    stop();
    closeOutput();
}

std::string ChildProcess::readLine() {
    std::string line;
    char c = 0;
    while (output_ >= 0) {
        const ssize_t got = ::read(output_, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || c == '\n')
            break;
        line += c;
    }
    return line;
}

std::string ChildProcess::readAll() {
    std::string text;
    char buffer[4096];
    while (output_ >= 0) {
        const ssize_t got = ::read(output_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

void ChildProcess::closeOutput() {
    if (output_ >= 0)
        ::close(output_);
    output_ = -1;
}

int ChildProcess::wait() {
    if (pid_ <= 0)
        return -1;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
}

int ChildProcess::stop() {
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    // A program that does not end on SIGTERM fails the test instead of hanging it.
    int status = 0;
    for (int waited = 0; ::waitpid(pid_, &status, WNOHANG) == 0; ++waited) {
        if (waited == kStopRounds)
            ::kill(pid_, SIGKILL);
        ::usleep(10'000);
    }
    pid_ = -1;
    return status;
}

int exitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ProgramRun runProgram(const std::vector<std::string>& arguments) {
    const TemporaryFolder folder("program-run");
    const std::filesystem::path errors = folder.path("stderr");
    ProgramRun run;
    try {
        ChildProcess program(arguments, errors);
        run.out = program.readAll();
        run.exitCode = exitCode(program.wait());
    } catch (const std::runtime_error& failure) {
        run.err = failure.what();
        return run;
    }
    run.err = readFile(errors);
    return run;
}

ProgramRun runShell(const std::string& commandLine) {
    return runProgram({"/bin/sh", "-c", commandLine});
}

} // namespace testsupport
