// Replays the committed fuzz corpus of files opened as "config.cfg".
#include "testsupport/fuzz_corpus.h"

TEST(ConfigFileCorpus, EveryInputIsReadOrLeftAlone) {
    EXPECT_GT(testsupport::replayFuzzCorpus("tests/client/domain/config/corpus/config_file"), 0u);
}
