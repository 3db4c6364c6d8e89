#include "cabinet/extract.h"

#include "cabinet/stored_name.h"
#include "dos_time.h"
#include "mspack_io.h"
#include "placement.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace cabinet {
namespace {

// Each extraction decodes into a folder of its own below the staging folder, named by mkdtemp.
constexpr std::string_view kStagingPrefix = "cabinet-";

const char* describeMspackError(int code) {
    switch (code) {
    case MSPACK_ERR_OPEN:
        return "cannot be opened";
    case MSPACK_ERR_READ:
        return "cannot be read to its end";
    case MSPACK_ERR_WRITE:
        return "cannot be written out";
    case MSPACK_ERR_SEEK:
        return "is shorter than its headers say";
    case MSPACK_ERR_NOMEMORY:
        return "needs more memory than is available";
    case MSPACK_ERR_SIGNATURE:
        return "is not a cabinet file";
    case MSPACK_ERR_DATAFORMAT:
        return "is damaged";
    case MSPACK_ERR_CHECKSUM:
        return "fails its checksum";
    case MSPACK_ERR_DECRUNCH:
        return "holds data that does not decompress";
    default:
        return "cannot be extracted";
    }
}

ExtractResult failure(std::string message) {
    return ExtractResult{false, std::move(message)};
}

// Why the file cannot be a cabinet, or nothing when it is a plain file that begins with the
// signature. Opened without blocking and typed on the descriptor, so that a pipe or a device
// put in a cabinet's place is refused instead of waited on.
std::optional<std::string> cabinetFileProblem(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? std::string("is missing")
                               : std::string("cannot be opened: ") + std::strerror(errno);
    struct stat info {};
    std::optional<std::string> problem;
    char signature[4] = {};
    if (::fstat(fd, &info) != 0)
        problem = std::string("cannot be examined: ") + std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        problem = "is not a plain file";
    else if (::pread(fd, signature, sizeof signature, 0) != sizeof signature ||
             std::string_view(signature, sizeof signature) != "MSCF")
        problem = "is not a cabinet file";
    ::close(fd);
    return problem;
}

struct DecompressorDeleter {
    void operator()(mscab_decompressor* decompressor) const {
        mspack_destroy_cab_decompressor(decompressor);
    }
};
using Decompressor = std::unique_ptr<mscab_decompressor, DecompressorDeleter>;

// An opened cabinet, closed again when the scope ends.
class OpenCabinet {
public:
    OpenCabinet(mscab_decompressor& decompressor, const fs::path& path)
        : decompressor_(decompressor), cabinet_(decompressor.open(&decompressor, path.c_str())) {}
    ~OpenCabinet() {
        if (cabinet_)
            decompressor_.close(&decompressor_, cabinet_);
    }
    OpenCabinet(const OpenCabinet&) = delete;
    OpenCabinet& operator=(const OpenCabinet&) = delete;

    mscabd_cabinet* get() const { return cabinet_; }

private:
    mscab_decompressor& decompressor_;
    mscabd_cabinet* cabinet_;
};

// A fresh folder below the staging folder, removed with everything left in it.
class StagingFolder {
public:
    explicit StagingFolder(const fs::path& parent) {
        std::error_code error;
        fs::create_directories(parent, error);
        std::string pattern = (parent / (std::string(kStagingPrefix) + "XXXXXX")).string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~StagingFolder() {
        if (!path_.empty()) {
            std::error_code error;
            fs::remove_all(path_, error);
        }
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::u16string storedName(const mscabd_file& file) {
    const std::string_view bytes = file.filename ? file.filename : "";
    return ustring::toWideString(bytes, (file.attribs & MSCAB_ATTRIB_UTF_NAME)
                                            ? ustring::kUtf8CodePage
                                            : ustring::kAnsiCodePage);
}

std::optional<std::int64_t> modificationTime(const mscabd_file& file) {
    return unixTimeOf(
        DosDateTime{file.date_y, file.date_m, file.date_d, file.time_h, file.time_m, file.time_s});
}

// Resolves every stored name before anything is decoded, so a bad name costs no work.
bool planFiles(const mscabd_cabinet& cabinet, const fs::path& staging,
               std::vector<StagedFile>& planned, std::string& error) {
    int index = 0;
    for (const mscabd_file* file = cabinet.files; file; file = file->next) {
        const std::u16string name = storedName(*file);
        const std::optional<std::u16string> target = targetOfStoredName(name);
        if (!target) {
            error = "the stored name \"" + ustring::toUtf8(name) + "\" is refused";
            return false;
        }
        planned.push_back(
            StagedFile{staging / std::to_string(index++), fs::path(ufile::toNativePath(*target)),
                       modificationTime(*file), (file->attribs & MSCAB_ATTRIB_RDONLY) != 0,
                       (file->attribs & MSCAB_ATTRIB_EXEC) != 0});
    }
    return true;
}

bool isCancelled(const ExtractRequest& request) {
    return request.cancel && request.cancel->load();
}

} // namespace

ExtractResult extract(const ExtractRequest& request) {
    const fs::path cabinetPath(ufile::toNativePath(request.cabinet));
    const std::string shown = "the cabinet \"" + cabinetPath.string() + "\" ";
    if (const std::optional<std::string> problem = cabinetFileProblem(cabinetPath))
        return failure(shown + *problem);

    MspackIo io(request.cancel);
    const Decompressor decompressor(mspack_create_cab_decompressor(io.system()));
    if (!decompressor)
        return failure("the cabinet reader cannot be created");
    const OpenCabinet cabinet(*decompressor, cabinetPath);
    if (!cabinet.get())
        return failure(shown + describeMspackError(decompressor->last_error(decompressor.get())));

    const StagingFolder staging(fs::path(ufile::toNativePath(request.staging)));
    if (staging.path().empty())
        return failure("no staging folder can be made in \"" +
                       ufile::toNativePath(request.staging) + "\"");
    std::vector<StagedFile> files;
    std::string error;
    if (!planFiles(*cabinet.get(), staging.path(), files, error))
        return failure(shown + "is refused: " + error);

    const mscabd_file* file = cabinet.get()->files;
    for (const StagedFile& staged : files) {
        const int result = decompressor->extract(decompressor.get(), const_cast<mscabd_file*>(file),
                                                 staged.staged.c_str());
        if (isCancelled(request))
            return failure(shown + "was not extracted: the extraction was cancelled");
        if (result != MSPACK_ERR_OK)
            return failure(shown + describeMspackError(result) + " (at \"" +
                           staged.target.string() + "\")");
        file = file->next;
    }
    if (!placeStagedFiles(fs::path(ufile::toNativePath(request.destination)), files, error))
        return failure(shown + "cannot be installed: " + error);
    return ExtractResult{true, {}};
}

void removeAbandonedStaging(std::u16string_view staging) {
    std::error_code error;
    fs::directory_iterator entries(fs::path(ufile::toNativePath(staging)), error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (entries->path().filename().string().starts_with(kStagingPrefix) &&
            entries->symlink_status(ignored).type() == fs::file_type::directory)
            fs::remove_all(entries->path(), ignored);
    }
}

} // namespace cabinet
