#include "input.h"

#include "dkp/saved_file.h"
#include "grammar/wowluaclipper.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <filesystem>
#include <iostream>

namespace raidsift {
namespace {

std::string reasonFor(const std::string& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(ufile::toPath(ustring::fromUtf8(file)), error);
    if (error)
        return error.message();
    if (fs::is_directory(status))
        return "is a folder";
    if (!fs::is_regular_file(status))
        return "not a regular file";
    return "cannot be read";
}

InputError tooLarge(const std::string& name) {
    return InputError("cannot read " + name + ": file too large (over " +
                      std::to_string(grammar::WOWLUAClipper::kMaxTextSize) + " bytes)");
}

// Standard input up to one byte past the parser's limit, so that a larger input is refused
// without being held whole.
std::string readStandardInput() {
    constexpr std::size_t kLimit = grammar::WOWLUAClipper::kMaxTextSize;
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= kLimit && std::cin.read(buffer, sizeof buffer).gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
    if (std::cin.bad())
        throw InputError("cannot read standard input");
    if (bytes.size() > kLimit)
        throw tooLarge("standard input");
    return bytes;
}

} // namespace

std::string readInput(const std::string& file) {
    if (file == "-")
        return readStandardInput();
    std::string bytes;
    switch (dkp::readSavedFile(ustring::fromUtf8(file), bytes)) {
    case dkp::SavedFileRead::Read:
        return bytes;
    case dkp::SavedFileRead::TooLarge:
        throw tooLarge(file);
    case dkp::SavedFileRead::Unreadable:
        break;
    }
    throw unreadable(file);
}

InputError unreadable(const std::string& file) {
    return InputError("cannot read " + file + ": " + reasonFor(file));
}

} // namespace raidsift
