#include "utilkit/ufile.h"

#include "process_number.h"
#include "temporary_copy.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <windows.h>

namespace fs = std::filesystem;

namespace ufile {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows keeps paths in UTF-16");

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// A handle that is closed when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid())
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

bool writeAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data.data(), chunk, &written, nullptr))
            return false;
        data.remove_prefix(written);
    }
    return true;
}

// Puts the finished copy in place of the file. An existing file is replaced with ReplaceFileW,
// which keeps its attributes and security settings as the Linux replace keeps its permissions;
// where that cannot be done (the file system cannot, or the old file vanished meanwhile) the
// copy is moved over it.
bool placeCopy(const std::wstring& copy, const std::wstring& target) {
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ::ReplaceFileW(target.c_str(), copy.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr))
        return true;
    return ::MoveFileExW(copy.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

namespace process {

long long current() {
    return ::GetCurrentProcessId();
}

bool isRunning(long long number) {
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(number));
    if (process == nullptr)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // there, but another user's
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

} // namespace process

fs::path toPath(std::u16string_view path) {
    return fs::path(wide(path));
}

std::u16string fromPath(const fs::path& path) {
    const std::wstring text = path.generic_wstring();
    return std::u16string(text.begin(), text.end());
}

std::u16string GetModulePathDir() {
    std::wstring program(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length == 0)
            return u"./";
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(program.size() * 2);
    }
    std::u16string folder = fromPath(fs::path(program).parent_path());
    if (folder.empty() || folder.back() != u'/')
        folder.push_back(u'/');
    return folder;
}

bool ReadFileData(std::u16string_view path, std::string& data) {
    // Others may go on reading, writing, renaming or deleting the file meanwhile, as on Linux.
    Handle file(::CreateFileW(wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK)
        return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return false;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    while (true) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
            return false;
        if (read == 0)
            break;
        bytes.append(buffer, read);
    }
    data = std::move(bytes);
    return true;
}

bool WriteFileData(std::u16string_view path, std::string_view data) {
    const std::wstring target = wide(path);
    const std::wstring copy = target + wide(temporarySuffix());
    Handle file(::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    bool ok = writeAll(file.get(), data) && ::FlushFileBuffers(file.get());
    ok = file.close() && ok;
    if (ok)
        ok = placeCopy(copy, target);
    if (!ok)
        ::DeleteFileW(copy.c_str());
    return ok;
}

} // namespace ufile
