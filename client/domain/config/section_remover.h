#pragma once

#include "storage_visitor.h"

#include <string>
#include <string_view>

namespace config {

// Deletes a section's storage from the root of the file.
class SectionRemover : public StorageVisitor {
public:
    explicit SectionRemover(std::u16string_view section) : section_(section) {}

    void onFailure() override {}
    bool onRoot(compoundfile::Storage& root) override;
    bool onStream(compoundfile::Storage&, compoundfile::Stream&) override { return false; }
    bool wantsSection() override { return false; }
    bool wantsStream() override { return false; }

private:
    std::u16string section_;
};

} // namespace config
