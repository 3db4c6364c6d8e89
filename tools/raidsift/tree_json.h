#pragma once

#include "grammar/node.h"

#include <ostream>
#include <string>

namespace raidsift {

// Writes the parsed tree as JSON while walking it, with two-space indentation:
// {"attribs": [{"name", "value"}...], "nodes": [{"name", "attribs", "nodes"}...]}. The text is
// what nlohmann::ordered_json's dump(2) gives for that document, without building it, which
// would take hundreds of bytes per entry.
void writeTreeJson(std::ostream& out, const grammar::Document& document);

// The same for the tree of a file's bytes, written as the parser builds it: neither the
// document nor the entries are held.
void writeTreeJson(std::ostream& out, std::string bytes);

} // namespace raidsift
