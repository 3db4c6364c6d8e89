#pragma once

#include "storage_visitor.h"

#include <string_view>

namespace config {

// Writes a packed map at the start of a section's stream, creating the section and the stream
// as needed. The result is 0, or -1 once any step failed.
class SectionWriter : public StorageVisitor {
public:
    explicit SectionWriter(std::string_view packed) : packed_(packed) {}

    void onFailure() override { result_ = -1; }
    bool onRoot(compoundfile::Storage&) override { return false; }
    bool onStream(compoundfile::Storage& section, compoundfile::Stream& stream) override;
    bool wantsSection() override { return true; }
    bool wantsStream() override { return true; }

    int result() const { return result_; }

private:
    std::string_view packed_;
    int result_ = 0;
};

} // namespace config
