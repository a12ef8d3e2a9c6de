#include "server/result_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "server/schema.h"
#include "tests/server/test_stores.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

void ExecuteSqlite(const fs::path& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
      << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// One test body for both stores.
class StoreTest : public testing::TestWithParam<schema::Dialect> {
 protected:
  void SetUp() override {
    if (postgres() && !compare_test::PostgresAvailable()) GTEST_SKIP();
  }
  bool postgres() const { return GetParam() == schema::Dialect::Postgres; }
  // Where a new, empty store named `name` lives.
  std::string Location(const std::string& name) {
    return postgres() ? compare_test::FreshPostgresDatabase(name)
                      : (folder_.path() / (name + ".sqlite")).string();
  }
  void Execute(const std::string& location, const std::string& sql) {
    if (postgres()) {
      EXPECT_EQ(compare_test::PostgresExecute(location, sql), "") << sql;
    } else {
      ExecuteSqlite(location, sql);
    }
  }
  // The statement that marks a store as being at `version`.
  std::string Version(int version) const {
    const std::string n = std::to_string(version);
    return postgres() ? "CREATE TABLE schema_version (version INTEGER NOT NULL); "
                        "INSERT INTO schema_version VALUES (" +
                            n + ")"
                      : "PRAGMA user_version = " + n;
  }
  // The tables of a store at `version`, as this server makes them.
  std::string Layout(int version) const {
    std::string sql;
    for (int to = 1; to <= version; ++to)
      for (const std::string& step : schema::Migration(GetParam(), to)) sql += step + ";\n";
    return sql;
  }

  test_support::ScratchFolder folder_;
};

std::vector<std::int64_t> Ids(const std::vector<StoredResult>& results) {
  std::vector<std::int64_t> ids;
  for (const StoredResult& s : results) ids.push_back(s.id);
  return ids;
}

TEST_P(StoreTest, RanksFindsAndListsResults) {
  std::string error;
  const std::unique_ptr<ResultStore> store = ResultStore::Open(Location("ranks"), error, 3);
  ASSERT_TRUE(store) << error;
  // FPS values on both sides of bucket edges, with a tie that keeps the
  // order of arrival.
  const auto add = [&store](int level, double fps) {
    SubmittedResult r;
    r.level = level;
    r.fps = fps;
    return store->Add(r, "2026-01-01 00:00:00").value_or(-1);
  };
  const std::int64_t a = add(1, 30.0), b = add(1, 50.0), c = add(1, 30.0), d = add(1, 30.5),
                     e = add(1, 29.99), g = add(1, 31.0), other = add(2, 99.0);
  const std::vector<std::int64_t> order = {b, g, d, a, c, e};
  for (size_t i = 0; i < order.size(); ++i) {
    const std::optional<Standing> standing = store->StandingOf(order[i]);
    ASSERT_TRUE(standing) << i;
    EXPECT_EQ(standing->position, static_cast<std::int64_t>(i + 1));
    EXPECT_EQ(standing->total, 6);
  }
  EXPECT_EQ(store->StandingOf(other)->position, 1);
  EXPECT_EQ(store->StandingOf(other)->total, 1);
  EXPECT_FALSE(store->StandingOf(1000));

  EXPECT_EQ(Ids(store->Top(1, 3)), (std::vector<std::int64_t>{b, g, d}));
  EXPECT_EQ(Ids(store->Around(*store->Find(a), 2, 2)), (std::vector<std::int64_t>{g, d, a, c, e}));
  EXPECT_EQ(Ids(store->Around(*store->Find(b), 2, 1)), (std::vector<std::int64_t>{b, g}));
  EXPECT_EQ(Ids(store->Around(*store->Find(e), 1, 3)), (std::vector<std::int64_t>{c, e}));
  EXPECT_EQ(Ids(store->Latest(std::nullopt, 2)), (std::vector<std::int64_t>{other, g}));
  EXPECT_EQ(Ids(store->Latest(1, 1)), (std::vector<std::int64_t>{g}));

  SubmittedResult full;
  full.level = 0;
  full.fps = 123.456789012345;
  full.megaTris = 9.75;
  full.width = 1920;
  full.height = 1080;
  full.msaa = 4;
  full.renderer = "Ren\u00e9 \u2013 GPU";
  full.glVersion = "4.5";
  full.glVendor = "Mesa";
  full.cpu = "CPU";
  full.os = "Debian";
  full.version = "2.33";
  full.record = std::string("FPS=12.5\0tail\xff", 14);  // kept byte for byte
  const std::optional<std::int64_t> id = store->Add(full, "2026-02-03 04:05:06");
  ASSERT_TRUE(id);
  const std::optional<StoredResult> found = store->Find(*id);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->received, "2026-02-03 04:05:06");
  const SubmittedResult& r = found->result;
  EXPECT_EQ(r.fps, full.fps);
  EXPECT_EQ(r.megaTris, full.megaTris);
  EXPECT_EQ(std::tie(r.level, r.width, r.height, r.msaa), std::make_tuple(0, 1920, 1080, 4));
  EXPECT_EQ(r.renderer, full.renderer);
  EXPECT_EQ(std::tie(r.glVersion, r.glVendor, r.cpu, r.os, r.version),
            std::tie(full.glVersion, full.glVendor, full.cpu, full.os, full.version));
  EXPECT_EQ(r.record, full.record);
}

// A store of the first layout gets the rank counts of the results it holds.
TEST_P(StoreTest, MigratesAFirstVersionStore) {
  const std::string location = Location("migrates");
  Execute(location, Layout(1) + Version(1) + ";\n" +
                        "INSERT INTO results (received, level, fps, mega_tris, width, height, "
                        "msaa, renderer, gl_version, gl_vendor, cpu, os, version, record) VALUES "
                        "('x', 1, 20.5, 0, 0, 0, 0, '', '', '', '', '', '', ''), "
                        "('x', 1, 70.0, 0, 0, 0, 0, '', '', '', '', '', '', '')");
  std::string error;
  const std::unique_ptr<ResultStore> store = ResultStore::Open(location, error);
  ASSERT_TRUE(store) << error;
  SubmittedResult r;
  r.level = 1;
  r.fps = 40.0;
  const std::optional<std::int64_t> id = store->Add(r, "x");
  ASSERT_TRUE(id);
  EXPECT_EQ(store->StandingOf(*id)->position, 2);
  EXPECT_EQ(store->StandingOf(*id)->total, 3);
}

// Each store the server cannot use is refused when it opens, with what is
// wrong, and is left as it was.
TEST_P(StoreTest, UnusableStoresAreRefusedAtStart) {
  struct Case {
    const char* name;
    std::string sql;
    const char* error;
  };
  const Case cases[] = {
      {"foreign", "CREATE TABLE notes (text TEXT)", "another program"},
      {"newer", Layout(2) + Version(99), "newer server (schema 99)"},
      {"negative", Version(-1), "schema version -1 is not one this server knows"},
      {"empty", Version(2), "incomplete: it has no table results"},
      {"emptyv1", Version(1), "could not be brought up to date"},
      {"alien",
       "CREATE TABLE results (a INTEGER, b TEXT); "
       "CREATE TABLE rank_counts (level INTEGER, bucket BIGINT, n BIGINT); " +
           Version(2),
       "its table results has no column id"},
  };
  for (const Case& c : cases) {
    const std::string location = Location(c.name);
    Execute(location, c.sql);
    const std::string before = postgres() ? std::string() : ReadBytes(location);
    std::string error;
    EXPECT_FALSE(ResultStore::Open(location, error)) << c.name;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    if (!postgres()) {
      EXPECT_EQ(ReadBytes(location), before) << c.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreTest,
                         testing::Values(schema::Dialect::Sqlite, schema::Dialect::Postgres),
                         [](const testing::TestParamInfo<schema::Dialect>& info) {
                           return info.param == schema::Dialect::Sqlite ? "Sqlite" : "Postgres";
                         });

TEST(ResultStoreTest, CreatesFoldersAndWalOnFirstStart) {
  test_support::ScratchFolder folder;
  const fs::path path = folder.path() / "data" / "Morvandel.Gauge" / "results.sqlite";
  std::string error;
  ASSERT_TRUE(ResultStore::Open(path, error)) << error;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr);
  ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  // A second start takes the database as it is.
  EXPECT_TRUE(ResultStore::Open(path, error)) << error;
}

TEST(ResultStoreTest, WhatIsNoDatabaseIsRefused) {
  test_support::ScratchFolder folder;
  std::string error;
  WriteBytes(folder.path() / "text", std::string(4096, 'x'));
  EXPECT_FALSE(ResultStore::Open(folder.path() / "text", error));
  EXPECT_NE(error.find("not a database"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(folder.path() / "text"), std::string(4096, 'x'));
  WriteBytes(folder.path() / "file", "x");
  EXPECT_FALSE(ResultStore::Open(folder.path() / "file" / "results.sqlite", error));
  EXPECT_FALSE(error.empty());
}

TEST(ResultStoreTest, UnreachableOrForbiddenPostgresIsRefused) {
  std::string error;
  EXPECT_FALSE(ResultStore::Open("postgresql://mg@127.0.0.1:1/none", error));
  EXPECT_NE(error.find("cannot connect"), std::string::npos) << error;
  if (!compare_test::PostgresAvailable()) GTEST_SKIP();
  // A user who may connect but not write the tables.
  const std::string location = compare_test::FreshPostgresDatabase("forbidden");
  ASSERT_TRUE(ResultStore::Open(location, error)) << error;
  const std::string role = "mg_reader_" + std::to_string(getpid());
  ASSERT_EQ(compare_test::PostgresExecute(
                location, "CREATE ROLE " + role + " LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA " +
                              "public TO " + role),
            "");
  std::string reader = location;
  reader.replace(reader.find("//mg@"), 5, "//" + role + "@");
  EXPECT_FALSE(ResultStore::Open(reader, error));
  EXPECT_NE(error.find("may not read and write"), std::string::npos) << error;
}

}  // namespace
}  // namespace compare
