#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ledger/postgres_ledger.h"
#include "support/throwaway_postgres.h"

namespace torvane::test {

// A test on a fresh database of the test program's throw-away server, its
// ledger tables made by their owner as `torvane-ledger init` makes them. It is
// skipped only where the server programs are not installed; a server that is
// installed but does not start fails the test with its log.
class PostgresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server = &ThrowawayPostgres::Shared();
    if (!server->installed()) GTEST_SKIP() << server->error();
    // A test that stopped the server and failed before starting it again.
    if (!server->running()) server->Start();
    ASSERT_TRUE(server->running()) << server->error();
    const Result<std::string> made = server->CreateDatabase();
    ASSERT_TRUE(made.ok()) << made.error;
    databaseName = made.value;
    database = server->ConnectionString(databaseName);
    auto owner = PostgresLedger::Open(database);
    const Status tables = owner.ok() ? owner.value->Initialise() : Status::Failure(owner.error);
    ASSERT_TRUE(tables.ok()) << tables.error;
  }

  void Sql(const std::string& statements) const {
    const Result<std::string> run = server->Sql(databaseName, statements);
    ASSERT_TRUE(run.ok()) << run.error;
  }

  ThrowawayPostgres* server = nullptr;
  std::string databaseName;
  std::string database;  // its connection string
};

}  // namespace torvane::test
