// The comparison server's results in an SQLite database: one row per posted
// result, ranked by average FPS within its detail level.
//
// The database runs in WAL mode with full synchronisation, so a result whose
// answer went out survives a crash of the server or of the machine. One
// connection serves every thread; a mutex orders the calls, and a busy
// timeout waits for other processes that hold the same file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/submitted_result.h"

struct sqlite3;

namespace compare {

// The layout this server writes, kept in the database's user_version.
inline constexpr int kSchemaVersion = 1;

struct StoredResult {
  std::int64_t id = 0;
  std::string received;  // UTC, "YYYY-MM-DD HH:MM:SS"
  SubmittedResult result;
};

// A result's place among the results of its level: 1 is the fastest; equal
// FPS values keep the order in which they arrived.
struct Standing {
  std::int64_t position = 0;
  std::int64_t total = 0;
};

class ResultStore {
 public:
  // Opens or creates the database (and its parent folders) and creates the
  // schema on first use. Nothing when the file cannot be opened, is not an
  // SQLite database, belongs to something else or has a newer schema; such a
  // file is left as it was. `error` says why.
  static std::unique_ptr<ResultStore> Open(const std::filesystem::path& path, std::string& error);
  ~ResultStore();
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;

  // Stores one result in its own transaction; its id, or nothing when the
  // database refused it.
  std::optional<std::int64_t> Add(const SubmittedResult& result, std::string_view received);

  std::optional<StoredResult> Find(std::int64_t id);
  std::optional<Standing> StandingOf(std::int64_t id);
  // Results of one level from the given 0-based rank on, fastest first.
  std::vector<StoredResult> Ranked(int level, std::int64_t offset, std::int64_t limit);
  // The newest results, of one level or of all.
  std::vector<StoredResult> Latest(std::optional<int> level, std::int64_t limit);

 private:
  explicit ResultStore(sqlite3* db);

  std::mutex mutex_;
  sqlite3* db_;
};

}  // namespace compare
