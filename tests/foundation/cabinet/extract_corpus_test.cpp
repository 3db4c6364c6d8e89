// Replays the corpus of the cabinet extraction's fuzz target (tools/fuzz), where `./run fuzz`
// keeps the inputs that reached new code and any input that failed: every cabinet in it is
// extracted into a fresh program folder or refused with a reason, and nothing lands outside.
#include "cabinet_extract_check.h"

#include "testsupport/corpus.h"
#include "testsupport/files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const fs::path kCorpusFolder = "tests/foundation/cabinet/extract_corpus";
const fs::path kCorpus = fs::path(RL_SOURCE_DIR) / kCorpusFolder;

TEST(CabinetExtractCorpus, EveryCabinetIsPlacedInsideItsProgramFolderOrRefused) {
    int files = 0;
    for (const testsupport::CorpusInput& input : testsupport::readCorpus(kCorpusFolder)) {
        SCOPED_TRACE(input.name);
        ASSERT_TRUE(input.regularFile);
        EXPECT_EQ(cabinet_fuzz::checkExtraction(input.bytes), "");
        ++files;
    }
    EXPECT_GT(files, 20);
}

// The hostile seeds named for what they hold must be refused, not merely survived. (A leading
// "..\" is stripped like any leading full stop, so hostile-dotdot.cab lands inside.)
TEST(CabinetExtractCorpus, HostileSeedsAreRefused) {
    for (const char* name :
         {"hostile-dotdot-inside.cab", "hostile-drive.cab", "hostile-file-and-folder.cab",
          "hostile-folder-and-file.cab", "hostile-control-char.cab", "hostile-dots-only.cab",
          "truncated-in-data.cab", "truncated-in-names.cab"}) {
        SCOPED_TRACE(name);
        const fs::path root = fs::path(testing::TempDir()) / "refused";
        fs::remove_all(root);
        fs::create_directories(root / "program");
        {
            std::ofstream(root / "update.cab", std::ios::binary)
                << testsupport::readFile(kCorpus / name);
        }
        const cabinet::ExtractResult result =
            cabinet::extract({(root / "update.cab").u16string(), (root / "program").u16string(),
                              (root / "temp").u16string()});
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(fs::is_empty(root / "program"));
        fs::remove_all(root);
    }
}

} // namespace
