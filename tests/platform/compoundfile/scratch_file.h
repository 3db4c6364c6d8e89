#pragma once

#include "utilkit/ufile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/stat.h>

// A path for one compound file in a fresh folder, deleted with the folder afterwards.
class ScratchFile {
public:
    ScratchFile() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("rl-cfb-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder_);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path native() const { return folder_ / "store.cfb"; }
    std::u16string wide() const { return ufile::fromNativePath(native().native()); }
    std::string bytes() const {
        std::ifstream in(native(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    ino_t inode() const {
        struct stat info {};
        ::stat(native().c_str(), &info);
        return info.st_ino;
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path folder_;
};
