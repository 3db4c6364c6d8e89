#include "placement.h"

#include "win_files.h"

#include "utilkit/ufile.h"

#include <windows.h>

namespace fs = std::filesystem;

namespace cabinet {
namespace {

// NTFS and FAT hold names of up to 255 UTF-16 units; long paths up to 32767.
constexpr std::size_t kLongestName = 255;
constexpr std::size_t kLongestPath = 32767;

struct Destination {
    std::wstring path;  // long form, without a final separator
    std::wstring final; // with every link followed
};

// The target's components with the system's separator between them.
std::wstring relativeOf(const fs::path& target) {
    std::u16string text = ufile::fromPath(target);
    std::wstring relative(text.begin(), text.end());
    for (wchar_t& c : relative) {
        if (c == L'/')
            c = L'\\';
    }
    return relative;
}

std::string shown(const fs::path& target) {
    return "\"" + shownPath(relativeOf(target)) + "\"";
}

bool isMissing(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// The path with every link and junction on it followed; empty when that fails.
std::wstring finalPath(const std::wstring& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    std::wstring final(MAX_PATH, L'\0');
    DWORD length =
        ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length + 1);
        length =
            ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    }
    ::CloseHandle(handle);
    if (length == 0 || length >= final.size())
        return {};
    final.resize(length);
    return final;
}

bool isInside(const std::wstring& final, const std::wstring& folder) {
    if (final.size() <= folder.size() || final[folder.size()] != L'\\')
        return false;
    return ::CompareStringOrdinal(final.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                  static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

// A file can be made in the folder: one is made there and deleted again at once.
bool checkWritable(const std::wstring& folder, const fs::path& target, std::string& error) {
    const std::wstring probe =
        folder + L"\\cabinet-probe-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE handle =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        return true;
    }
    error = shown(target) + ": \"" + shownPath(folder) +
            "\" cannot be written into: " + describeError(::GetLastError());
    return false;
}

// Every existing folder level of the target must be a folder inside the destination, and the
// deepest one must be writable.
bool checkFolderLevels(const Destination& destination, const fs::path& target, std::string& error) {
    std::wstring level = destination.path;
    std::wstring deepest = destination.path;
    for (const fs::path& component : target.parent_path()) {
        level += L"\\" + relativeOf(component);
        const std::string where = shown(target) + ": \"" + shownPath(level) + "\"";
        const DWORD attributes = ::GetFileAttributesW(level.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD code = ::GetLastError();
            if (isMissing(code))
                break; // this level and the ones below it will be created
            error = where + " cannot be examined: " + describeError(code);
            return false;
        }
        deepest = level;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            error = where + " is in the way and not a folder";
            return false;
        }
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            continue;
        const std::wstring followed = finalPath(level);
        if (followed.empty()) {
            error = where + " cannot be followed: " + describeError(::GetLastError());
            return false;
        }
        if (!isInside(followed, destination.final)) {
            error = where + " leads outside the destination";
            return false;
        }
    }
    return checkWritable(deepest, target, error);
}

bool checkNameLengths(const Destination& destination, const fs::path& target, std::string& error) {
    for (const fs::path& component : target) {
        if (relativeOf(component).size() > kLongestName) {
            error = shown(target) + ": a name is too long for the file system";
            return false;
        }
    }
    if (destination.path.size() + 1 + relativeOf(target).size() >= kLongestPath) {
        error = shown(target) + ": the path is too long for the file system";
        return false;
    }
    return true;
}

bool checkTarget(const std::wstring& path, const fs::path& target, std::string& error) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = ::GetLastError();
        if (isMissing(code))
            return true;
        error = shown(target) + " cannot be examined: " + describeError(code);
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return true; // the link is replaced
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = shown(target) + " exists and is not a plain file";
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        error = shown(target) + " is read-only";
        return false;
    }
    return true;
}

bool createFolderLevels(const std::wstring& destination, const fs::path& target) {
    std::wstring level = destination;
    for (const fs::path& component : target.parent_path()) {
        level += L"\\" + relativeOf(component);
        if (::CreateDirectoryW(level.c_str(), nullptr))
            continue;
        const DWORD attributes = ::GetFileAttributesW(level.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return false;
    }
    return true;
}

bool applyTime(const std::wstring& staged, std::optional<std::int64_t> modified) {
    if (!modified)
        return true;
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    constexpr std::int64_t kTicksPerSecond = 10000000;
    const auto ticks =
        static_cast<std::uint64_t>(*modified + kSecondsFrom1601To1970) * kTicksPerSecond;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const HANDLE handle = ::CreateFileW(staged.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool set = ::SetFileTime(handle, nullptr, &time, &time);
    ::CloseHandle(handle);
    return set;
}

// A link at the target goes first: a link to a folder is not replaced by a rename.
bool moveIntoPlace(const std::wstring& staged, const std::wstring& path, bool readOnly) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) && !::RemoveDirectoryW(path.c_str()))
        return false;
    if (!::MoveFileExW(staged.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
        return false;
    return !readOnly || ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
}

} // namespace

bool placeStagedFiles(const fs::path& destinationFolder, const std::vector<StagedFile>& files,
                      std::string& error) {
    Destination destination{longPath(ufile::fromPath(destinationFolder)), {}};
    const DWORD attributes = destination.path.empty()
                                 ? INVALID_FILE_ATTRIBUTES
                                 : ::GetFileAttributesW(destination.path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        destination.final = finalPath(destination.path);
    if (destination.final.empty()) {
        error =
            "the destination \"" + shownPath(relativeOf(destinationFolder)) + "\" is not a folder";
        return false;
    }
    if (!checkTargetsAgree(files, true, error))
        return false;
    for (const StagedFile& file : files) {
        if (!checkNameLengths(destination, file.target, error) ||
            !checkFolderLevels(destination, file.target, error) ||
            !checkTarget(destination.path + L"\\" + relativeOf(file.target), file.target, error))
            return false;
    }
    for (const StagedFile& file : files) {
        const std::wstring path = destination.path + L"\\" + relativeOf(file.target);
        if (!createFolderLevels(destination.path, file.target)) {
            error = "cannot create the folders of " + shown(file.target);
            return false;
        }
        const std::wstring staged = longPath(file.staged.native());
        if (!applyTime(staged, file.modified) || !moveIntoPlace(staged, path, file.readOnly)) {
            error = "cannot write " + shown(file.target) + ": " + describeError(::GetLastError());
            return false;
        }
    }
    return true;
}

} // namespace cabinet
