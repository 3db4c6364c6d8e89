#include "testsupport/temporary_folder.h"

#include "testsupport/files.h"

#include "utilkit/ufile.h"

#include <cstdlib>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

namespace {

// Gives the owner back the rights a test may have taken away, so that the whole tree can go.
void makeRemovable(const fs::path& folder) {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::directory_iterator entry(folder, ignored), end; entry != end;
         entry.increment(ignored)) {
        if (entry->is_symlink(ignored))
            continue;
        if (entry->is_directory(ignored))
            makeRemovable(entry->path());
        else
            fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
}

} // namespace

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    path_ = pattern;
    fs::permissions(path_,
                    fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                        fs::perms::others_exec,
                    fs::perm_options::add);
}

TemporaryFolder::~TemporaryFolder() {
    makeRemovable(path_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::u16string TemporaryFolder::folder() const {
    return ufile::fromNativePath(path_.native() + "/");
}

void TemporaryFolder::write(const std::string& relative, const std::string& bytes) const {
    writeFile(path(relative), bytes);
}

std::string TemporaryFolder::read(const std::string& relative) const {
    return readFile(path(relative));
}

void TemporaryFolder::makeFolder(const std::string& relative) const {
    fs::create_directories(path(relative));
}

bool TemporaryFolder::exists(const std::string& relative) const {
    return fs::exists(fs::symlink_status(path(relative)));
}

} // namespace testsupport
