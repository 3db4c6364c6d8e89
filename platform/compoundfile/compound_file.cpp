#include "compoundfile/compound_file.h"

#include "cfb_validator.h"
#include "element.h"
#include "gsf_tree_reader.h"
#include "gsf_tree_writer.h"
#include "locked_file.h"

#include "utilkit/ufile.h"

#include <algorithm>
#include <cstring>

namespace compoundfile {
namespace {

// One access to one file: the lock and the whole storage tree, shared by every handle.
struct Session {
    std::unique_ptr<LockedFile> file;
    Element root;
    bool changed = false;

    // Nothing changed since the last commit: the file stays as it is, byte for byte.
    Status commit() {
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
};

class StreamHandle : public Stream {
public:
    StreamHandle(std::shared_ptr<Session> session, std::shared_ptr<Element> element)
        : session_(std::move(session)), element_(std::move(element)) {}

    Status read(void* buffer, std::size_t count, std::size_t& done) override {
        const std::string& data = element_->data;
        done =
            position_ < data.size() ? std::min<std::uint64_t>(count, data.size() - position_) : 0;
        if (done > 0)
            std::memcpy(buffer, data.data() + position_, done);
        position_ += done;
        return Status::Ok;
    }

    Status write(const void* bytes, std::size_t count) override {
        if (position_ > kMaxFileSize || count > kMaxFileSize - position_)
            return Status::IoError;
        std::string& data = element_->data;
        const std::size_t end = static_cast<std::size_t>(position_) + count;
        if (data.size() < end)
            data.resize(end, '\0');
        if (count > 0)
            std::memcpy(data.data() + position_, bytes, count);
        position_ = end;
        session_->changed = true;
        return Status::Ok;
    }

    Status seek(std::uint64_t position) override {
        position_ = position;
        return Status::Ok;
    }

    std::uint64_t size() const override { return element_->data.size(); }

private:
    std::shared_ptr<Session> session_;
    std::shared_ptr<Element> element_;
    std::uint64_t position_ = 0;
};

class StorageHandle : public Storage {
public:
    StorageHandle(std::shared_ptr<Session> session, Element* element,
                  std::shared_ptr<Element> owner = nullptr)
        : session_(std::move(session)), element_(element), owner_(std::move(owner)) {}

    Status openStorage(std::u16string_view name, std::unique_ptr<Storage>& storage) override {
        std::shared_ptr<Element> child;
        const Status status = find(name, true, child);
        if (status == Status::Ok)
            storage = std::make_unique<StorageHandle>(session_, child.get(), child);
        return status;
    }

    Status createStorage(std::u16string_view name, std::unique_ptr<Storage>& storage) override {
        std::shared_ptr<Element> child;
        const Status status = add(name, true, child);
        if (status == Status::Ok)
            storage = std::make_unique<StorageHandle>(session_, child.get(), child);
        return status;
    }

    Status openStream(std::u16string_view name, std::unique_ptr<Stream>& stream) override {
        std::shared_ptr<Element> child;
        const Status status = find(name, false, child);
        if (status == Status::Ok)
            stream = std::make_unique<StreamHandle>(session_, child);
        return status;
    }

    Status createStream(std::u16string_view name, std::unique_ptr<Stream>& stream) override {
        std::shared_ptr<Element> child;
        const Status status = add(name, false, child);
        if (status == Status::Ok)
            stream = std::make_unique<StreamHandle>(session_, child);
        return status;
    }

    Status destroyElement(std::u16string_view name) override {
        if (!isValidElementName(name))
            return Status::InvalidName;
        if (!element_->removeChild(name))
            return Status::ElementNotFound;
        session_->changed = true;
        return Status::Ok;
    }

    std::vector<std::u16string> elementNames() const override {
        std::vector<std::u16string> names;
        for (const auto& child : element_->children)
            names.push_back(child->name);
        return names;
    }

    Status commit() override { return session_->commit(); }

private:
    Status find(std::u16string_view name, bool storage, std::shared_ptr<Element>& child) const {
        if (!isValidElementName(name))
            return Status::InvalidName;
        child = element_->findChild(name);
        if (!child)
            return Status::ElementNotFound;
        return child->isStorage == storage ? Status::Ok : Status::WrongKind;
    }

    Status add(std::u16string_view name, bool storage, std::shared_ptr<Element>& child) {
        if (!isValidElementName(name))
            return Status::InvalidName;
        if (element_->findChild(name))
            return Status::AlreadyExists;
        child = std::make_shared<Element>();
        child->name = name;
        child->isStorage = storage;
        element_->children.push_back(child);
        session_->changed = true;
        return Status::Ok;
    }

    std::shared_ptr<Session> session_;
    Element* element_;
    // Keeps a child storage alive after it has been destroyed in its parent.
    std::shared_ptr<Element> owner_;
};

// Every name must survive being written back: the library may have read it differently.
bool namesAreValid(const Element& storage) {
    for (const auto& child : storage.children)
        if (!isValidElementName(child->name) || (child->isStorage && !namesAreValid(*child)))
            return false;
    return true;
}

Status loadSession(const std::shared_ptr<Session>& session) {
    std::string bytes;
    const Status status = session->file->readAll(bytes, kMaxFileSize);
    if (status != Status::Ok)
        return status;
    if (!isSoundCompoundFile(bytes) || !readTree(bytes, session->root) ||
        !namesAreValid(session->root))
        return Status::NotCompoundFile;
    return Status::Ok;
}

} // namespace

Status openFile(std::u16string_view path, std::unique_ptr<Storage>& root) {
    auto session = std::make_shared<Session>();
    Status status = LockedFile::open(ufile::toNativePath(path), session->file);
    if (status == Status::Ok)
        status = loadSession(session);
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
    const Status status = LockedFile::create(ufile::toNativePath(path), bytes, session->file);
    if (status == Status::Ok)
        root = std::make_unique<StorageHandle>(session, &session->root);
    return status;
}

} // namespace compoundfile
