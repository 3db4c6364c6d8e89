#include "testsupport/site_process.h"

#include <stdexcept>

namespace testsupport {

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

SiteProcess::SiteProcess(std::vector<std::string> extraArguments)
    : SiteProcess(std::filesystem::path(), std::move(extraArguments)) {}

SiteProcess::SiteProcess(const std::filesystem::path& database,
                         std::vector<std::string> extraArguments) {
    std::vector<std::string> arguments = {
        DKPSITE_PATH, "--port", "0", "--db",
        (database.empty() ? folder_.path("site.db") : database).string()};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    process_ = std::make_unique<ChildProcess>(arguments, folder_.path("dkpsite.log"));
    const std::string banner = process_->readLine();
    process_->closeOutput();
    port_ = portFromBanner(banner);
    if (port_ == 0) {
        stop();
        throw std::runtime_error("dkpsite did not start: '" + banner + "'");
    }
}

SiteProcess::~SiteProcess() {
    stop();
}

} // namespace testsupport
