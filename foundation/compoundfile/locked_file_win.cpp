#include "compoundfile/locked_file.h"

#include "utilkit/ustring.h"

#include <windows.h>

#include <cerrno>
#include <random>

namespace compoundfile {
namespace {

// Others may delete or rename the file while we hold it (our own replace does), never read or
// write it: their opening fails with a sharing violation, which is Locked.
constexpr DWORD kShareWithNoOne = FILE_SHARE_DELETE;

std::wstring wide(const std::string& path) {
    const std::u16string text = ustring::fromUtf8(path);
    return std::wstring(text.begin(), text.end());
}

HANDLE handleOf(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

std::intptr_t fileOf(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

Status statusOfError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Status::FileNotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Status::Locked;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return Status::AccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return Status::AlreadyExists;
    default:
        return Status::IoError;
    }
}

// The name "<path>.tmp<process>-<number>" that ufile::removeUnfinishedCopies knows.
std::string temporaryPathBeside(const std::string& path) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return path + ".tmp" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(random() % 1000000007);
}

bool writeAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

// Writes `content` into a new file beside the target, held as the lock holds its files;
// INVALID_HANDLE_VALUE (with the last error set) when that fails.
HANDLE writeHeldTemporary(const std::wstring& temporary, std::string_view content) {
    const HANDLE file =
        ::CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, kShareWithNoOne, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return file;
    if (writeAll(file, content) && ::FlushFileBuffers(file))
        return file;
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    ::DeleteFileW(temporary.c_str());
    ::SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

} // namespace

int publishWithoutReplacing(const std::string& temporary, const std::string& path) {
    if (::MoveFileExW(wide(temporary).c_str(), wide(path).c_str(), MOVEFILE_WRITE_THROUGH))
        return 0;
    switch (statusOfError(::GetLastError())) {
    case Status::AlreadyExists:
        return EEXIST;
    case Status::AccessDenied:
        return EACCES;
    case Status::FileNotFound:
        return ENOENT;
    default:
        return EIO;
    }
}

LockedFile::~LockedFile() {
    if (handleOf(file_) != INVALID_HANDLE_VALUE)
        ::CloseHandle(handleOf(file_));
}

Status LockedFile::open(const std::string& path, std::unique_ptr<LockedFile>& file) {
    const std::wstring name = wide(path);
    // A read-only file opens for reading even for an administrator, whom Windows would let
    // write it (and rename a new file over it).
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    bool writable =
        attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY);
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (writable)
        handle = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShareWithNoOne, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!writable || (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)) {
        writable = false;
        handle = ::CreateFileW(name.c_str(), GENERIC_READ, kShareWithNoOne, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return statusOfError(::GetLastError());
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        return Status::NotCompoundFile;
    }
    file.reset(new LockedFile(path, fileOf(handle), writable));
    return Status::Ok;
}

Status LockedFile::create(const std::string& path, std::string_view content,
                          std::unique_ptr<LockedFile>& file) {
    const std::wstring temporary = wide(temporaryPathBeside(path));
    const HANDLE handle = writeHeldTemporary(temporary, content);
    if (handle == INVALID_HANDLE_VALUE)
        return statusOfError(::GetLastError());
    // The held file keeps its handle under its new name; an existing file is never replaced.
    if (!::MoveFileExW(temporary.c_str(), wide(path).c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        ::DeleteFileW(temporary.c_str());
        return statusOfError(error);
    }
    file.reset(new LockedFile(path, fileOf(handle)));
    return Status::Ok;
}

Status LockedFile::readAll(std::string& content, std::size_t limit) const {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handleOf(file_), &size))
        return Status::IoError;
    if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > limit)
        return Status::NotCompoundFile;
    content.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < content.size()) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(done);
        at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(done) >> 32);
        DWORD read = 0;
        if (!::ReadFile(handleOf(file_), content.data() + done,
                        static_cast<DWORD>(content.size() - done), &read, &at) ||
            read == 0)
            return Status::IoError;
        done += read;
    }
    return Status::Ok;
}

// The new content goes into a held file beside the old one, which is then renamed over it: the
// lock moves with the content, and a failure leaves the old file as it was. Windows renames over
// no file that is open, so the old file's handle is closed just before; should another access
// open it in that moment, the rename fails and the old file is held again.
Status LockedFile::replace(std::string_view content) {
    if (!writable_)
        return Status::AccessDenied;
    const std::wstring temporary = wide(temporaryPathBeside(path_));
    const HANDLE handle = writeHeldTemporary(temporary, content);
    if (handle == INVALID_HANDLE_VALUE)
        return statusOfError(::GetLastError());
    const std::wstring target = wide(path_);
    ::CloseHandle(handleOf(file_));
    if (::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        file_ = fileOf(handle);
        return Status::Ok;
    }
    const DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    ::DeleteFileW(temporary.c_str());
    const HANDLE old = ::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, kShareWithNoOne,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    file_ = fileOf(old);
    return old == INVALID_HANDLE_VALUE ? Status::Locked : statusOfError(error);
}

} // namespace compoundfile
