#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// One input kept in a fuzz corpus folder (tools/fuzz).
struct CorpusInput {
    std::string name; // the file's name, for the failure messages
    std::string bytes;
    bool regularFile = true; // false for a folder or anything else that is not a plain file
};

// Every file of the corpus folder `relative` to the source tree, in name order.
std::vector<CorpusInput> readCorpus(const std::filesystem::path& relative);

} // namespace testsupport
