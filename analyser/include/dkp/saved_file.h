#pragma once

#include "raidsift/export.h"

#include <string>

namespace dkp {

enum class SavedFileRead { Read, Unreadable, TooLarge };

// Reads the bytes of the saved-variables file at `path` into `bytes`. A file larger than the
// parser can hold (grammar::WOWLUAClipper::kMaxTextSize bytes) is refused by its size before
// anything is read; `bytes` is left empty unless the file was read.
RAIDSIFT_API SavedFileRead readSavedFile(const std::u16string& path, std::string& bytes);

} // namespace dkp
