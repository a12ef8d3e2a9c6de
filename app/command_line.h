// The program's command line. Without arguments the program starts as it
// always has; --benchmark runs one benchmark and ends by itself, for scripts
// and machines without a display.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace app {

// Exit codes of a benchmark start besides 0 (a complete run).
inline constexpr int kExitRunFailed = 1;  // the run could not start or report
inline constexpr int kExitBadCommandLine = 2;
inline constexpr int kExitValidationFailed = 3;  // a reference view differs
inline constexpr int kExitInterrupted = 130;     // Ctrl-C or stopped by the user

inline constexpr int kDefaultBenchmarkWidth = 1024;
inline constexpr int kDefaultBenchmarkHeight = 768;
// Each side of --size lies within these bounds.
inline constexpr int kMinBenchmarkSide = 16;
inline constexpr int kMaxBenchmarkSide = 16384;

// What the command line asks for. Everything but `benchmark` and `validate`
// needs one of them; --validate alone sets `benchmark` too, with `run` off; values left unset keep
// the settings file's choice. None of them is written to the settings file.
struct Options {
  bool benchmark = false;
  bool offscreen = false;
  int width = kDefaultBenchmarkWidth;
  int height = kDefaultBenchmarkHeight;
  std::optional<int> renderType{};         // 0 low, 1 medium, 2 high (render_type)
  std::optional<int> sampleCount{};        // 0, 2, 4, 8 or 16
  std::optional<int> water{};              // the mit_wasser pass: 0 none, 1 full, 2 simple
  std::optional<std::string> jsonPath{};   // "-" for standard output
  std::optional<std::string> uploadUrl{};  // empty: the settings' compare_url
  // Anisotropic filtering of the run's textures: empty for the driver's
  // maximum, otherwise 1 (none) up to 16, capped at the driver's maximum.
  std::optional<int> anisotropy{};
  // The path flown this many times, after one uncounted warm-up lap when
  // asked for.
  int laps = 1;
  bool warmup = false;
  // --validate: the reference views are drawn and compared before anything
  // else; without --benchmark nothing else runs (`run` is false).
  bool validate = false;
  bool run = true;
  // A developer's switch for tests (MG_VALIDATE_WITHOUT_PALMS): the views
  // are drawn without the palms, a frame that must fail.
  bool validateWithoutPalms = false;
};

inline constexpr int kMaxAnisotropyOption = 16;

// "max" or a whole number 1 to 16; empty for anything else. An empty result
// for "max" is told apart by `valid`.
struct AnisotropyChoice {
  bool valid = false;
  std::optional<int> value;  // empty: the driver's maximum
};
AnisotropyChoice ParseAnisotropy(std::string_view text);

struct ParsedCommandLine {
  std::optional<Options> options;  // empty: end at once with exitCode
  int exitCode = 0;
};

// --help and --version print to `out` and end with 0; an unknown, malformed
// or misplaced option prints the reason and the usage to `err` and ends
// with 2.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err);

// "Morvandel.Gauge 2.33": the product name and version the window title shows.
const char* ProductNameAndVersion();
// "2.33".
const char* ProgramVersion();

}  // namespace app
