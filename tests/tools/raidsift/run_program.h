#pragma once

#include "testsupport/child_process.h"
#include "testsupport/files.h"

#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::ProgramRun;
using testsupport::runShell;

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
