#include "compoundfile/compound_file.h"

#include "session.h"
#include "storage_handle.h"
#include "tree_writer.h"

#include "utilkit/ustring.h"

namespace compoundfile {

Status openFile(std::u16string_view path, std::unique_ptr<Storage>& root) {
    auto session = std::make_shared<Session>();
    Status status = LockedFile::open(ustring::toUtf8(path), session->file);
    if (status == Status::Ok)
        status = session->load();
    if (status == Status::Ok)
        root = std::make_unique<StorageHandle>(session, &session->root);
    return status;
}

Status createFile(std::u16string_view path, std::unique_ptr<Storage>& root) {
    auto session = std::make_shared<Session>();
    session->root.isStorage = true;
    std::string bytes;
    if (!writeTree(session->root, bytes))
        return Status::IoError;
    const Status status = LockedFile::create(ustring::toUtf8(path), bytes, session->file);
    if (status == Status::Ok)
        root = std::make_unique<StorageHandle>(session, &session->root);
    return status;
}

} // namespace compoundfile
