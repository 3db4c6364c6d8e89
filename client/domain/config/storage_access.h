#pragma once

#include "storage_visitor.h"

#include <string_view>

namespace config {

// The one procedure behind every access to a section of the settings file at `path`:
// opens (or creates) the file under an exclusive lock, lets the visitor see the root, opens
// (or creates, as the visitor wants) the section's storage and its stream "config", lets the
// visitor work on the stream, commits, and releases everything. Any failed step ends in
// the visitor's onFailure(). A file that cannot be read as a compound file is left alone.
void accessSection(std::u16string_view path, std::u16string_view section, StorageVisitor& visitor);

} // namespace config
