// Placing one posted result among 1,000,000 stored results of its level and
// answering with its ranking page, on each store. The SQLite file lies in the
// system's temporary folder (TMPDIR), on disk unless that is a memory file
// system, so each stored result includes the database's sync to disk. The
// PostgreSQL database is the empty one MG_BENCH_POSTGRES names, for example
// on a server that tests/server/postgres_fixture.sh started; without it only
// SQLite is measured.
//
// The stored FPS values crowd at the low end (1 + 1000 x^3 for x spread
// evenly over [0, 1)), so the slowest bucket holds a tenth of all results.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>

#include "server/request_handler.h"
#include "server/schema.h"
#include "tests/server/posted_result.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFillColumns =
    "INSERT INTO results (received, level, fps, mega_tris, width, height, msaa, renderer, "
    "gl_version, gl_vendor, cpu, os, version, record) ";
constexpr std::string_view kFillValues =
    "'2026-01-01 00:00:00', 1, 1.0 + 1000.0 * (x * x * x), 12.5, 1024, 768, 4, 'llvmpipe', "
    "'4.5', 'Mesa', 'CPU', 'Linux', '2.33', ";

// A million results of level 1, written by SQL of the database itself:
// filling is not what is measured.
std::string FillSql(compare::schema::Dialect dialect) {
  const bool sqlite = dialect == compare::schema::Dialect::Sqlite;
  std::string sql =
      sqlite ? "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999), "
               "s(x) AS (SELECT (i * 7919 % 1000000) / 1000000.0 FROM n) " +
                   std::string(kFillColumns) + "SELECT " + std::string(kFillValues) + "X'' FROM s;"
             : std::string(kFillColumns) + "SELECT " + std::string(kFillValues) +
                   "'' FROM (SELECT (i * 7919 % 1000000) / 1000000.0 AS x "
                   "FROM generate_series(CAST(0 AS BIGINT), 999999) AS i) AS s;";
  // The counts, as the migration that brought them makes them.
  return sql + compare::schema::Migration(dialect, 2).back() + ";";
}

class Million {
 public:
  explicit Million(compare::schema::Dialect dialect) {
    std::string error;
    if (dialect == compare::schema::Dialect::Sqlite) {
      std::string name = (fs::temp_directory_path() / "mg-compare-bench-XXXXXX").string();
      if (mkdtemp(name.data()) == nullptr) return;
      folder_ = name;
      const fs::path path = folder_ / "results.sqlite";
      store_ = compare::ResultStore::Open(path, error);
      sqlite3* db = nullptr;
      sqlite3_open(path.c_str(), &db);
      ok_ = store_ &&
            sqlite3_exec(db, FillSql(dialect).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
      sqlite3_close(db);
    } else {
      const char* url = std::getenv("MG_BENCH_POSTGRES");
      if (url == nullptr) return;
      store_ = compare::ResultStore::Open(url, error);
      PGconn* connection = PQconnectdb(url);
      PGresult* result = PQexec(connection, FillSql(dialect).c_str());
      ok_ = store_ && PQresultStatus(result) == PGRES_COMMAND_OK;
      PQclear(result);
      PQexec(connection, "VACUUM ANALYZE");
      PQfinish(connection);
    }
  }
  ~Million() {
    store_.reset();
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
  }
  compare::ResultStore* store() { return ok_ ? store_.get() : nullptr; }

 private:
  fs::path folder_;
  std::unique_ptr<compare::ResultStore> store_;
  bool ok_ = false;
};

compare::ResultStore* Store(compare::schema::Dialect dialect) {
  static Million sqlite(compare::schema::Dialect::Sqlite);
  static Million postgres(compare::schema::Dialect::Postgres);
  return dialect == compare::schema::Dialect::Sqlite ? sqlite.store() : postgres.store();
}

// Arguments: the store (0 SQLite, 1 PostgreSQL) and the posted FPS: 1.5 in
// the crowded slowest bucket, 150 in the middle, 1000 near the top.
void BM_PostAmongAMillion(benchmark::State& state) {
  const auto dialect =
      state.range(0) == 0 ? compare::schema::Dialect::Sqlite : compare::schema::Dialect::Postgres;
  compare::ResultStore* store = Store(dialect);
  if (store == nullptr) return state.SkipWithError("no database (MG_BENCH_POSTGRES?)");
  const double fps = static_cast<double>(state.range(1)) / 10.0;
  const compare::HttpRequest request{"POST", "/", "Quellish.Dial/1",
                                     "application/x-www-form-urlencoded",
                                     compare_test::FormBody(compare_test::Record(fps, 1))};
  for (auto _ : state) {
    const compare::HttpResponse answer =
        compare::HandleRequest(request, *store, std::chrono::system_clock::now());
    if (answer.status != 200) return state.SkipWithError("refused");
    benchmark::DoNotOptimize(answer.body.data());
  }
}
BENCHMARK(BM_PostAmongAMillion)
    ->ArgsProduct({{0, 1}, {15, 1500, 10000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50);

// The ranking page of a stored result in the crowded bucket.
void BM_RankingAmongAMillion(benchmark::State& state) {
  const auto dialect =
      state.range(0) == 0 ? compare::schema::Dialect::Sqlite : compare::schema::Dialect::Postgres;
  compare::ResultStore* store = Store(dialect);
  if (store == nullptr) return state.SkipWithError("no database (MG_BENCH_POSTGRES?)");
  const compare::HttpRequest request{"GET", "/", "result=50000", "", ""};
  for (auto _ : state) {
    const compare::HttpResponse answer =
        compare::HandleRequest(request, *store, std::chrono::system_clock::now());
    if (answer.status != 200) return state.SkipWithError("not found");
    benchmark::DoNotOptimize(answer.body.data());
  }
}
BENCHMARK(BM_RankingAmongAMillion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
