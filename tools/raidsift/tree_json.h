#pragma once

#include "grammar/node.h"

#include <ostream>

namespace raidsift {

// Writes the parsed tree as JSON while walking it, with two-space indentation:
// {"attribs": [{"name", "value"}...], "nodes": [{"name", "attribs", "nodes"}...]}. The text is
// what nlohmann::ordered_json's dump(2) gives for that document, without building it, which
// would take hundreds of bytes per entry.
void writeTreeJson(std::ostream& out, const grammar::Document& document);

} // namespace raidsift
