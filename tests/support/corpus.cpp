#include "testsupport/corpus.h"

#include "testsupport/files.h"

#include <algorithm>

namespace testsupport {

std::vector<CorpusInput> readCorpus(const std::filesystem::path& relative) {
    std::vector<CorpusInput> inputs;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(RL_SOURCE_DIR) / relative))
        inputs.push_back(
            {entry.path().filename().string(), readFile(entry.path()), entry.is_regular_file()});
    std::sort(inputs.begin(), inputs.end(),
              [](const CorpusInput& a, const CorpusInput& b) { return a.name < b.name; });
    return inputs;
}

} // namespace testsupport
