#pragma once

#include <gtest/gtest.h>
#include <string>

namespace ktest {

// The three ways the tests reach a database: the embedded SQLite file, the same file through the
// SQLite ODBC driver, and a PostgreSQL server through its ODBC driver.
enum class Provider { Sqlite, Odbc, Postgres };

// Names the cases of a test parameterized over providers.
struct ProviderName {
    std::string operator()(const ::testing::TestParamInfo<Provider>& p) const {
        return p.param == Provider::Sqlite ? "Sqlite"
               : p.param == Provider::Odbc ? "Odbc"
                                           : "PostgreSQL";
    }
};

} // namespace ktest
