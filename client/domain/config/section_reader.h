#pragma once

#include "config/property_bag.h"
#include "storage_visitor.h"

namespace config {

// Reads a section's stream into a bag; anything missing, unreadable or malformed leaves the
// bag empty.
class SectionReader : public StorageVisitor {
public:
    explicit SectionReader(PropertyBag& bag) : bag_(bag) {}

    void onFailure() override {}
    bool onRoot(compoundfile::Storage&) override { return false; }
    bool onStream(compoundfile::Storage& section, compoundfile::Stream& stream) override;
    bool wantsSection() override { return false; }
    bool wantsStream() override { return false; }

private:
    PropertyBag& bag_;
};

} // namespace config
