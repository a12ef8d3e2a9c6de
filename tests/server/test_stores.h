// The stores the server's tests run against: SQLite files in a scratch
// folder, and PostgreSQL databases on the server that the ctest fixture
// started (postgres_fixture.sh), whose address is in the file
// $MG_TEST_POSTGRES_STATE/url.
#pragma once

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/support/test_files.h"

namespace compare_test {

// The fixture server's maintenance database, or "" when none runs.
inline std::string PostgresServer() {
  const char* state = std::getenv("MG_TEST_POSTGRES_STATE");
  if (state == nullptr) return {};
  std::string url = test_support::ReadBytes(std::filesystem::path(state) / "url");
  while (!url.empty() && url.back() == '\n') url.pop_back();
  return url;
}

// True when the PostgreSQL tests can run. Without a server they are
// skipped, except under CI=true, where that is a failure.
inline bool PostgresAvailable() {
  if (!PostgresServer().empty()) return true;
  const char* ci = std::getenv("CI");
  if (ci != nullptr && std::string(ci) == "true")
    ADD_FAILURE() << "no PostgreSQL server for the tests (postgresql not installed?)";
  return false;
}

// Runs SQL; the server's message, or "" when it worked.
inline std::string PostgresExecute(const std::string& url, const std::string& sql) {
  PGconn* connection = PQconnectdb(url.c_str());
  PQsetNoticeProcessor(
      connection, [](void*, const char*) {}, nullptr);
  std::string error;
  PGresult* result = PQexec(connection, sql.c_str());
  const ExecStatusType status = PQresultStatus(result);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) error = PQerrorMessage(connection);
  PQclear(result);
  PQfinish(connection);
  return error;
}

// A new, empty database on the fixture's server; its address.
inline std::string FreshPostgresDatabase(const std::string& name) {
  const std::string server = PostgresServer();
  const std::string database = "mg_" + name + "_" + std::to_string(getpid());
  PostgresExecute(server, "DROP DATABASE IF EXISTS " + database);
  EXPECT_EQ(PostgresExecute(server, "CREATE DATABASE " + database), "");
  return server.substr(0, server.rfind('/') + 1) + database;
}

}  // namespace compare_test
