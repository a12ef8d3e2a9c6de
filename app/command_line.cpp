#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <map>

namespace app {
namespace {

// A side of --size: digits only, within the bounds.
bool ParseSide(std::string_view text, int& side) {
  if (text.empty() || text.size() > 5) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
  return error == std::errc() && end == text.data() + text.size() && side >= kMinBenchmarkSide &&
         side <= kMaxBenchmarkSide;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const std::string_view view(text);
  return ParseSide(view.substr(0, x), width) && ParseSide(view.substr(x + 1), height);
}

std::string SizeError(const std::string& text) {
  int width = 0, height = 0;
  if (ParseSize(text, width, height)) return {};
  return "expected WIDTHxHEIGHT, each side " + std::to_string(kMinBenchmarkSide) + " to " +
         std::to_string(kMaxBenchmarkSide) + ", e.g. 1024x768";
}

}  // namespace

AnisotropyChoice ParseAnisotropy(std::string_view text) {
  if (text == "max") return {true, std::nullopt};
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text.size() > 2 || error != std::errc() || end != text.data() + text.size() ||
      value < 1 || value > kMaxAnisotropyOption) {
    return {};
  }
  return {true, value};
}

const char* ProductNameAndVersion() { return MG_PRODUCT_TITLE; }

const char* ProgramVersion() { return MG_PROGRAM_VERSION; }

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err) {
  CLI::App cli(std::string(ProductNameAndVersion()) +
                   ": an OpenGL benchmark. Without options the interactive program starts.",
               "morvandel-gauge");
  cli.set_version_flag("--version", ProductNameAndVersion());
  cli.failure_message(CLI::FailureMessage::help);
  cli.footer(
      "Every option but --help and --version needs --benchmark or --validate. The run's\n"
      "size, quality, antialiasing, water and anisotropy are not stored; its result is\n"
      "stored as after a run from the menu. A quality left out keeps the stored choice.\n"
      "\n"
      "Exit codes of --benchmark: 0 complete run; 1 the run could not start or its JSON\n"
      "record could not be written or uploaded (a file that cannot be written is found\n"
      "before the run); 2 bad command line; 3 --validate found a reference view drawn\n"
      "differently (after the run, when there was one); 130 interrupted (Ctrl-C, Escape,\n"
      "F1, window closed), and then nothing is written.");

  Options options;
  std::string size, quality, json, anisotropy, upload;
  int samples = 0, water = 1;
  cli.add_flag("--benchmark", options.benchmark,
               "Run the benchmark once loading ends, print the result, quit");
  CLI::Option* offscreen = cli.add_flag("--offscreen", options.offscreen,
                                        "Render without a window or display (for scripts)");
  CLI::Option* sizeOption = cli.add_option("--size", size, "Window size (default 1024x768)")
                                ->type_name("WxH")
                                ->check(CLI::Validator(SizeError, "", "size"));
  CLI::Option* qualityOption =
      cli.add_option("--quality", quality, "Render quality (default: as stored, else medium)")
          ->type_name("low|medium|high")
          ->check(CLI::IsMember({"low", "medium", "high"}).description(""));
  CLI::Option* msaaOption =
      cli.add_option("--msaa", samples, "Antialiasing samples (default 0; unavailable: 0)")
          ->type_name("0|2|4|8|16")
          ->check(CLI::IsMember({0, 2, 4, 8, 16}).description(""));
  CLI::Option* waterOption =
      cli.add_option("--water", water, "Water: 0 none, 1 reflecting, 2 simple (default 1)")
          ->type_name("0|1|2")
          ->check(CLI::IsMember({0, 1, 2}).description(""));
  CLI::Option* jsonOption =
      cli.add_option("--json", json,
                     "Write the result as JSON to FILE, or with - to standard output "
                     "(the result line then goes to standard error)")
          ->type_name("FILE|-")
          ->check(CLI::Validator(
              [](const std::string& text) {
                return text.empty() ? std::string("a file name or - is needed") : std::string();
              },
              "", "json"));

  CLI::Option* uploadOption =
      cli.add_option("--upload", upload,
                     "Send the result to the comparison server at URL (default: compare_url) "
                     "and print the address of its ranking")
          ->type_name("[URL]")
          ->expected(0, 1);
  CLI::Option* anisotropyOption =
      cli.add_option("--anisotropy", anisotropy,
                     "Anisotropic texture filtering: 1 (none) to 16, or max for the driver's "
                     "maximum (default max; on a software renderer 1 is many times faster)")
          ->type_name("N|max")
          ->check(CLI::Validator(
              [](const std::string& text) {
                return ParseAnisotropy(text).valid ? std::string()
                                                   : "expected max or a whole number from 1 to " +
                                                         std::to_string(kMaxAnisotropyOption);
              },
              "", "anisotropy"));

  CLI::Option* lapsOption =
      cli.add_option("--laps", options.laps,
                     "Fly the path N times and report each lap and their spread (default 1)")
          ->type_name("1-20")
          ->check(CLI::Range(1, 20).description(""));
  CLI::Option* warmupOption = cli.add_flag("--warmup", options.warmup,
                                           "Fly one lap before the counted ones and leave it out");

  cli.add_flag("--validate", options.validate,
               "Draw the reference views and compare them with the pictures the program "
               "carries; alone it ends after that (exit 3 when a view differs)");

  try {
    cli.parse(argc, argv);
    if (!options.benchmark && !options.validate) {
      for (const CLI::Option* option :
           {offscreen, sizeOption, qualityOption, msaaOption, waterOption, jsonOption,
            anisotropyOption, lapsOption, warmupOption, uploadOption}) {
        if (option->count() > 0) throw CLI::RequiresError(option->get_name(), "--benchmark");
      }
    }
  } catch (const CLI::ParseError& error) {
    const int code = cli.exit(error, out, err);
    return {std::nullopt, code == 0 ? 0 : kExitBadCommandLine};
  }
  if (!size.empty()) ParseSize(size, options.width, options.height);
  if (!quality.empty()) {
    static const std::map<std::string, int> kRenderTypes{{"low", 0}, {"medium", 1}, {"high", 2}};
    options.renderType = kRenderTypes.at(quality);
  }
  if (msaaOption->count() > 0) options.sampleCount = samples;
  if (waterOption->count() > 0) options.water = water;
  if (jsonOption->count() > 0) options.jsonPath = json;
  if (uploadOption->count() > 0) options.uploadUrl = upload;
  if (anisotropyOption->count() > 0) options.anisotropy = ParseAnisotropy(anisotropy).value;
  if (options.validate && !options.benchmark) {
    options.benchmark = true;
    options.run = false;
    // The reference pictures are drawn without anisotropic filtering; with
    // no run to follow, the views are drawn as they were.
    if (anisotropyOption->count() == 0) options.anisotropy = 1;
  }
  return {options, 0};
}

}  // namespace app
