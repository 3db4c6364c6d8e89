#pragma once

#include <string>

namespace grammar {

// Readies a saved-variables text for clipping: drops a leading byte-order mark (U+FEFF) and
// turns every carriage return that precedes a line feed into nothing, so that a file saved
// with Windows line ends gives the same tree as one with line feeds alone.
void prepareSavedText(std::u16string& text);

} // namespace grammar
