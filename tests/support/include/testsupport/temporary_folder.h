#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the object goes, read-only files and folders included. Others may read it, so that a
// program started without privileges reaches the files.
class TemporaryFolder {
public:
    // `prefix` begins the folder's name (a space in it gives a path with a space).
    explicit TemporaryFolder(const std::string& prefix = "raidledger-test");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path path(const std::string& relative) const { return path_ / relative; }
    // The folder as the client takes folders: a wide path ending in "/".
    std::u16string folder() const;

    // Writes `bytes` to the file at `relative`, making the folders on the way.
    void write(const std::string& relative, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string read(const std::string& relative) const;
    void makeFolder(const std::string& relative) const;
    // Anything at `relative`, a link that leads nowhere included.
    bool exists(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

} // namespace testsupport
