#include "server/result_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "tests/support/test_files.h"

namespace compare {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

void ExecuteSql(const fs::path& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

TEST(ResultStoreTest, CreatesFoldersSchemaAndWalOnFirstStart) {
  test_support::ScratchFolder folder;
  const fs::path path = folder.path() / "data" / "Morvandel.Gauge" / "results.sqlite";
  std::string error;
  {
    const std::unique_ptr<ResultStore> store = ResultStore::Open(path, error);
    ASSERT_TRUE(store) << error;
    SubmittedResult result;
    result.fps = 12.5;
    result.record = std::string("FPS=12.5\0tail", 13);  // kept byte for byte
    ASSERT_EQ(store->Add(result, "2026-01-01 00:00:00"), 1);
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  const auto single = [db](const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    std::string value;
    if (sqlite3_step(stmt) == SQLITE_ROW)
      value.assign(static_cast<const char*>(sqlite3_column_blob(stmt, 0)),
                   sqlite3_column_bytes(stmt, 0));
    sqlite3_finalize(stmt);
    return value;
  };
  EXPECT_EQ(single("PRAGMA journal_mode"), "wal");
  EXPECT_EQ(single("PRAGMA user_version"), std::to_string(kSchemaVersion));
  EXPECT_EQ(single("SELECT record FROM results"), std::string("FPS=12.5\0tail", 13));
  sqlite3_close(db);
  // A second start takes the database as it is.
  EXPECT_TRUE(ResultStore::Open(path, error)) << error;
  EXPECT_TRUE(ResultStore::Open(path, error)->Find(1));
}

TEST(ResultStoreTest, ForeignFilesAreRefusedAndLeftAsTheyWere) {
  test_support::ScratchFolder folder;
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
    const char* error;
  };
  const Case cases[] = {
      {"text file", [](const fs::path& p) { WriteBytes(p, std::string(4096, 'x')); },
       "not a database"},
      {"other program's database",
       [](const fs::path& p) { ExecuteSql(p, "CREATE TABLE notes (text TEXT)"); },
       "another program"},
      {"newer schema",
       [](const fs::path& p) {
         ExecuteSql(p, "CREATE TABLE results (id INTEGER); PRAGMA user_version = 99");
       },
       "newer server"},
  };
  for (const Case& c : cases) {
    const fs::path path = folder.path() / c.name;
    c.make(path);
    const std::string before = ReadBytes(path);
    std::string error;
    EXPECT_FALSE(ResultStore::Open(path, error)) << c.name;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    EXPECT_EQ(ReadBytes(path), before) << c.name;
  }
  std::string error;
  WriteBytes(folder.path() / "file", "x");
  EXPECT_FALSE(ResultStore::Open(folder.path() / "file" / "results.sqlite", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace compare
