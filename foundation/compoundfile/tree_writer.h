#pragma once

#include "element.h"

#include <string>

namespace compoundfile {

// Writes the storage tree as a compound file (version 3, 512-byte sectors): with OLE structured
// storage on Windows, with libgsf elsewhere.
bool writeTree(const Element& root, std::string& bytes);

} // namespace compoundfile
