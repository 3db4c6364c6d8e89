#pragma once

#include "compoundfile/storage.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace compoundfile {

// Opens the compound file at `path` for exclusive reading and writing; `root` receives its
// root storage. Another process or handle that opens the same file meanwhile gets Locked.
// A file that is not a sound compound file gives NotCompoundFile and is left untouched.
Status openFile(std::u16string_view path, std::unique_ptr<Storage>& root);

// Creates a new compound file holding an empty root storage, readable and writable by its
// owner only, and opens it as openFile does. Never replaces an existing file: AlreadyExists.
Status createFile(std::u16string_view path, std::unique_ptr<Storage>& root);

// Files larger than this are not opened (NotCompoundFile).
inline constexpr std::size_t kMaxFileSize = 64u * 1024 * 1024;

} // namespace compoundfile
