#pragma once

#include "compoundfile/storage.h"

namespace config {

// The part of one access to a section that differs between reading, writing and deleting.
class StorageVisitor {
public:
    virtual ~StorageVisitor() = default;

    // Some step of the access failed.
    virtual void onFailure() = 0;
    // The file is open; true asks for the root to be committed now.
    virtual bool onRoot(compoundfile::Storage& root) = 0;
    // The section's stream is open; true when the visitor did its work.
    virtual bool onStream(compoundfile::Storage& section, compoundfile::Stream& stream) = 0;
    // The section's storage is missing: true to create it.
    virtual bool wantsSection() = 0;
    // The section's stream is missing: true to create it.
    virtual bool wantsStream() = 0;
};

} // namespace config
