// The result store's SQLite file. It runs in WAL mode with full
// synchronisation, so a result whose answer went out survives a crash of the
// server or of the machine. One connection serves every thread; a mutex
// orders the calls, and a busy timeout waits for other processes that hold
// the same file.
#include <sqlite3.h>

#include <filesystem>
#include <mutex>

#include "server/database.h"

namespace compare {
namespace {

constexpr int kBusyTimeoutMs = 5000;

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
  void Bind(int index, const SqlValue& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
      sqlite3_bind_int64(stmt_, index, *i);
    } else if (const auto* d = std::get_if<double>(&value)) {
      sqlite3_bind_double(stmt_, index, *d);
    } else if (const auto* t = std::get_if<std::string>(&value)) {
      sqlite3_bind_text(stmt_, index, t->data(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
    } else {
      const std::string& bytes = std::get<SqlBlob>(value).bytes;
      sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                        SQLITE_TRANSIENT);
    }
  }
  int Step() { return sqlite3_step(stmt_); }
  SqlValue Column(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
      case SQLITE_INTEGER:
        return std::int64_t{sqlite3_column_int64(stmt_, column)};
      case SQLITE_FLOAT:
        return sqlite3_column_double(stmt_, column);
      default: {
        const void* data = sqlite3_column_blob(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return data != nullptr ? std::string(static_cast<const char*>(data), size) : std::string();
      }
    }
  }
  int Columns() const { return sqlite3_column_count(stmt_); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

bool Execute(sqlite3* db, const std::string& sql) {
  return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<std::int64_t> Single(sqlite3* db, const char* sql) {
  Statement query(db, sql);
  if (!query.ok() || query.Step() != SQLITE_ROW) return std::nullopt;
  return AsInteger(query.Column(0));
}

std::vector<std::string> ColumnsOf(sqlite3* db, const std::string& table) {
  std::vector<std::string> columns;
  Statement query(db, "SELECT name FROM pragma_table_info(?)");
  if (!query.ok()) return columns;
  query.Bind(1, table);
  while (query.Step() == SQLITE_ROW) columns.push_back(AsText(query.Column(0)));
  return columns;
}

// Checks, creates or migrates the schema in an immediate transaction, so
// that two servers starting on the same new file cannot both create it. A
// file that is not ours is refused before anything is written; one that is
// ours is written once (its version), which proves it can be.
std::string PrepareSchema(sqlite3* db) {
  if (!Execute(db, "BEGIN IMMEDIATE")) return sqlite3_errmsg(db);
  const std::optional<std::int64_t> version = Single(db, "PRAGMA user_version");
  const std::optional<std::int64_t> objects = Single(db, "SELECT COUNT(*) FROM sqlite_master");
  std::string error;
  if (!version || !objects) {
    error = sqlite3_errmsg(db);
  } else if (*version < 0) {
    error = "its schema version " + std::to_string(*version) + " is not one this server knows";
  } else if (*version == 0 && *objects > 0) {
    error = "the database holds tables of another program";
  } else if (*version > schema::kVersion) {
    error = "the database was written by a newer server (schema " + std::to_string(*version) + ")";
  }
  for (int to = static_cast<int>(version.value_or(0)) + 1; error.empty() && to <= schema::kVersion;
       ++to)
    for (const std::string& step : schema::Migration(schema::Dialect::Sqlite, to))
      if (error.empty() && !Execute(db, step))
        error = std::string("the schema could not be brought up to date: ") + sqlite3_errmsg(db);
  if (error.empty()) {
    const std::string missing =
        schema::MissingPiece([db](const std::string& table) { return ColumnsOf(db, table); });
    if (!missing.empty()) error = "the database is incomplete: " + missing;
  }
  if (error.empty() && !(Execute(db, "PRAGMA user_version = " + std::to_string(schema::kVersion)) &&
                         Execute(db, "COMMIT")))
    error = std::string("the database cannot be written: ") + sqlite3_errmsg(db);
  if (!error.empty()) Execute(db, "ROLLBACK");
  return error;
}

class SqliteDatabase final : public Database {
 public:
  explicit SqliteDatabase(sqlite3* db) : db_(db) {}
  ~SqliteDatabase() override { sqlite3_close(db_); }
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  std::optional<std::vector<std::vector<SqlRow>>> Run(
      const std::vector<SqlStatement>& statements) override {
    const std::lock_guard lock(mutex_);
    const bool several = statements.size() > 1;
    if (several && !Execute(db_, "BEGIN IMMEDIATE")) return std::nullopt;
    std::vector<std::vector<SqlRow>> results;
    for (const SqlStatement& s : statements) {
      std::optional<std::vector<SqlRow>> rows = RunOne(s);
      if (!rows) {
        if (several) Execute(db_, "ROLLBACK");
        return std::nullopt;
      }
      results.push_back(std::move(*rows));
    }
    if (several && !Execute(db_, "COMMIT")) {
      Execute(db_, "ROLLBACK");
      return std::nullopt;
    }
    return results;
  }

  schema::Dialect dialect() const override { return schema::Dialect::Sqlite; }

 private:
  std::optional<std::vector<SqlRow>> RunOne(const SqlStatement& s) {
    Statement statement(db_, s.sql);
    if (!statement.ok()) return std::nullopt;
    for (size_t i = 0; i < s.parameters.size(); ++i)
      statement.Bind(static_cast<int>(i + 1), s.parameters[i]);
    std::vector<SqlRow> rows;
    int step = SQLITE_ROW;
    while ((step = statement.Step()) == SQLITE_ROW) {
      SqlRow& row = rows.emplace_back();
      for (int c = 0; c < statement.Columns(); ++c) row.push_back(statement.Column(c));
    }
    if (step != SQLITE_DONE) return std::nullopt;
    return rows;
  }

  std::mutex mutex_;
  sqlite3* db_;
};

}  // namespace

std::unique_ptr<Database> OpenSqliteDatabase(const std::string& location, std::string& error) {
  const std::filesystem::path path(location);
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
  // SQLite opens a file it may not write read-only, without complaint.
  if (sqlite3_db_readonly(db, "main") == 1) {
    error = "the database file is read-only";
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  error = PrepareSchema(db);
  if (!error.empty()) {
    sqlite3_close(db);
    return nullptr;
  }
  std::string mode;
  {
    Statement wal(db, "PRAGMA journal_mode = WAL");
    if (wal.ok() && wal.Step() == SQLITE_ROW) mode = AsText(wal.Column(0));
  }
  if (mode != "wal" || !Execute(db, "PRAGMA synchronous = FULL")) {
    error = mode.empty() || mode == "wal" ? sqlite3_errmsg(db) : "the database cannot use WAL mode";
    sqlite3_close(db);
    return nullptr;
  }
  return std::make_unique<SqliteDatabase>(db);
}

}  // namespace compare
