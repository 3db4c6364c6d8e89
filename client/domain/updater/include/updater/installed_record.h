#pragma once

#include "packlist/pack.h"
#include "packlist/update_folder.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace updater {

// "temp/installed.xml" as one run keeps it: read once, grown in memory and written whole in
// batches that grow with the list, so that a run of N packages writes O(N) records in all.
// A package is added only after its files are in place, and its cabinet is deleted only after
// a written list holds its record. A run killed at any point therefore loses no record whose
// cabinet is gone: the next run installs the unrecorded packages again, in the same order,
// from their cabinets, which gives the same files.
class InstalledRecord {
public:
    explicit InstalledRecord(const packlist::UpdateFolder& folder);

    // Notes an installed package (once per name, like `recordInstalled`).
    void add(const packlist::Pack& pack);
    // Writes the list when enough packages wait for their record.
    void flushIfDue();
    // Writes the list if packages wait for their record, then deletes their cabinets. False
    // when it cannot be written; the cabinets then stay for the next run.
    bool flush();

private:
    // Records that may wait for the write even in a short list; more of them would only cost
    // more reinstalling after a killed run.
    static constexpr std::size_t kSmallestBatch = 16;
    // A batch waits until it is this fraction of the list, which keeps the writes linear.
    static constexpr std::size_t kBatchDivisor = 4;

    const packlist::UpdateFolder& folder_;
    packlist::PackList list_;
    std::unordered_set<std::u16string> names_;
    std::vector<std::u16string> unrecorded_; // the names of the packages waiting for the write
};

} // namespace updater
