#include "dkp/saved_file.h"

#include "grammar/wowluaclipper.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace dkp {
namespace {

bool tooLarge(std::int64_t bytes) {
    return bytes > grammar::WOWLUAClipper::kMaxTextSize;
}

} // namespace

SavedFileRead readSavedFile(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(ufile::toPath(path), error);
    if (!error && tooLarge(static_cast<std::int64_t>(size)))
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
