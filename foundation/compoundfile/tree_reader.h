#pragma once

#include "element.h"

#include <string_view>

namespace compoundfile {

// Reads the whole storage tree of a compound file: with OLE structured storage on Windows, with
// libgsf elsewhere. The bytes must have passed isSoundCompoundFile. False when the library
// refuses them.
bool readTree(std::string_view bytes, Element& root);

} // namespace compoundfile
