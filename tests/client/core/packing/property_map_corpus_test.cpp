// Replays the committed fuzz corpus of PropertyMap::unmarshal.
#include "../corpus_replay.h"

TEST(PropertyMapCorpus, EveryInputUnpacksWithoutHarm) {
    EXPECT_GT(replayCorpus(std::filesystem::path(RL_SOURCE_DIR) /
                           "tests/client/core/packing/corpus/property_map"),
              0u);
}
