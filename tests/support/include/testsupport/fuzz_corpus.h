#pragma once

// Replays a committed libFuzzer corpus through the fuzz target linked into the test program.
#include "testsupport/corpus.h"

#include <gtest/gtest.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace testsupport {

// Feeds every file of the corpus folder `relative` to the source tree to the fuzz target, which
// must take each without harm (and answer 0); gives the number of files replayed.
inline std::size_t replayFuzzCorpus(const std::filesystem::path& relative) {
    const std::vector<CorpusInput> inputs = readCorpus(relative);
    for (const CorpusInput& input : inputs) {
        SCOPED_TRACE(input.name);
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.bytes.data()),
                                         input.bytes.size()),
                  0);
    }
    return inputs.size();
}

} // namespace testsupport
