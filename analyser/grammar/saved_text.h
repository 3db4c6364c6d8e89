#pragma once

#include <string>

namespace grammar {

// Readies a saved-variables text for clipping: drops a leading byte-order mark (U+FEFF) and
// removes every carriage return that precedes a line feed, so that a file saved with Windows
// line ends gives the same tree as one with line feeds alone.
void prepareSavedText(std::u16string& text);

// The same for the file's UTF-8 bytes (the mark is then the bytes EF BB BF).
void prepareSavedText(std::string& bytes);

} // namespace grammar
