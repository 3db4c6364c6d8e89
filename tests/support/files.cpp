#include "testsupport/files.h"

#include <fstream>
#include <iterator>

namespace testsupport {

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    // With a file in the way the write below fails; the test sees that in what it reads back.
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace testsupport
