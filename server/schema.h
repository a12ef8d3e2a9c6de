// The database layout both stores keep: the same tables, columns and
// queries, created and migrated by the same numbered steps, each written in
// its database's dialect where the two differ.
//
// A result's position among the results of its level comes from
// rank_counts, which counts results per level and one-FPS-wide bucket: the
// counts of the buckets above its own, plus the faster results within its
// bucket. So placing a result reads a few thousand counts and one bucket's
// rows instead of every faster result.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace compare::schema {

// The layout this server writes. An SQLite file keeps it in user_version, a
// PostgreSQL database in the table schema_version.
inline constexpr int kVersion = 2;

enum class Dialect { Sqlite, Postgres };

// The statements that bring a database from version `to` - 1 to `to`.
std::vector<std::string> Migration(Dialect dialect, int to);

// What a database at kVersion lacks, as a message ("" when nothing):
// `columnsOf` lists a table's columns, none for a missing table.
std::string MissingPiece(
    const std::function<std::vector<std::string>(const std::string&)>& columnsOf);

// The rank_counts bucket of an FPS value.
std::int64_t Bucket(double fps);

// A query below with its parameters ($1, $2, ...) and the bucket of a
// result's FPS written as the dialect has them.
std::string Sql(Dialect dialect, std::string_view query);

// The stored columns, in the order StoredResult is read from.
inline constexpr std::string_view kColumns =
    "id, received, level, fps, mega_tris, width, height, msaa, renderer, gl_version, gl_vendor, "
    "cpu, os, version, record";

// $1 .. $14: the columns after id; gives the new id.
inline constexpr std::string_view kInsert =
    "INSERT INTO results (received, level, fps, mega_tris, width, height, msaa, renderer, "
    "gl_version, gl_vendor, cpu, os, version, record) "
    "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14) RETURNING id";
// $1 level, $2 bucket.
inline constexpr std::string_view kCount =
    "INSERT INTO rank_counts (level, bucket, n) VALUES ($1, $2, 1) "
    "ON CONFLICT (level, bucket) DO UPDATE SET n = rank_counts.n + 1";
// $1 id.
inline constexpr std::string_view kFind = "SELECT {columns} FROM results WHERE id = $1";
// $1 id: position and total, counted in one statement so that both see the
// same rows.
inline constexpr std::string_view kStanding =
    "SELECT CAST(1"
    " + COALESCE((SELECT SUM(n) FROM rank_counts c WHERE c.level = r.level"
    "   AND c.bucket > {bucket}), 0)"
    " + (SELECT COUNT(*) FROM results o WHERE o.level = r.level AND o.fps > r.fps"
    "   AND o.fps < {bucket} + 1)"
    " + (SELECT COUNT(*) FROM results o WHERE o.level = r.level AND o.fps = r.fps"
    "   AND o.id < r.id) AS BIGINT),"
    " CAST(COALESCE((SELECT SUM(n) FROM rank_counts c WHERE c.level = r.level), 0) AS BIGINT)"
    " FROM results r WHERE r.id = $1";
// $1 level, $2 limit: the fastest results.
inline constexpr std::string_view kTop =
    "SELECT {columns} FROM results WHERE level = $1 ORDER BY fps DESC, id LIMIT $2";
// The results right before and right after one, nearest first: those of
// equal FPS by id ($1 level, $2 fps, $3 id, $4 limit), then the faster or
// slower ones ($1 level, $2 fps, $3 limit).
inline constexpr std::string_view kTiesBefore =
    "SELECT {columns} FROM results WHERE level = $1 AND fps = $2 AND id < $3 "
    "ORDER BY id DESC LIMIT $4";
inline constexpr std::string_view kFaster =
    "SELECT {columns} FROM results WHERE level = $1 AND fps > $2 "
    "ORDER BY fps, id DESC LIMIT $3";
inline constexpr std::string_view kTiesAfter =
    "SELECT {columns} FROM results WHERE level = $1 AND fps = $2 AND id > $3 "
    "ORDER BY id LIMIT $4";
inline constexpr std::string_view kSlower =
    "SELECT {columns} FROM results WHERE level = $1 AND fps < $2 "
    "ORDER BY fps DESC, id LIMIT $3";
// $1 limit (and $2 level).
inline constexpr std::string_view kLatest =
    "SELECT {columns} FROM results ORDER BY id DESC LIMIT $1";
inline constexpr std::string_view kLatestOfLevel =
    "SELECT {columns} FROM results WHERE level = $2 ORDER BY id DESC LIMIT $1";

}  // namespace compare::schema
