#include "dkp/saved_file.h"

#include "grammar/wowluaclipper.h"
#include "utilkit/ufile.h"

#include <sys/stat.h>

namespace dkp {
namespace {

bool tooLarge(std::int64_t bytes) {
    return bytes > grammar::WOWLUAClipper::kMaxTextSize;
}

} // namespace

SavedFileRead readSavedFile(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    struct stat info {};
    if (::stat(ufile::toNativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        tooLarge(info.st_size))
        return SavedFileRead::TooLarge;
    if (!ufile::ReadFileData(path, bytes)) {
        bytes.clear();
        return SavedFileRead::Unreadable;
    }
    if (tooLarge(static_cast<std::int64_t>(bytes.size()))) { // it grew while being read
        std::string().swap(bytes);
        return SavedFileRead::TooLarge;
    }
    return SavedFileRead::Read;
}

} // namespace dkp
