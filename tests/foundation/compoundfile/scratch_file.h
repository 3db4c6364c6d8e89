#pragma once

#include "testsupport/files.h"
#include "testsupport/temporary_folder.h"

#include "utilkit/ufile.h"

#include <filesystem>
#include <iterator>
#include <string>
#include <sys/stat.h>

// A path for one compound file in a fresh folder, deleted with the folder afterwards.
class ScratchFile {
public:
    std::filesystem::path native() const { return folder_.path("store.cfb"); }
    std::u16string wide() const { return ufile::fromNativePath(native().native()); }
    std::string bytes() const { return testsupport::readFile(native()); }
    ino_t inode() const {
        struct stat info {};
        ::stat(native().c_str(), &info);
        return info.st_ino;
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_.path()),
                          std::filesystem::directory_iterator()));
    }

private:
    testsupport::TemporaryFolder folder_{"rl-cfb"};
};
