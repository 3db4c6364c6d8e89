// Replays the committed fuzz corpus of PropertyMap::unmarshal.
#include "testsupport/fuzz_corpus.h"

TEST(PropertyMapCorpus, EveryInputUnpacksWithoutHarm) {
    EXPECT_GT(testsupport::replayFuzzCorpus("tests/client/domain/packing/corpus/property_map"), 0u);
}
