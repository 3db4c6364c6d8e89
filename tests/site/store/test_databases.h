#pragma once

#include "store/database.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>
#include <string>

namespace dkpsite_testing {

// A fresh, empty database of one engine for one test: an SQLite file in a temporary folder, or a
// database of its own in the test cluster (tools/site/pg_test_cluster.sh, started by CTest),
// dropped when the object goes. Throws when the cluster cannot be reached: the PostgreSQL tests
// fail then, they are never skipped.
class TestDatabase {
public:
    explicit TestDatabase(dkpsite::Engine engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // What `--db` takes: the file's path or the database's URI.
    const std::string& target() const { return target_; }

private:
    testsupport::TemporaryFolder folder_{"site-store"};
    dkpsite::Engine engine_;
    std::string name_;
    std::string target_;
};

// "Sqlite" or "Postgresql", the names of a test's instances.
std::string engineName(const testing::TestParamInfo<dkpsite::Engine>& info);

} // namespace dkpsite_testing
