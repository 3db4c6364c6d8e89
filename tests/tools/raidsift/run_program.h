#pragma once

#include "testsupport/files.h"

#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs a shell command line and keeps what it printed and how it ended.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline ProgramRun runProgram(const std::string& commandLine) {
    const std::string errFile = ::testing::TempDir() + "stderr." + std::to_string(::getpid());
    ProgramRun run;
    FILE* pipe = ::popen((commandLine + " 2>" + errFile).c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = testsupport::readFile(errFile);
    std::remove(errFile.c_str());
    return run;
}

// The peak resident memory of a shell command line in kilobytes, its output discarded; -1
// when it could not be run or did not exit 0.
inline long peakMemoryKb(const std::string& commandLine) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", (commandLine + " >/dev/null 2>&1").c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

inline const std::string kRaidsift = RL_BINARY_DIR "/bin/raidsift";
inline const std::string kRaidgen = RL_BINARY_DIR "/bin/raidgen";
inline const std::string kSample = RL_SOURCE_DIR "/tests/data/TALLYRA.lua";
