#pragma once

#include <string>

namespace ufile {

// The suffix of the new copy that a whole-file replace writes beside the file:
// ".tmp<process>-<number>", the name removeUnfinishedCopies knows.
std::u16string temporarySuffix();

} // namespace ufile
