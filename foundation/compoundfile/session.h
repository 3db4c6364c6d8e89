#pragma once

#include "compoundfile/locked_file.h"
#include "compoundfile/status.h"
#include "element.h"

#include <memory>

namespace compoundfile {

// One access to one file: the lock and the whole storage tree, shared by every handle.
struct Session {
    std::unique_ptr<LockedFile> file;
    Element root;
    bool changed = false;

    // Reads and checks the locked file's whole tree.
    Status load();
    // Writes the tree as the new file. Nothing changed since the last commit: the file stays
    // as it is, byte for byte.
    Status commit();
};

} // namespace compoundfile
