#include "server/result_store.h"

#include <sqlite3.h>

#include <string>

namespace compare {
namespace {

constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kCreateSchema = R"sql(
CREATE TABLE results (
  id INTEGER PRIMARY KEY,
  received TEXT NOT NULL,
  level INTEGER NOT NULL,
  fps REAL NOT NULL,
  mega_tris REAL NOT NULL,
  width INTEGER NOT NULL,
  height INTEGER NOT NULL,
  msaa INTEGER NOT NULL,
  renderer TEXT NOT NULL,
  gl_version TEXT NOT NULL,
  gl_vendor TEXT NOT NULL,
  cpu TEXT NOT NULL,
  os TEXT NOT NULL,
  version TEXT NOT NULL,
  record BLOB NOT NULL
);
CREATE INDEX results_by_rank ON results (level, fps DESC, id);
)sql";

constexpr const char* kColumns =
    "id, received, level, fps, mega_tris, width, height, msaa, renderer, gl_version, gl_vendor, "
    "cpu, os, version, record";

// One prepared statement, finalised when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql) {
    sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }
  void Bind(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
  void Bind(int index, double value) { sqlite3_bind_double(stmt_, index, value); }
  void Bind(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  void BindBlob(int index, std::string_view bytes) {
    sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  }
  int Step() { return sqlite3_step(stmt_); }
  std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
  double Double(int column) const { return sqlite3_column_double(stmt_, column); }
  std::string Text(int column) const {
    const void* data = sqlite3_column_blob(stmt_, column);
    const int size = sqlite3_column_bytes(stmt_, column);
    return data != nullptr ? std::string(static_cast<const char*>(data), size) : std::string();
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

bool Execute(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

StoredResult ReadRow(const Statement& row) {
  StoredResult stored;
  stored.id = row.Int(0);
  stored.received = row.Text(1);
  SubmittedResult& r = stored.result;
  r.level = static_cast<int>(row.Int(2));
  r.fps = row.Double(3);
  r.megaTris = row.Double(4);
  r.width = static_cast<int>(row.Int(5));
  r.height = static_cast<int>(row.Int(6));
  r.msaa = static_cast<int>(row.Int(7));
  r.renderer = row.Text(8);
  r.glVersion = row.Text(9);
  r.glVendor = row.Text(10);
  r.cpu = row.Text(11);
  r.os = row.Text(12);
  r.version = row.Text(13);
  r.record = row.Text(14);
  return stored;
}

std::vector<StoredResult> ReadRows(Statement& query) {
  std::vector<StoredResult> rows;
  while (query.Step() == SQLITE_ROW) rows.push_back(ReadRow(query));
  return rows;
}

// Creates the schema in an empty database; accepts one this server made.
// Runs in an immediate transaction, so two servers starting on the same new
// file cannot both create it.
bool PrepareSchema(sqlite3* db, std::string& error) {
  if (!Execute(db, "BEGIN IMMEDIATE")) {
    error = sqlite3_errmsg(db);
    return false;
  }
  std::int64_t version = -1;
  std::int64_t objects = -1;
  {
    Statement v(db, "PRAGMA user_version");
    if (v.ok() && v.Step() == SQLITE_ROW) version = v.Int(0);
    Statement n(db, "SELECT COUNT(*) FROM sqlite_master");
    if (n.ok() && n.Step() == SQLITE_ROW) objects = n.Int(0);
  }
  bool ok = false;
  if (version < 0 || objects < 0) {
    error = sqlite3_errmsg(db);
  } else if (version == 0 && objects > 0) {
    error = "the database holds tables of another program";
  } else if (version > kSchemaVersion) {
    error = "the database was written by a newer server (schema " + std::to_string(version) + ")";
  } else if (version == 0) {
    ok = Execute(db, kCreateSchema) &&
         Execute(db, ("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    if (!ok) error = sqlite3_errmsg(db);
  } else {
    ok = true;
  }
  if (!(ok && Execute(db, "COMMIT"))) {
    if (ok) error = sqlite3_errmsg(db);
    Execute(db, "ROLLBACK");
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<ResultStore> ResultStore::Open(const std::filesystem::path& path,
                                               std::string& error) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  if (ec) {
    error = "cannot create " + path.parent_path().string() + ": " + ec.message();
    return nullptr;
  }
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    error = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  // The schema is checked before anything is written, so a file that is not
  // ours is closed untouched.
  if (!PrepareSchema(db, error)) {
    sqlite3_close(db);
    return nullptr;
  }
  std::string mode;
  {
    Statement wal(db, "PRAGMA journal_mode = WAL");
    if (wal.ok() && wal.Step() == SQLITE_ROW) mode = wal.Text(0);
  }
  if (mode != "wal" || !Execute(db, "PRAGMA synchronous = FULL")) {
    error = mode.empty() || mode == "wal" ? sqlite3_errmsg(db) : "the database cannot use WAL mode";
    sqlite3_close(db);
    return nullptr;
  }
  return std::unique_ptr<ResultStore>(new ResultStore(db));
}

ResultStore::ResultStore(sqlite3* db) : db_(db) {}

ResultStore::~ResultStore() { sqlite3_close(db_); }

std::optional<std::int64_t> ResultStore::Add(const SubmittedResult& r, std::string_view received) {
  const std::lock_guard lock(mutex_);
  Statement insert(db_,
                   "INSERT INTO results (received, level, fps, mega_tris, width, height, msaa, "
                   "renderer, gl_version, gl_vendor, cpu, os, version, record) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  if (!insert.ok()) return std::nullopt;
  insert.Bind(1, received);
  insert.Bind(2, std::int64_t{r.level});
  insert.Bind(3, r.fps);
  insert.Bind(4, r.megaTris);
  insert.Bind(5, std::int64_t{r.width});
  insert.Bind(6, std::int64_t{r.height});
  insert.Bind(7, std::int64_t{r.msaa});
  insert.Bind(8, r.renderer);
  insert.Bind(9, r.glVersion);
  insert.Bind(10, r.glVendor);
  insert.Bind(11, r.cpu);
  insert.Bind(12, r.os);
  insert.Bind(13, r.version);
  insert.BindBlob(14, r.record);
  // Outside an explicit transaction the statement is its own transaction.
  if (insert.Step() != SQLITE_DONE) return std::nullopt;
  return sqlite3_last_insert_rowid(db_);
}

std::optional<StoredResult> ResultStore::Find(std::int64_t id) {
  const std::lock_guard lock(mutex_);
  Statement query(db_, std::string("SELECT ") + kColumns + " FROM results WHERE id = ?");
  if (!query.ok()) return std::nullopt;
  query.Bind(1, id);
  if (query.Step() != SQLITE_ROW) return std::nullopt;
  return ReadRow(query);
}

std::optional<Standing> ResultStore::StandingOf(std::int64_t id) {
  const std::lock_guard lock(mutex_);
  // Both counts in one statement, so they see the same database state.
  Statement query(db_,
                  "SELECT "
                  " (SELECT COUNT(*) FROM results o WHERE o.level = r.level AND o.fps > r.fps)"
                  " + (SELECT COUNT(*) FROM results o WHERE o.level = r.level AND o.fps = r.fps"
                  "    AND o.id < r.id) + 1,"
                  " (SELECT COUNT(*) FROM results o WHERE o.level = r.level)"
                  " FROM results r WHERE r.id = ?");
  if (!query.ok()) return std::nullopt;
  query.Bind(1, id);
  if (query.Step() != SQLITE_ROW) return std::nullopt;
  return Standing{query.Int(0), query.Int(1)};
}

std::vector<StoredResult> ResultStore::Ranked(int level, std::int64_t offset, std::int64_t limit) {
  const std::lock_guard lock(mutex_);
  Statement query(db_, std::string("SELECT ") + kColumns +
                           " FROM results WHERE level = ? ORDER BY fps DESC, id LIMIT ? OFFSET ?");
  if (!query.ok()) return {};
  query.Bind(1, std::int64_t{level});
  query.Bind(2, limit);
  query.Bind(3, offset);
  return ReadRows(query);
}

std::vector<StoredResult> ResultStore::Latest(std::optional<int> level, std::int64_t limit) {
  const std::lock_guard lock(mutex_);
  Statement query(db_, std::string("SELECT ") + kColumns + " FROM results" +
                           (level ? " WHERE level = ?2" : "") + " ORDER BY id DESC LIMIT ?1");
  if (!query.ok()) return {};
  query.Bind(1, limit);
  if (level) query.Bind(2, std::int64_t{*level});
  return ReadRows(query);
}

}  // namespace compare
