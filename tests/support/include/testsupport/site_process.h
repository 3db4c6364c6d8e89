#pragma once

#include "testsupport/child_process.h"
#include "testsupport/temporary_folder.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// The reference DKP site (dkpsite) started for a test on a free loopback port, with a folder of
// its own for its error output ("dkpsite.log") and, unless given another, its database
// ("site.db"). Stopped and cleaned up when the object goes.
class SiteProcess {
public:
    // Throws std::runtime_error when the site cannot be started or names no port.
    explicit SiteProcess(std::vector<std::string> extraArguments = {"--demo"});
    SiteProcess(const std::filesystem::path& database, std::vector<std::string> extraArguments);
    ~SiteProcess();
    SiteProcess(const SiteProcess&) = delete;
    SiteProcess& operator=(const SiteProcess&) = delete;

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string url() const { return "http://" + host(); }
    const std::filesystem::path& folder() const { return folder_.path(); }
    pid_t pid() const { return process_->pid(); }
    // Stops the site and returns its exit status (as waitpid reports it).
    int stop() { return process_->stop(); }

private:
    TemporaryFolder folder_{"dkpsite"};
    std::unique_ptr<ChildProcess> process_;
    int port_ = 0;
};

// The port in dkpsite's first output line ("dkpsite listening on http://ADDRESS:PORT"), or 0.
int portFromBanner(const std::string& line);

} // namespace testsupport
