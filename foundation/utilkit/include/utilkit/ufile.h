#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are wide texts with "/" as the folder separator; folders end in "/".
namespace ufile {

// The folder of the running program, ending in "/".
std::u16string GetModulePathDir();

// The last component of a path ("a/b/c.txt" gives "c.txt"); "\\" also separates.
std::u16string GetFileNameFromPath(std::u16string_view path);

// The file's bytes, unchanged. False when the file cannot be read.
bool ReadFileData(std::u16string_view path, std::string& data);

// Replaces the file by `data` as a whole: the bytes go to a new file beside it, which is
// flushed to disk and then renamed over the old one, so a failure at any point leaves either
// the complete old file or the complete new one. Keeps an existing file's permissions.
bool WriteFileData(std::u16string_view path, std::string_view data);

// Copies the folder tree `source` into `target` (created as needed). With `overwrite`
// false, files already present in the target are kept as they are. Symbolic links are
// copied as links, never followed. False when anything could not be copied.
bool CopyDirectory(std::u16string_view source, std::u16string_view target, bool overwrite);

// True when `path` names a folder (or a link to one); false for an empty path and on any error.
bool isFolder(std::u16string_view path);

// Removes the file (or empty folder); a missing one is not an error. Never throws.
void removeFile(std::u16string_view path);

// Removes the new copies that a whole-file replace (WriteFileData, the compound files' locked
// replace) leaves behind when its process dies between writing and renaming: the plain files
// beside `path` named as those replaces name them, "<name>.tmp<process>-<number>", whose process
// no longer runs. Any other file, whoever wrote it, stays. Call it only while no writer of
// `path` is at work.
void removeUnfinishedCopies(std::u16string_view path);

// Deletes the folder with all its contents; a missing folder is not an error.
void DeleteDirectory(std::u16string_view folder);

// The path as the file system library takes it: built from the UTF-16 text on Windows, from its
// UTF-8 bytes elsewhere. A lone surrogate becomes U+FFFD on Linux and stays on Windows, where
// file names may hold one.
std::filesystem::path toPath(std::u16string_view path);
// The path as a wide text, with "/" between its components.
std::u16string fromPath(const std::filesystem::path& path);

#if !defined(_WIN32)
// The path as the operating system takes it (UTF-8 bytes). Windows takes no narrow paths:
// there every path goes through toPath.
std::string toNativePath(std::u16string_view path);
std::u16string fromNativePath(std::string_view path);

// Writes all of `data` to the open file `fd`, riding out short writes and interruptions.
bool writeAll(int fd, std::string_view data);
#endif

} // namespace ufile
