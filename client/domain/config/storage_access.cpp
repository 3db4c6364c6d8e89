#include "storage_access.h"

#include "compoundfile/compound_file.h"

#include <memory>

namespace config {

using compoundfile::Status;

namespace {

constexpr std::u16string_view kStreamName = u"config";

Status openOrCreateRoot(std::u16string_view path, std::unique_ptr<compoundfile::Storage>& root) {
    const Status status = compoundfile::openFile(path, root);
    if (status != Status::FileNotFound)
        return status;
    return compoundfile::createFile(path, root);
}

} // namespace

void accessSection(std::u16string_view path, std::u16string_view section, StorageVisitor& visitor) {
    // Declared in the reverse of their release order: stream, section, root.
    std::unique_ptr<compoundfile::Storage> root;
    std::unique_ptr<compoundfile::Storage> storage;
    std::unique_ptr<compoundfile::Stream> stream;

    if (openOrCreateRoot(path, root) != Status::Ok) {
        visitor.onFailure();
        return;
    }
    if (visitor.onRoot(*root))
        root->commit();

    Status status = root->openStorage(section, storage);
    if (status == Status::ElementNotFound && visitor.wantsSection())
        status = root->createStorage(section, storage);
    if (status != Status::Ok) {
        visitor.onFailure();
        return;
    }
    status = storage->openStream(kStreamName, stream);
    if (status == Status::ElementNotFound && visitor.wantsStream())
        status = storage->createStream(kStreamName, stream);
    if (status != Status::Ok) {
        visitor.onFailure();
        return;
    }
    visitor.onStream(*storage, *stream);
    if (root->commit() != Status::Ok)
        visitor.onFailure();
}

} // namespace config
