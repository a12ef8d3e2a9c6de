// The server's pages: the ranking of one result, the latest results, and a
// short message for refusals and errors. Every text from a record is escaped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/result_store.h"

namespace compare {

// "High", "Medium", "Low" for levels 0, 1, 2; "unknown" otherwise.
std::string LevelName(int level);

struct RankedRow {
  std::int64_t position = 0;  // 1 is the fastest of the level
  StoredResult stored;
};

// `rows` in order of position; a jump in positions shows as a gap row. The
// row whose id is the result's own is highlighted, in the table and chart.
std::string RankingPage(const StoredResult& mine, const Standing& standing,
                        const std::vector<RankedRow>& rows);

// The average FPS of the rows as horizontal bars, inline SVG.
std::string FpsBarChart(const std::vector<RankedRow>& rows, std::int64_t highlightId);

// The newest results first, each linking to its ranking; `level` names the
// level shown, or all levels when empty. The navigation's links stay under
// `sitePrefix` ("", "/de", "/eu" or "/int"); under "/de" the list is German.
std::string LatestPage(const std::vector<StoredResult>& latest, std::optional<int> level,
                       std::string_view sitePrefix = "");

// A page with a heading and one paragraph of plain text.
std::string MessagePage(std::string_view heading, std::string_view text);

}  // namespace compare
