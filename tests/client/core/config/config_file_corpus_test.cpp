// Replays the committed fuzz corpus of files opened as "config.cfg".
#include "../corpus_replay.h"

TEST(ConfigFileCorpus, EveryInputIsReadOrLeftAlone) {
    EXPECT_GT(replayCorpus(std::filesystem::path(RL_SOURCE_DIR) /
                           "tests/client/core/config/corpus/config_file"),
              0u);
}
