#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// The whole file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& file);
// Replaces the file with `bytes`, making its folders first; a test checks the outcome itself.
void writeFile(const std::filesystem::path& file, const std::string& bytes);

} // namespace testsupport
