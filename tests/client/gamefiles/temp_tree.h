#pragma once

#include "utilkit/ufile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A folder tree under /tmp that exists for one test.
class TempTree {
public:
    TempTree() {
        char name[] = "/tmp/rl_gamefiles_XXXXXX";
        root_ = ::mkdtemp(name);
    }
    ~TempTree() { std::filesystem::remove_all(root_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The tree's folder, ending in "/".
    std::u16string folder() const { return ufile::fromNativePath(root_.native()) + u"/"; }
    std::filesystem::path path(const std::string& relative) const { return root_ / relative; }

    void write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories(path(relative).parent_path());
        std::ofstream(path(relative), std::ios::binary) << bytes;
    }
    void makeFolder(const std::string& relative) const {
        std::filesystem::create_directories(path(relative));
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(path(relative), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    bool exists(const std::string& relative) const {
        return std::filesystem::exists(path(relative));
    }

private:
    std::filesystem::path root_;
};
