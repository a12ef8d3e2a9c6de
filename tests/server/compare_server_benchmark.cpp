// Storing and ranking one posted result, and listing the latest, with 10,000
// results already stored. The database lies in the system's temporary folder
// (TMPDIR), on disk unless that is a memory file system, so each stored
// result includes the database's sync to disk.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>

#include "server/request_handler.h"
#include "tests/server/posted_result.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStored = 10000;

class StoredResults {
 public:
  StoredResults() {
    std::string name = (fs::temp_directory_path() / "mg-compare-bench-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) return;
    folder_ = name;
    std::string error;
    store_ = compare::ResultStore::Open(folder_ / "results.sqlite", error);
    if (store_) Fill();
  }
  ~StoredResults() {
    store_.reset();
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
  }
  compare::ResultStore* store() { return store_.get(); }

 private:
  // In one transaction through a connection of its own: filling is not what
  // is measured.
  void Fill() {
    sqlite3* db = nullptr;
    sqlite3_open((folder_ / "results.sqlite").c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO results (received, level, fps, mega_tris, width, height, "
                       "msaa, renderer, gl_version, gl_vendor, cpu, os, version, record) VALUES "
                       "('2026-01-01 00:00:00', ?, ?, 12.5, 1024, 768, 4, 'llvmpipe', '4.5', "
                       "'Mesa', 'CPU', 'Linux', '2.33', ?)",
                       -1, &insert, nullptr);
    const std::string record = bench::FlattenRecord(compare_test::Record(50.0, 1));
    for (int i = 0; i < kStored; ++i) {
      sqlite3_bind_int(insert, 1, i % 3);
      sqlite3_bind_double(insert, 2, 5.0 + (i * 7919 % kStored) * 0.01);
      sqlite3_bind_blob(insert, 3, record.data(), static_cast<int>(record.size()), SQLITE_STATIC);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }

  fs::path folder_;
  std::unique_ptr<compare::ResultStore> store_;
};

void BM_PostAndRank(benchmark::State& state) {
  StoredResults stored;
  if (stored.store() == nullptr) return state.SkipWithError("no database");
  const compare::HttpRequest request{"POST", "/", "Quellish.Dial/1",
                                     "application/x-www-form-urlencoded",
                                     compare_test::FormBody(compare_test::Record(55.5, 1))};
  for (auto _ : state) {
    const compare::HttpResponse answer =
        compare::HandleRequest(request, *stored.store(), std::chrono::system_clock::now());
    if (answer.status != 200) return state.SkipWithError("refused");
    benchmark::DoNotOptimize(answer.body.data());
  }
}
BENCHMARK(BM_PostAndRank)->Unit(benchmark::kMillisecond);

void BM_LatestList(benchmark::State& state) {
  StoredResults stored;
  if (stored.store() == nullptr) return state.SkipWithError("no database");
  const compare::HttpRequest request{"GET", "/", "", "", ""};
  for (auto _ : state) {
    const compare::HttpResponse answer =
        compare::HandleRequest(request, *stored.store(), std::chrono::system_clock::now());
    benchmark::DoNotOptimize(answer.body.data());
  }
}
BENCHMARK(BM_LatestList)->Unit(benchmark::kMillisecond);

}  // namespace
