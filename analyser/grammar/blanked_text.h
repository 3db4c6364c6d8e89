#pragma once

#include <cstddef>
#include <string>

namespace grammar {

// The first two literal clipping steps on a file's bytes: every comment (a `--` through the line
// feed that ends it, or through the end of the text) is blanked, with one blank for each UTF-16
// code unit it decodes to, and a comma right after a closing brace becomes a blank. Returns
// how many commas are left, which bounds the number of entries the tables can hold.
std::size_t blankCommentsAndBraceCommas(std::string& bytes);

} // namespace grammar
