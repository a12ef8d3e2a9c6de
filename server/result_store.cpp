#include "server/result_store.h"

#include <algorithm>
#include <utility>

#include "server/schema.h"

namespace compare {
namespace {

bool IsPostgresLocation(std::string_view location) {
  return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

// Texts are cleaned again as they are read: rows stored before the rule
// may hold control characters.
StoredResult ReadRow(const SqlRow& row) {
  StoredResult stored;
  stored.id = AsInteger(row.at(0));
  stored.received = WithoutControls(AsText(row.at(1)));
  SubmittedResult& r = stored.result;
  r.level = static_cast<int>(AsInteger(row.at(2)));
  r.fps = AsReal(row.at(3));
  r.megaTris = AsReal(row.at(4));
  r.width = static_cast<int>(AsInteger(row.at(5)));
  r.height = static_cast<int>(AsInteger(row.at(6)));
  r.msaa = static_cast<int>(AsInteger(row.at(7)));
  r.renderer = WithoutControls(AsText(row.at(8)));
  r.glVersion = WithoutControls(AsText(row.at(9)));
  r.glVendor = WithoutControls(AsText(row.at(10)));
  r.cpu = WithoutControls(AsText(row.at(11)));
  r.os = WithoutControls(AsText(row.at(12)));
  r.version = WithoutControls(AsText(row.at(13)));
  r.record = AsText(row.at(14));
  return stored;
}

}  // namespace

std::unique_ptr<ResultStore> ResultStore::Open(const std::string& location, std::string& error,
                                               int connections) {
  std::unique_ptr<Database> database = IsPostgresLocation(location)
                                           ? OpenPostgresDatabase(location, connections, error)
                                           : OpenSqliteDatabase(location, error);
  if (!database) return nullptr;
  return std::make_unique<ResultStore>(std::move(database));
}

ResultStore::ResultStore(std::unique_ptr<Database> database) : database_(std::move(database)) {}

ResultStore::~ResultStore() = default;

std::vector<StoredResult> ResultStore::Query(std::string_view query,
                                             std::vector<SqlValue> parameters) {
  const auto rows = database_->Run({{Sql(query), std::move(parameters)}});
  std::vector<StoredResult> results;
  if (!rows) return results;
  for (const SqlRow& row : rows->front()) results.push_back(ReadRow(row));
  return results;
}

std::string ResultStore::Sql(std::string_view query) const {
  return schema::Sql(database_->dialect(), query);
}

std::optional<std::int64_t> ResultStore::Add(const SubmittedResult& r, std::string_view received) {
  const std::int64_t level = r.level;
  const auto rows = database_->Run({
      {Sql(schema::kInsert),
       {std::string(received), level, r.fps, r.megaTris, std::int64_t{r.width},
        std::int64_t{r.height}, std::int64_t{r.msaa}, r.renderer, r.glVersion, r.glVendor, r.cpu,
        r.os, r.version, SqlBlob{r.record}}},
      {Sql(schema::kCount), {level, schema::Bucket(r.fps)}},
  });
  if (!rows || rows->front().size() != 1 || rows->front().front().empty()) return std::nullopt;
  return AsInteger(rows->front().front().front());
}

std::optional<StoredResult> ResultStore::Find(std::int64_t id) {
  std::vector<StoredResult> found = Query(schema::kFind, {id});
  if (found.empty()) return std::nullopt;
  return std::move(found.front());
}

std::optional<Standing> ResultStore::StandingOf(std::int64_t id) {
  const auto rows = database_->Run({{Sql(schema::kStanding), {id}}});
  if (!rows || rows->front().empty() || rows->front().front().size() != 2) return std::nullopt;
  const SqlRow& row = rows->front().front();
  return Standing{AsInteger(row[0]), AsInteger(row[1])};
}

std::vector<StoredResult> ResultStore::Top(int level, std::int64_t limit) {
  return Query(schema::kTop, {std::int64_t{level}, limit});
}

std::vector<StoredResult> ResultStore::Around(const StoredResult& mine, std::int64_t before,
                                              std::int64_t after) {
  const std::int64_t level = mine.result.level;
  const double fps = mine.result.fps;
  // Nearest first on either side: equal FPS by id, then the faster (or
  // slower) ones.
  std::vector<StoredResult> above = Query(schema::kTiesBefore, {level, fps, mine.id, before});
  if (static_cast<std::int64_t>(above.size()) < before) {
    std::vector<StoredResult> faster =
        Query(schema::kFaster, {level, fps, before - static_cast<std::int64_t>(above.size())});
    std::move(faster.begin(), faster.end(), std::back_inserter(above));
  }
  std::vector<StoredResult> below = Query(schema::kTiesAfter, {level, fps, mine.id, after});
  if (static_cast<std::int64_t>(below.size()) < after) {
    std::vector<StoredResult> slower =
        Query(schema::kSlower, {level, fps, after - static_cast<std::int64_t>(below.size())});
    std::move(slower.begin(), slower.end(), std::back_inserter(below));
  }
  std::vector<StoredResult> rows(std::make_move_iterator(above.rbegin()),
                                 std::make_move_iterator(above.rend()));
  rows.push_back(mine);
  std::move(below.begin(), below.end(), std::back_inserter(rows));
  return rows;
}

std::vector<StoredResult> ResultStore::Latest(std::optional<int> level, std::int64_t limit) {
  if (level) return Query(schema::kLatestOfLevel, {limit, std::int64_t{*level}});
  return Query(schema::kLatest, {limit});
}

}  // namespace compare
