#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cabinet {

// A file decoded into the staging folder, waiting to be moved into the destination.
struct StagedFile {
    std::filesystem::path staged;
    std::filesystem::path target;         // relative to the destination, without ".." components
    std::optional<std::int64_t> modified; // seconds since 1970 UTC; nothing keeps the current
    bool readOnly = false;
    bool executable = false;
};

// Checks every target first and moves files only when all of them can go: a folder level that
// is a file, or a symbolic link leading outside the destination, a folder that cannot be
// written into, a target that is a read-only file or a folder, a name or path too long for the
// file system, and a cabinet that holds one path both as a file and as a folder, fail with `error`
// set and the destination unchanged. Missing folders are created one level at a time; a symbolic
// link at a target is replaced by the file.
bool placeStagedFiles(const std::filesystem::path& destination,
                      const std::vector<StagedFile>& files, std::string& error);

// No target of the cabinet may be a folder level of another one: the file and the folder cannot
// both be placed. False with `error` set when one is. `ignoreCase`: the file system takes "A" and
// "a" for one name (A-Z only).
bool checkTargetsAgree(const std::vector<StagedFile>& files, bool ignoreCase, std::string& error);

} // namespace cabinet
