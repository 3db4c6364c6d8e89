#pragma once

#include "cabinet/extract.h"
#include "utilkit/ufile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

// What the cabinet extraction's fuzz target checks of an input, shared with the test that
// replays its corpus. The input is extracted as an update would be, into a fresh program folder
// of its own that is removed afterwards; the check gives what went wrong, or nothing.
namespace cabinet_fuzz {

namespace fs = std::filesystem;

// The scratch folder of one input: the cabinet file, the program folder and the staging folder,
// and nothing else, ever.
inline constexpr const char* kCabinetName = "update.cab";
inline constexpr const char* kProgramName = "program";
inline constexpr const char* kStagingName = "temp";

inline std::u16string wide(const fs::path& path) {
    return ufile::fromNativePath(path.native());
}

// Makes everything below `root` writable again (the read-only attribute takes write permission
// away), so that it can be removed.
inline void unprotect(const fs::path& root) {
    std::error_code error;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
}

inline std::string checkPlacement(const fs::path& root, bool extracted) {
    std::error_code error;
    const std::set<std::string> expected = {kCabinetName, kProgramName, kStagingName};
    for (const auto& entry : fs::directory_iterator(root, error))
        if (!expected.contains(entry.path().filename().string()))
            return "a file was written beside the program folder: " +
                   entry.path().filename().string();
    const fs::path program = root / kProgramName;
    for (auto it = fs::recursive_directory_iterator(program, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!extracted)
            return "a failed cabinet left " + fs::relative(it->path(), program).string() +
                   " in the program folder";
        if (it->is_symlink(error))
            return "a symbolic link was placed in the program folder";
        if (!it->is_regular_file(error) && !it->is_directory(error))
            return "something other than a file or folder was placed in the program folder";
    }
    for (const auto& entry : fs::directory_iterator(root / kStagingName, error))
        return "the staging folder kept " + entry.path().filename().string();
    return "";
}

inline std::string checkExtraction(std::string_view bytes) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/cabinet-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return "no scratch folder";
    const fs::path root = pattern;
    {
        std::ofstream cabinet(root / kCabinetName, std::ios::binary);
        cabinet.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::error_code error;
    fs::create_directory(root / kProgramName, error);
    const cabinet::ExtractResult result = cabinet::extract(
        {wide(root / kCabinetName), wide(root / kProgramName), wide(root / kStagingName)});
    std::string wrong = checkPlacement(root, result.ok);
    if (wrong.empty() && !result.ok && result.error.empty())
        wrong = "a failed extraction without a reason";
    unprotect(root);
    fs::remove_all(root, error);
    return wrong;
}

} // namespace cabinet_fuzz
