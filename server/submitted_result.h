// A result as the comparison server receives it: the flattened record's
// key=value pairs and the figures the ranking needs, read from them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace compare {

// The record's pairs in their order. The flattening turned every ":" into
// "=" and every "=" into "-", so a pair's key ends at its first "=" and any
// later "=" in the value was a ":" (a path such as C:\WINDOWS); it is
// given back as ":". Empty pairs are left out.
using RecordFields = std::vector<std::pair<std::string, std::string>>;
RecordFields ParseFlattenedRecord(std::string_view flattened);

// The value of the first pair with this key; nothing when there is none.
std::optional<std::string_view> FindField(const RecordFields& fields, std::string_view key);

// The plausible range of a run's figures; a record outside it is refused.
// The fastest hardware today draws this scene at a few thousand FPS.
inline constexpr double kMaxFps = 100'000.0;
inline constexpr double kMaxMegaTris = 100'000.0;
inline constexpr std::string_view kFpsRefusal =
    "The record's FPS value is not a number from 0 to 100,000.";
inline constexpr std::string_view kMegaTrisRefusal =
    "The record's Mega-Tris value (MGTS) is not a number from 0 to 100,000.";

// `utf8` without control characters (C0 with NUL, DEL, C1): a tab becomes a
// blank, every other one is left out. Every stored text passes here before
// it is stored and again when it is read.
std::string WithoutControls(std::string_view utf8);

// The detail levels a run can have: 0 high, 1 medium, 2 low.
inline constexpr int kLevelCount = 3;
// Stored for a record that names no usable level.
inline constexpr int kUnknownLevel = -1;

struct SubmittedResult {
  int level = kUnknownLevel;
  double fps = 0.0;       // average frames per second
  double megaTris = 0.0;  // highest million triangles per second of the run
  int width = 0;
  int height = 0;
  int msaa = 0;
  // Texts as valid UTF-8 (8-bit text that is not UTF-8 is read as Windows-1252).
  std::string renderer;
  std::string glVersion;
  std::string glVendor;
  std::string cpu;
  std::string os;
  std::string version;
  std::string record;  // the flattened record exactly as it arrived
};

struct ReadResult {
  std::optional<SubmittedResult> result;
  std::string refusal;  // why there is no result, for the answer page
};

// The figures of a flattened record. `addressLevel` is the level the post's
// address names, if any; without it the record's Mode decides. A record is
// refused without an FPS value from 0 to kMaxFps, or with a Mega-Tris value
// (MGTS) outside 0 to kMaxMegaTris; a missing MGTS is 0.
ReadResult ReadSubmittedResult(std::string_view flattened, std::optional<int> addressLevel);

}  // namespace compare
