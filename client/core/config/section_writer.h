#pragma once

#include "packing/property_map.h"
#include "storage_visitor.h"

// Writes a map at the start of a section's stream, creating the section and the stream as
// needed. The result is 0, or -1 once any step failed.
class SectionWriter : public StorageVisitor {
public:
    explicit SectionWriter(const PropertyMap& map) : map_(map) {}

    void onFailure() override { result_ = -1; }
    bool onRoot(compoundfile::Storage&) override { return false; }
    bool onStream(compoundfile::Storage& section, compoundfile::Stream& stream) override;
    bool wantsSection() override { return true; }
    bool wantsStream() override { return true; }

    int result() const { return result_; }

private:
    const PropertyMap& map_;
    int result_ = 0;
};
