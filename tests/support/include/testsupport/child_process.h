#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// A program a test starts (found on PATH unless given with its folder), with its standard
// output on a pipe to the test. Its standard error goes to `errorFile` when one is given, else
// into the same pipe. Stopped (SIGTERM, then waited for) when the object goes.
class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    explicit ChildProcess(std::vector<std::string> arguments,
                          const std::optional<std::filesystem::path>& errorFile = std::nullopt);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of output without its line end; what is left when the output ends.
    std::string readLine();
    // All the output until the program closes it.
    std::string readAll();
    // No more output is read; the program's further writes to it fail.
    void closeOutput();

    // Waits for the program to end and returns its status as waitpid reports it.
    int wait();
    // Asks the program to end (SIGTERM; SIGKILL when it has not after about 20 seconds) and
    // returns its status as waitpid reports it; -1 when it had already been waited for.
    int stop();

    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// The exit code in a status from ChildProcess::wait, or -1 when the program did not exit.
int exitCode(int status);

// What a program printed and how it ended.
struct ProgramRun {
    int exitCode = -1; // -1 when it did not exit (or could not be started)
    std::string out;
    std::string err;
};

// Runs a program to its end with no input, keeping its standard output and error apart.
ProgramRun runProgram(const std::vector<std::string>& arguments);
// The same for a shell command line (`sh -c`).
ProgramRun runShell(const std::string& commandLine);

} // namespace testsupport
