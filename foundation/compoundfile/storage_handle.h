#pragma once

#include "compoundfile/storage.h"
#include "element.h"
#include "session.h"
#include "stream_handle.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace compoundfile {

// A storage of an open file, working on the session's tree.
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

} // namespace compoundfile
