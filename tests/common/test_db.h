#pragma once
// Fresh databases for tests: a SQLite file in a temporary folder, or a new
// database on the PostgreSQL cluster named by BORVINAT_TEST_PG
// ("host:port:user:password"), dropped afterwards.
#include "db.h"

#include <QTemporaryDir>
#include <memory>

namespace bv::test {

bool postgresAvailable();

class TestDatabase {
public:
    explicit TestDatabase(Engine engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    const ConnectionParams &params() const { return params_; }
    // Opens `db` on this database; fails the test when it cannot.
    void open(Db &db) const;
    Engine engine() const { return params_.engine; }
    // The value of an Authentication setting that reaches this database, and the
    // server text the settings window would hold.
    QString authentication() const;
    QString serverText() const;

private:
    ConnectionParams params_;
    QString pgName_;
    std::unique_ptr<QTemporaryDir> dir_;
};

// The engine name for parameterised test names.
std::string engineName(Engine engine);

}  // namespace bv::test

// Skips a PostgreSQL case when no cluster is given.
#define BV_REQUIRE_ENGINE(engine)                                                      \
    do {                                                                               \
        if ((engine) == ::bv::Engine::PostgreSQL && !::bv::test::postgresAvailable()) \
            GTEST_SKIP() << "BORVINAT_TEST_PG not set";                                \
    } while (0)
