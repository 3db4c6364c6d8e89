#include "cabinet/extract.h"

#include "cabinet/stored_name.h"
#include "dos_time.h"
#include "placement.h"
#include "win_files.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <windows.h>

#include <fcntl.h>
#include <fdi.h>

#include <optional>
#include <vector>

namespace fs = std::filesystem;

// The cabinet through the system's cabinet library (FDI), with file access of our own: FDI opens
// nothing but the cabinet, under a name of ours, so that paths stay wide and of any length; the
// files it decodes go to handles that the notifications open in the staging folder.
namespace cabinet {
namespace {

constexpr std::wstring_view kStagingPrefix = L"cabinet-";
// The name under which FDI asks for the cabinet; the open callback knows the real path.
char kCabinetName[] = "cabinet";
char kNoFolder[] = "";
// Folder indexes from this one up mark files continued from or into another cabinet.
constexpr USHORT kFolderContinued = 0xFFFD;

// What FDI's open callback opens on this thread, and the flag that fails every read once set.
struct Source {
    std::wstring path;
    const std::atomic<bool>* cancel = nullptr;
};
thread_local const Source* currentSource = nullptr;

HANDLE handleOf(INT_PTR file) {
    return reinterpret_cast<HANDLE>(file);
}

INT_PTR fileOf(HANDLE handle) {
    return reinterpret_cast<INT_PTR>(handle);
}

FNALLOC(allocate) {
    return ::operator new(cb, std::nothrow);
}

FNFREE(release) {
    ::operator delete(pv);
}

FNOPEN(openCabinet) {
    (void)oflag;
    (void)pmode;
    if (currentSource == nullptr || std::string_view(pszFile) != kCabinetName)
        return -1;
    const HANDLE handle = ::CreateFileW(currentSource->path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return handle == INVALID_HANDLE_VALUE ? -1 : fileOf(handle);
}

FNREAD(readFile) {
    if (currentSource && currentSource->cancel && currentSource->cancel->load())
        return static_cast<UINT>(-1);
    DWORD read = 0;
    return ::ReadFile(handleOf(hf), pv, cb, &read, nullptr) ? read : static_cast<UINT>(-1);
}

FNWRITE(writeFile) {
    DWORD written = 0;
    return ::WriteFile(handleOf(hf), pv, cb, &written, nullptr) && written == cb
               ? written
               : static_cast<UINT>(-1);
}

FNCLOSE(closeFile) {
    return ::CloseHandle(handleOf(hf)) ? 0 : -1;
}

FNSEEK(seekFile) {
    LARGE_INTEGER distance{};
    distance.QuadPart = dist;
    LARGE_INTEGER position{};
    const DWORD method = seektype == SEEK_CUR   ? FILE_CURRENT
                         : seektype == SEEK_END ? FILE_END
                                                : FILE_BEGIN;
    if (!::SetFilePointerEx(handleOf(hf), distance, &position, method))
        return -1;
    return static_cast<__LONG32>(position.QuadPart);
}

// One FDI context, destroyed when the scope ends; the source is FDI's for as long.
class Decompressor {
public:
    explicit Decompressor(const Source& source) {
        currentSource = &source;
        fdi_ = ::FDICreate(allocate, release, openCabinet, readFile, writeFile, closeFile, seekFile,
                           cpuUNKNOWN, &error_);
    }
    ~Decompressor() {
        if (fdi_)
            ::FDIDestroy(fdi_);
        currentSource = nullptr;
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    HFDI get() const { return fdi_; }
    const ERF& error() const { return error_; }

private:
    ERF error_{};
    HFDI fdi_ = nullptr;
};

const char* describeFdiError(int code) {
    switch (code) {
    case FDIERROR_CABINET_NOT_FOUND:
        return "cannot be opened";
    case FDIERROR_NOT_A_CABINET:
        return "is not a cabinet file";
    case FDIERROR_UNKNOWN_CABINET_VERSION:
        return "is of a cabinet version that is not known";
    case FDIERROR_ALLOC_FAIL:
        return "needs more memory than is available";
    case FDIERROR_BAD_COMPR_TYPE:
        return "uses a compression that is not known";
    case FDIERROR_MDI_FAIL:
        return "holds data that does not decompress";
    case FDIERROR_TARGET_FILE:
        return "cannot be written out";
    case FDIERROR_CORRUPT_CABINET:
    case FDIERROR_RESERVE_MISMATCH:
    case FDIERROR_WRONG_CABINET:
        return "is damaged";
    default:
        return "cannot be extracted";
    }
}

ExtractResult failure(std::string message) {
    return ExtractResult{false, std::move(message)};
}

// Why the file cannot be a cabinet, or nothing when it is a plain file that begins with the
// signature.
std::optional<std::string> cabinetFileProblem(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = ::GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                   ? std::string("is missing")
                   : "cannot be opened: " + describeError(code);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "is not a plain file";
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return "cannot be opened: " + describeError(::GetLastError());
    std::optional<std::string> problem;
    char signature[4] = {};
    DWORD read = 0;
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        problem = "is not a plain file";
    else if (!::ReadFile(handle, signature, sizeof signature, &read, nullptr) ||
             read != sizeof signature || std::string_view(signature, sizeof signature) != "MSCF")
        problem = "is not a cabinet file";
    ::CloseHandle(handle);
    return problem;
}

// A fresh folder below the staging folder, removed with everything left in it.
class StagingFolder {
public:
    explicit StagingFolder(std::u16string_view parent) {
        std::error_code error;
        fs::create_directories(ufile::toPath(parent), error);
        const std::wstring base = longPath(parent);
        if (base.empty())
            return;
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const std::wstring candidate = base + L"\\" + std::wstring(kStagingPrefix) +
                                           std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                           std::to_wstring(::GetTickCount64() + attempt);
            if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
                path_ = candidate;
                return;
            }
            if (::GetLastError() != ERROR_ALREADY_EXISTS)
                return;
        }
    }
    ~StagingFolder() {
        if (!path_.empty()) {
            std::error_code error;
            fs::remove_all(fs::path(path_), error);
        }
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

std::optional<std::int64_t> modificationTime(USHORT date, USHORT time) {
    return unixTimeOf(DosDateTime{(date >> 9) + 1980, (date >> 5) & 0xF, date & 0x1F, time >> 11,
                                  (time >> 5) & 0x3F, (time & 0x1F) * 2});
}

// The cabinet's header, read through FDI; nothing when FDI does not take the file for a cabinet.
std::optional<FDICABINETINFO> cabinetHeader(const Decompressor& decompressor) {
    const INT_PTR file = openCabinet(kCabinetName, _O_RDONLY | _O_BINARY, 0);
    if (file == -1)
        return std::nullopt;
    FDICABINETINFO header{};
    const bool isCabinet = ::FDIIsCabinet(decompressor.get(), file, &header);
    closeFile(file);
    return isCabinet ? std::optional(header) : std::nullopt;
}

// Whether every component of the target can be a file name of Windows: none of <>:"|?* and no
// control character in it, no blank or full stop at its end, and no device name ("CON",
// "com1.txt") before its first full stop.
bool isWindowsName(std::u16string_view target) {
    static constexpr std::u16string_view kDevices[] = {u"CON", u"PRN", u"AUX", u"NUL"};
    static constexpr std::u16string_view kNumberedDevices[] = {u"COM", u"LPT"};
    std::size_t start = 0;
    while (start <= target.size()) {
        const std::size_t end = std::min(target.find(u'/', start), target.size());
        const std::u16string_view component = target.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component.back() == u'.' || component.back() == u' ' ||
            component.find_first_of(u"<>:\"|?*\\") != std::u16string_view::npos)
            return false;
        for (const char16_t c : component) {
            if (c < 0x20)
                return false;
        }
        std::u16string base(component.substr(0, component.find(u'.')));
        for (char16_t& c : base)
            c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
        for (const std::u16string_view device : kDevices) {
            if (base == device)
                return false;
        }
        for (const std::u16string_view device : kNumberedDevices) {
            if (base.size() == 4 && base.starts_with(device) && base[3] >= u'1' && base[3] <= u'9')
                return false;
        }
    }
    return true;
}

// The first pass: every file's name and attributes, nothing decoded.
struct Plan {
    const std::wstring* staging;
    USHORT folders; // in the cabinet's header
    std::vector<StagedFile> files;
    std::string error; // why the listing was given up
    bool damaged = false;
};

FNFDINOTIFY(planFile) {
    auto& plan = *static_cast<Plan*>(pfdin->pv);
    switch (fdint) {
    case fdintCOPY_FILE: {
        // FDI would take a file of a folder the cabinet lacks from another folder.
        if (pfdin->iFolder >= plan.folders && pfdin->iFolder < kFolderContinued) {
            plan.damaged = true;
            return -1;
        }
        const std::string_view bytes = pfdin->psz1 ? pfdin->psz1 : "";
        const std::u16string name = ustring::toWideString(bytes, (pfdin->attribs & _A_NAME_IS_UTF)
                                                                     ? ustring::kUtf8CodePage
                                                                     : ustring::kAnsiCodePage);
        const std::optional<std::u16string> target = targetOfStoredName(name);
        if (!target) {
            plan.error = "the stored name \"" + ustring::toUtf8(name) + "\" is refused";
            return -1;
        }
        if (!isWindowsName(*target)) {
            plan.error = "the stored name \"" + ustring::toUtf8(name) +
                         "\" cannot be a file name on Windows";
            return -1;
        }
        const std::wstring staged = *plan.staging + L"\\" + std::to_wstring(plan.files.size());
        plan.files.push_back(StagedFile{
            fs::path(staged), ufile::toPath(*target), modificationTime(pfdin->date, pfdin->time),
            (pfdin->attribs & _A_RDONLY) != 0, (pfdin->attribs & _A_EXEC) != 0});
        return 0; // listed, not decoded
    }
    case fdintPARTIAL_FILE:
        plan.error = "it holds a file begun in another cabinet";
        return -1;
    case fdintNEXT_CABINET:
        plan.error = "it continues in another cabinet";
        return -1;
    default:
        return 0;
    }
}

// The second pass: each file decoded into its staging file, in the order of the first.
struct Decoding {
    const std::vector<StagedFile>* files;
    std::size_t opened = 0;
    std::size_t closed = 0;
};

FNFDINOTIFY(decodeFile) {
    auto& decoding = *static_cast<Decoding*>(pfdin->pv);
    switch (fdint) {
    case fdintCOPY_FILE: {
        if (decoding.opened == decoding.files->size())
            return -1;
        const StagedFile& file = (*decoding.files)[decoding.opened++];
        const HANDLE handle =
            ::CreateFileW(file.staged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        return handle == INVALID_HANDLE_VALUE ? -1 : fileOf(handle);
    }
    case fdintCLOSE_FILE_INFO:
        ::CloseHandle(handleOf(pfdin->hf));
        ++decoding.closed;
        return TRUE;
    case fdintPARTIAL_FILE:
    case fdintNEXT_CABINET:
        return -1;
    default:
        return 0;
    }
}

bool isCancelled(const ExtractRequest& request) {
    return request.cancel && request.cancel->load();
}

std::string shownFile(const fs::path& target) {
    return ustring::toUtf8(ufile::fromPath(target));
}

} // namespace

ExtractResult extract(const ExtractRequest& request) {
    const Source source{longPath(request.cabinet), request.cancel};
    const std::string shown = "the cabinet \"" + ustring::toUtf8(request.cabinet) + "\" ";
    if (source.path.empty())
        return failure(shown + "cannot be opened: the path cannot be made absolute");
    if (const std::optional<std::string> problem = cabinetFileProblem(source.path))
        return failure(shown + *problem);

    const Decompressor decompressor(source);
    if (!decompressor.get())
        return failure("the cabinet reader cannot be created");
    const StagingFolder staging(request.staging);
    if (staging.path().empty())
        return failure("no staging folder can be made in \"" + ustring::toUtf8(request.staging) +
                       "\"");

    const std::optional<FDICABINETINFO> header = cabinetHeader(decompressor);
    if (!header && isCancelled(request))
        return failure(shown + "was not extracted: the extraction was cancelled");
    if (!header)
        return failure(shown + describeFdiError(decompressor.error().erfOper));
    Plan plan{&staging.path(), header->cFolders, {}, {}, false};
    if (!::FDICopy(decompressor.get(), kCabinetName, kNoFolder, 0, planFile, nullptr, &plan)) {
        if (isCancelled(request))
            return failure(shown + "was not extracted: the extraction was cancelled");
        if (plan.damaged)
            return failure(shown + "is damaged");
        if (!plan.error.empty())
            return failure(shown + "is refused: " + plan.error);
        return failure(shown + describeFdiError(decompressor.error().erfOper));
    }
    // A cabinet of no files is no package.
    if (plan.files.empty())
        return failure(shown + "is damaged");

    Decoding decoding{&plan.files};
    const bool decoded =
        ::FDICopy(decompressor.get(), kCabinetName, kNoFolder, 0, decodeFile, nullptr, &decoding);
    if (isCancelled(request))
        return failure(shown + "was not extracted: the extraction was cancelled");
    if (!decoded || decoding.closed != plan.files.size()) {
        const std::string at =
            decoding.opened == 0
                ? std::string()
                : " (at \"" + shownFile(plan.files[decoding.opened - 1].target) + "\")";
        const int code = decoded ? FDIERROR_CORRUPT_CABINET : decompressor.error().erfOper;
        return failure(shown + describeFdiError(code) + at);
    }
    std::string error;
    if (!placeStagedFiles(ufile::toPath(request.destination), plan.files, error))
        return failure(shown + "cannot be installed: " + error);
    return ExtractResult{true, {}};
}

void removeAbandonedStaging(std::u16string_view staging) {
    std::error_code error;
    fs::directory_iterator entries(ufile::toPath(staging), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (entries->path().filename().wstring().starts_with(kStagingPrefix) &&
            entries->symlink_status(ignored).type() == fs::file_type::directory)
            fs::remove_all(entries->path(), ignored);
    }
}

} // namespace cabinet
