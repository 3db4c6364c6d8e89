// extractcab FOLDER CABINET...: extracts each cabinet as the updater extracts a package into its
// program folder: into FOLDER/<cabinet's file name>/program, staged in program/temp. Prints one
// line per cabinet, "<file name>\tok" or "<file name>\trefused\t<reason>" (the reason's control
// characters and backslashes written "\xNN"), and ends with status 0 whatever the cabinets held;
// 2 for a wrong command line.
#include "cabinet/extract.h"

#include "utilkit/program_io.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// The reason on one line: control characters (stored names may hold them) as "\xNN".
std::string oneLine(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            line += "\\x";
            line += kHex[byte >> 4];
            line += kHex[byte & 0xF];
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    utilkit::useBinaryStandardStreams();
    const std::vector<std::string> arguments = utilkit::programArguments(argc, argv);
    if (arguments.size() < 2) {
        std::cerr << "usage: extractcab FOLDER CABINET...\n";
        return 2;
    }
    const std::u16string folder = ustring::fromUtf8(arguments[0]);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::u16string cabinetFile = ustring::fromUtf8(arguments[i]);
        const std::u16string name = ufile::GetFileNameFromPath(cabinetFile);
        const std::u16string program = folder + u"/" + name + u"/program";
        std::error_code error;
        fs::create_directories(ufile::toPath(program), error);
        const cabinet::ExtractResult result =
            cabinet::extract({cabinetFile, program, program + u"/temp"});
        std::cout << ustring::toUtf8(name)
                  << (result ? "\tok" : "\trefused\t" + oneLine(result.error)) << '\n';
    }
    return 0;
}
