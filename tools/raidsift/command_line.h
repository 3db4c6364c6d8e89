#pragma once

#include "dkp/raid_formats.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace raidsift {

enum class Command { Raids, Show, Export, Lint, Tree };

// What the user asked for. `raidIndex` is 1-based and set for show and export, and for lint
// when a raid is named; 0 stands for every raid (export and lint).
struct Request {
    Command command = Command::Raids;
    bool json = false;
    bool reference = false;
    std::string file;
    std::size_t raidIndex = 0;
    dkp::ExportFormat format = dkp::ExportFormat::Upload;
};

// A problem with the arguments; the message is one line meant for the user.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name; throws UsageError on anything unexpected.
Request parseCommandLine(const std::vector<std::string>& arguments);

// The usage text, several lines.
std::string usageText();

} // namespace raidsift
