// The result store's PostgreSQL database, for several server processes on one
// database server. Each process keeps a pool of connections, one per worker
// at most; a connection serves one statement list at a time. Results are
// exchanged in binary, so numbers and bytes come back exactly as stored.
#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "server/database.h"

namespace compare {
namespace {

// Type ids of the PostgreSQL catalogue (pg_type.oid).
constexpr Oid kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kFloat4 = 700,
              kFloat8 = 701;
// Held by a server while it checks or migrates the schema, so that servers
// starting at once do it one after another.
constexpr std::int64_t kSchemaLock = 0x4d47'5343'4f52'4553;

template <typename T>
T BigEndian(const char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  if constexpr (std::endian::native == std::endian::little) {
    auto raw = std::bit_cast<std::array<unsigned char, sizeof(T)>>(value);
    std::reverse(raw.begin(), raw.end());
    value = std::bit_cast<T>(raw);
  }
  return value;
}

SqlValue Column(const PGresult* result, int row, int column) {
  const char* bytes = PQgetvalue(result, row, column);
  const int length = PQgetlength(result, row, column);
  switch (PQftype(result, column)) {
    case kInt8:
      return BigEndian<std::int64_t>(bytes);
    case kInt4:
      return std::int64_t{BigEndian<std::int32_t>(bytes)};
    case kInt2:
      return std::int64_t{BigEndian<std::int16_t>(bytes)};
    case kFloat8:
      return BigEndian<double>(bytes);
    case kFloat4:
      return double{BigEndian<float>(bytes)};
    default:
      return std::string(bytes, length);
  }
}

// One statement's parameters as libpq takes them: numbers as text, blobs as
// binary.
class Parameters {
 public:
  explicit Parameters(const std::vector<SqlValue>& values) {
    for (const SqlValue& value : values) {
      if (const auto* b = std::get_if<SqlBlob>(&value)) {
        Add(kBytea, b->bytes, 1);
      } else if (const auto* t = std::get_if<std::string>(&value)) {
        Add(kText, *t, 0);
      } else {
        Add(std::holds_alternative<double>(value) ? kFloat8 : kInt8, AsText(value), 0);
      }
    }
    for (const std::string& text : texts_) values_.push_back(text.c_str());
  }
  int count() const { return static_cast<int>(types_.size()); }
  const Oid* types() const { return types_.data(); }
  const char* const* values() const { return values_.data(); }
  const int* lengths() const { return lengths_.data(); }
  const int* formats() const { return formats_.data(); }

 private:
  void Add(Oid type, const std::string& bytes, int format) {
    types_.push_back(type);
    texts_.push_back(bytes);
    lengths_.push_back(static_cast<int>(bytes.size()));
    formats_.push_back(format);
  }
  std::vector<Oid> types_;
  std::vector<std::string> texts_;
  std::vector<const char*> values_;
  std::vector<int> lengths_;
  std::vector<int> formats_;
};

// A result freed when it goes out of scope.
using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result Exec(PGconn* connection, const SqlStatement& statement) {
  const Parameters p(statement.parameters);
  return Result(PQexecParams(connection, statement.sql.c_str(), p.count(), p.types(), p.values(),
                             p.lengths(), p.formats(), 1),
                &PQclear);
}

bool Succeeded(const Result& result) {
  const ExecStatusType status = PQresultStatus(result.get());
  return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

std::optional<std::vector<SqlRow>> Rows(const Result& result) {
  if (!Succeeded(result)) return std::nullopt;
  std::vector<SqlRow> rows(PQntuples(result.get()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < PQnfields(result.get()); ++c) rows[r].push_back(Column(result.get(), r, c));
  return rows;
}

std::string Message(PGconn* connection) {
  std::string text = PQerrorMessage(connection);
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

class PostgresDatabase final : public Database {
 public:
  PostgresDatabase(std::string url, int connections, PGconn* first)
      : url_(std::move(url)), limit_(std::max(1, connections)), open_(1), idle_{first} {}
  ~PostgresDatabase() override {
    for (PGconn* connection : idle_) PQfinish(connection);
  }
  PostgresDatabase(const PostgresDatabase&) = delete;
  PostgresDatabase& operator=(const PostgresDatabase&) = delete;

  std::optional<std::vector<std::vector<SqlRow>>> Run(
      const std::vector<SqlStatement>& statements) override {
    PGconn* connection = Acquire();
    if (connection == nullptr) return std::nullopt;
    const bool several = statements.size() > 1;
    std::optional<std::vector<std::vector<SqlRow>>> results;
    if (!several || Succeeded(Exec(connection, {"BEGIN", {}}))) {
      results.emplace();
      for (const SqlStatement& statement : statements) {
        std::optional<std::vector<SqlRow>> rows = Rows(Exec(connection, statement));
        if (!rows) {
          results.reset();
          break;
        }
        results->push_back(std::move(*rows));
      }
      if (several && !(results && Succeeded(Exec(connection, {"COMMIT", {}})))) {
        results.reset();
        Exec(connection, {"ROLLBACK", {}});
      }
    }
    Release(connection);
    return results;
  }

  schema::Dialect dialect() const override { return schema::Dialect::Postgres; }

 private:
  // A free connection, a new one while fewer than the limit are open, or
  // the next one given back.
  PGconn* Acquire() {
    std::unique_lock lock(mutex_);
    given_back_.wait(lock, [this] { return !idle_.empty() || open_ < limit_; });
    if (!idle_.empty()) {
      PGconn* connection = idle_.back();
      idle_.pop_back();
      return connection;
    }
    ++open_;
    lock.unlock();
    PGconn* connection = PQconnectdb(url_.c_str());
    if (PQstatus(connection) == CONNECTION_OK) return connection;
    PQfinish(connection);
    lock.lock();
    --open_;
    given_back_.notify_one();
    return nullptr;
  }

  // A connection that broke (the database restarted) is closed; the next
  // call opens a new one.
  void Release(PGconn* connection) {
    const bool usable =
        PQstatus(connection) == CONNECTION_OK && PQtransactionStatus(connection) == PQTRANS_IDLE;
    if (!usable) PQfinish(connection);
    const std::lock_guard lock(mutex_);
    if (usable) {
      idle_.push_back(connection);
    } else {
      --open_;
    }
    given_back_.notify_one();
  }

  const std::string url_;
  const int limit_;
  std::mutex mutex_;
  std::condition_variable given_back_;
  int open_;
  std::vector<PGconn*> idle_;
};

std::optional<std::int64_t> Single(PGconn* connection, const SqlStatement& statement) {
  const std::optional<std::vector<SqlRow>> rows = Rows(Exec(connection, statement));
  if (!rows || rows->empty() || rows->front().empty()) return std::nullopt;
  return AsInteger(rows->front().front());
}

std::vector<std::string> ColumnsOf(PGconn* connection, const std::string& table) {
  std::vector<std::string> columns;
  const std::optional<std::vector<SqlRow>> rows =
      Rows(Exec(connection, {"SELECT column_name::text FROM information_schema.columns "
                             "WHERE table_schema = current_schema() AND table_name = $1",
                             {table}}));
  if (rows)
    for (const SqlRow& row : *rows) columns.push_back(AsText(row.front()));
  return columns;
}

// The same steps as for an SQLite file, inside one transaction that holds
// the schema lock; the version lives in the table schema_version.
std::string CheckSchema(PGconn* c) {
  const std::optional<std::int64_t> hasVersion =
      Single(c, {"SELECT COUNT(*) FROM information_schema.tables "
                 "WHERE table_schema = current_schema() AND table_name = 'schema_version'",
                 {}});
  const std::optional<std::int64_t> tables =
      Single(c, {"SELECT COUNT(*) FROM information_schema.tables "
                 "WHERE table_schema = current_schema()",
                 {}});
  if (!hasVersion || !tables) return Message(c);
  std::int64_t version = 0;
  if (*hasVersion == 1) {
    const std::optional<std::int64_t> stored =
        Single(c, {"SELECT CAST(MIN(version) AS BIGINT) FROM schema_version", {}});
    if (!stored) return "its table schema_version holds no version";
    version = *stored;
  } else if (*tables > 0) {
    return "the database holds tables of another program";
  } else if (!Succeeded(Exec(c, {"CREATE TABLE schema_version (version INTEGER NOT NULL)", {}})) ||
             !Succeeded(Exec(c, {"INSERT INTO schema_version VALUES (0)", {}}))) {
    return "the database cannot be written: " + Message(c);
  }
  if (version < 0)
    return "its schema version " + std::to_string(version) + " is not one this server knows";
  if (version > schema::kVersion)
    return "the database was written by a newer server (schema " + std::to_string(version) + ")";
  for (int to = static_cast<int>(version) + 1; to <= schema::kVersion; ++to)
    for (const std::string& step : schema::Migration(schema::Dialect::Postgres, to))
      if (!Succeeded(Exec(c, {step, {}})))
        return "the schema could not be brought up to date: " + Message(c);
  const std::string missing =
      schema::MissingPiece([c](const std::string& table) { return ColumnsOf(c, table); });
  if (!missing.empty()) return "the database is incomplete: " + missing;
  const std::optional<std::int64_t> allowed =
      Single(c, {"SELECT CAST(has_table_privilege('results', 'SELECT') AND "
                 "has_table_privilege('results', 'INSERT') AND "
                 "has_table_privilege('rank_counts', 'SELECT') AND "
                 "has_table_privilege('rank_counts', 'INSERT') AND "
                 "has_table_privilege('rank_counts', 'UPDATE') AS INTEGER)",
                 {}});
  if (allowed != 1) return "the database's user may not read and write its tables";
  if (!Succeeded(
          Exec(c, {"UPDATE schema_version SET version = $1", {std::int64_t{schema::kVersion}}})))
    return "the database cannot be written: " + Message(c);
  return {};
}

std::string PrepareSchema(PGconn* c) {
  if (!Succeeded(Exec(c, {"BEGIN", {}})) ||
      !Succeeded(Exec(c, {"SELECT pg_advisory_xact_lock($1)", {kSchemaLock}})))
    return Message(c);
  const std::string error = CheckSchema(c);
  if (!error.empty() || !Succeeded(Exec(c, {"COMMIT", {}}))) {
    Exec(c, {"ROLLBACK", {}});
    return error.empty() ? Message(c) : error;
  }
  return {};
}

}  // namespace

std::unique_ptr<Database> OpenPostgresDatabase(const std::string& url, int connections,
                                               std::string& error) {
  PGconn* first = PQconnectdb(url.c_str());
  if (PQstatus(first) != CONNECTION_OK) {
    error = "cannot connect: " + Message(first);
    PQfinish(first);
    return nullptr;
  }
  error = PrepareSchema(first);
  if (!error.empty()) {
    PQfinish(first);
    return nullptr;
  }
  return std::make_unique<PostgresDatabase>(url, connections, first);
}

}  // namespace compare
