// The comparison server's results: one row per posted result, ranked by
// average FPS within its detail level. Two stores keep them behind this one
// interface: an SQLite file (the default, for one machine) and a PostgreSQL
// database (for several server processes on one database server).
//
// Every call may come from any of the server's worker threads at once. A
// result is placed among 1,000,000 of its level in milliseconds: positions
// are counted through per-bucket counts (schema.h), and the rows around a
// result are read from the ranking index next to it, not counted off from
// the top.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/database.h"
#include "server/submitted_result.h"

namespace compare {

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

class Database;

class ResultStore {
 public:
  // Opens the store `location` names: "postgresql://USER@HOST:PORT/DB" (or
  // "postgres://...") a PostgreSQL database with up to `connections` open
  // connections, anything else an SQLite file, created with its folders when
  // missing. The schema is created on first use and brought up to date.
  // Nothing when the store cannot serve: it cannot be reached or written,
  // holds something else, is incomplete or newer than this server; `error`
  // says which, and a store that is not ours is left as it was.
  static std::unique_ptr<ResultStore> Open(const std::string& location, std::string& error,
                                           int connections = 1);
  explicit ResultStore(std::unique_ptr<Database> database);
  ~ResultStore();
  ResultStore(const ResultStore&) = delete;
  ResultStore& operator=(const ResultStore&) = delete;

  // Stores one result in its own transaction; its id, or nothing when the
  // database refused it.
  std::optional<std::int64_t> Add(const SubmittedResult& result, std::string_view received);
  std::optional<StoredResult> Find(std::int64_t id);
  std::optional<Standing> StandingOf(std::int64_t id);
  // The fastest results of one level, fastest first.
  std::vector<StoredResult> Top(int level, std::int64_t limit);
  // Up to `before` results ranked right before `mine` and up to `after`
  // right after it, with `mine` between them, in order of rank.
  std::vector<StoredResult> Around(const StoredResult& mine, std::int64_t before,
                                   std::int64_t after);
  // The newest results, of one level or of all.
  std::vector<StoredResult> Latest(std::optional<int> level, std::int64_t limit);

 private:
  std::string Sql(std::string_view query) const;
  std::vector<StoredResult> Query(std::string_view query, std::vector<SqlValue> parameters);

  std::unique_ptr<Database> database_;
};

}  // namespace compare
