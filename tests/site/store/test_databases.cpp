#include "test_databases.h"

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace dkpsite_testing {

namespace {

std::string clusterFolder() {
    const char* folder = std::getenv("RL_TEST_POSTGRES_DIR");
    return folder && *folder ? folder : RL_TEST_POSTGRES_DIR;
}

std::string databaseUri(const std::string& database) {
    return "postgresql://postgres@/" + database + "?host=" + clusterFolder();
}

void administer(const std::string& statement) {
    try {
        dkpsite::Database cluster(databaseUri("postgres"));
        dkpsite::Database::Connection connection(cluster);
        connection.sql() << statement;
    } catch (const std::exception& e) {
        throw std::runtime_error("the PostgreSQL test cluster in " + clusterFolder() +
                                 " does not answer (CTest starts it with "
                                 "tools/site/pg_test_cluster.sh): " +
                                 e.what());
    }
}

} // namespace

TestDatabase::TestDatabase(dkpsite::Engine engine) : engine_(engine) {
    if (engine_ == dkpsite::Engine::Sqlite) {
        target_ = folder_.path("site.db").string();
        return;
    }
    static std::atomic<int> counter{0};
    name_ = "site_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    administer("DROP DATABASE IF EXISTS " + name_);
    administer("CREATE DATABASE " + name_);
    target_ = databaseUri(name_);
}

TestDatabase::~TestDatabase() {
    if (engine_ != dkpsite::Engine::Postgresql)
        return;
    try {
        administer("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The cluster goes with the test run.
    }
}

std::string engineName(const testing::TestParamInfo<dkpsite::Engine>& info) {
    return info.param == dkpsite::Engine::Sqlite ? "Sqlite" : "Postgresql";
}

} // namespace dkpsite_testing
