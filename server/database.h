// The SQL database under the result store, SQLite or PostgreSQL: statements
// with parameters, run in one transaction. Its implementations create and
// migrate the schema (schema.h) when they open.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "server/schema.h"

namespace compare {

// Bytes stored as a binary column rather than as text.
struct SqlBlob {
  std::string bytes;
};
using SqlValue = std::variant<std::int64_t, double, std::string, SqlBlob>;
using SqlRow = std::vector<SqlValue>;

struct SqlStatement {
  std::string sql;  // in the database's dialect (schema::Sql)
  std::vector<SqlValue> parameters;
};

// A column read as the type the store expects, whatever the database gave.
std::int64_t AsInteger(const SqlValue& value);
double AsReal(const SqlValue& value);
std::string AsText(const SqlValue& value);

class Database {
 public:
  virtual ~Database() = default;
  // Runs the statements in one transaction, from any thread; the rows each
  // gave, or nothing when one failed, and then none of them took effect.
  virtual std::optional<std::vector<std::vector<SqlRow>>> Run(
      const std::vector<SqlStatement>& statements) = 0;
  virtual schema::Dialect dialect() const = 0;
};

// Nothing, with `error` saying why, when the database cannot serve.
std::unique_ptr<Database> OpenSqliteDatabase(const std::string& path, std::string& error);
std::unique_ptr<Database> OpenPostgresDatabase(const std::string& url, int connections,
                                               std::string& error);

}  // namespace compare
