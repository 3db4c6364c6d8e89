#include "session.h"

#include "cfb_validator.h"
#include "tree_reader.h"
#include "tree_writer.h"

#include "compoundfile/compound_file.h"

#include <string>

namespace compoundfile {
namespace {

// Every name must survive being written back: the library may have read it differently.
bool namesAreValid(const Element& storage) {
    for (const auto& child : storage.children)
        if (!isValidElementName(child->name) || (child->isStorage && !namesAreValid(*child)))
            return false;
    return true;
}

} // namespace

Status Session::load() {
    std::string bytes;
    const Status status = file->readAll(bytes, kMaxFileSize);
    if (status != Status::Ok)
        return status;
    if (!isSoundCompoundFile(bytes) || !readTree(bytes, root) || !namesAreValid(root))
        return Status::NotCompoundFile;
    return Status::Ok;
}

Status Session::commit() {
    if (!changed)
        return Status::Ok;
    std::string bytes;
    // A file that would not pass as sound when read back (say, a storage with more
    // elements than the directory limits allow) is not written at all.
    if (!writeTree(root, bytes) || !isSoundCompoundFile(bytes))
        return Status::IoError;
    const Status status = file->replace(bytes);
    if (status == Status::Ok)
        changed = false;
    return status;
}

} // namespace compoundfile
