#include "input.h"

#include "utilkit/ufile.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <iterator>
#include <sys/stat.h>

namespace raidsift {
namespace {

std::string reasonFor(const std::string& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return std::strerror(errno);
    if (S_ISDIR(info.st_mode))
        return "is a folder";
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    return "cannot be read";
}

} // namespace

std::string readInput(const std::string& file) {
    if (file == "-") {
        std::string bytes{std::istreambuf_iterator<char>(std::cin), {}};
        if (std::cin.bad())
            throw InputError("cannot read standard input");
        return bytes;
    }
    std::string bytes;
    if (!ufile::ReadFileData(ufile::fromNativePath(file), bytes))
        throw unreadable(file);
    return bytes;
}

InputError unreadable(const std::string& file) {
    return InputError("cannot read " + file + ": " + reasonFor(file));
}

} // namespace raidsift
