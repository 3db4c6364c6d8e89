#pragma once

#include "compoundfile/status.h"
#include "compoundfile/stream.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace compoundfile {

// A storage (folder) inside a compound file. Names compare without regard to the case of
// A-Z. Handles may be released in any order; the file stays locked until the last one goes.
class Storage {
public:
    virtual ~Storage() = default;

    virtual Status openStorage(std::u16string_view name, std::unique_ptr<Storage>& storage) = 0;
    // Fails with AlreadyExists when an element of that name is present.
    virtual Status createStorage(std::u16string_view name, std::unique_ptr<Storage>& storage) = 0;
    virtual Status openStream(std::u16string_view name, std::unique_ptr<Stream>& stream) = 0;
    virtual Status createStream(std::u16string_view name, std::unique_ptr<Stream>& stream) = 0;
    // Removes a storage (with all it holds) or a stream.
    virtual Status destroyElement(std::u16string_view name) = 0;
    // The names of the storage's elements, in the order they were found or created.
    virtual std::vector<std::u16string> elementNames() const = 0;
    // Writes the whole file as it now stands. The new file replaces the old one in a single
    // step, so a failure leaves the old file as it was.
    virtual Status commit() = 0;
};

} // namespace compoundfile
