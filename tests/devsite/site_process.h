#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace devsite_testing {

// A dkpsite started for a test on a free loopback port, with its database in a fresh temporary
// folder. Stopped (SIGTERM, then waited for) and cleaned up when destroyed.
class SiteProcess {
public:
    explicit SiteProcess(std::vector<std::string> extraArguments = {"--demo"});
    ~SiteProcess();
    SiteProcess(const SiteProcess&) = delete;
    SiteProcess& operator=(const SiteProcess&) = delete;

    int port() const { return port_; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    const std::filesystem::path& folder() const { return folder_; }
    // Stops the site and returns its exit status (as waitpid reports it).
    int stop();

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// The port in dkpsite's first output line ("dkpsite listening on http://ADDRESS:PORT"), or 0.
int portFromBanner(const std::string& line);

// A fresh empty folder under the system's temporary folder.
std::filesystem::path makeTemporaryFolder();

} // namespace devsite_testing
