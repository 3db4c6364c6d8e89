#pragma once

#include "packlist/pack.h"
#include "packlist/update_folder.h"

#include "testsupport/temporary_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

// A program folder of its own for each test, with helpers that play the downloader's part.
class UpdateFixture : public ::testing::Test {
protected:
    void SetUp() override;

    std::u16string programFolder() const { return program_.folder(); }
    packlist::UpdateFolder folder() const { return packlist::UpdateFolder(programFolder()); }
    std::filesystem::path path(const std::string& relative) const {
        return program_.path(relative);
    }

    std::string read(const std::string& relative) const { return program_.read(relative); }
    void write(const std::string& relative, const std::string& bytes) const {
        program_.write(relative, bytes);
    }
    bool exists(const std::string& relative) const { return program_.exists(relative); }

    // "temp/dlstate.xml" listing `packs`, with `flag` when given.
    void writeDownloadState(const packlist::PackList& packs, const char* flag = "ok") const;
    // "temp/<name>.cab" holding one stored file `file` with `contents`.
    void writeCabinet(const std::string& name, const std::string& file,
                      const std::string& contents) const;

    static packlist::Pack pack(const std::u16string& name, int ver, int type = 1);

private:
    testsupport::TemporaryFolder program_{"updater-test"};
};
