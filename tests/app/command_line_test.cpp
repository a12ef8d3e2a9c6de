// The command line as a table of argument vectors: what each start asks
// for, what it prints where, and its exit code.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

struct Parsed {
  app::ParsedCommandLine result;
  std::string out{};
  std::string err{};
};

Parsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "morvandel-gauge");
  std::ostringstream out, err;
  Parsed parsed{app::ParseCommandLine(static_cast<int>(args.size()), args.data(), out, err)};
  parsed.out = out.str();
  parsed.err = err.str();
  return parsed;
}

TEST(CommandLineTest, HelpAndVersionPrintToStandardOutputAndEndWithZero) {
  const Parsed help = Parse({"--help"});
  EXPECT_FALSE(help.result.options);
  EXPECT_EQ(help.result.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: morvandel-gauge"), std::string::npos);
  EXPECT_NE(help.out.find("--benchmark"), std::string::npos);
  EXPECT_NE(help.out.find("default 1024x768"), std::string::npos);
  EXPECT_EQ(help.err, "");

  const Parsed version = Parse({"--version"});
  EXPECT_FALSE(version.result.options);
  EXPECT_EQ(version.result.exitCode, 0);
  EXPECT_EQ(version.out, "Morvandel.Gauge 2.33\n");
  EXPECT_EQ(version.err, "");
}

TEST(CommandLineTest, StartsAskForWhatTheyName) {
  const struct {
    std::vector<const char*> args;
    app::Options expected;
  } cases[] = {
      {{}, {}},
      {{"--benchmark"}, {.benchmark = true}},
      {{"--benchmark", "--offscreen", "--size", "160x120", "--quality", "low", "--msaa", "4",
        "--water", "0", "--json", "run.json"},
       {true, true, 160, 120, 0, 4, 0, "run.json"}},
      {{"--size=16x16384", "--benchmark", "--quality=high", "--json", "-", "--msaa", "0"},
       {.benchmark = true,
        .width = 16,
        .height = 16384,
        .renderType = 2,
        .sampleCount = 0,
        .jsonPath = "-"}},
      {{"--benchmark", "--quality", "medium", "--water", "2", "--msaa", "16"},
       {.benchmark = true, .renderType = 1, .sampleCount = 16, .water = 2}},
      {{"--benchmark", "--anisotropy", "1"}, {.benchmark = true, .anisotropy = 1}},
      {{"--benchmark", "--anisotropy=16"}, {.benchmark = true, .anisotropy = 16}},
      // The driver's maximum, as when the option is left out.
      {{"--benchmark", "--anisotropy", "max"}, {.benchmark = true}},
      {{"--benchmark", "--laps", "20", "--warmup"},
       {.benchmark = true, .laps = 20, .warmup = true}},
  };
  for (const auto& c : cases) {
    const Parsed parsed = Parse(c.args);
    SCOPED_TRACE(parsed.err);
    ASSERT_TRUE(parsed.result.options);
    const app::Options& o = *parsed.result.options;
    const app::Options& e = c.expected;
    EXPECT_EQ(o.benchmark, e.benchmark);
    EXPECT_EQ(o.offscreen, e.offscreen);
    EXPECT_EQ(o.width, e.width);
    EXPECT_EQ(o.height, e.height);
    EXPECT_EQ(o.renderType, e.renderType);
    EXPECT_EQ(o.sampleCount, e.sampleCount);
    EXPECT_EQ(o.water, e.water);
    EXPECT_EQ(o.jsonPath, e.jsonPath);
    EXPECT_EQ(o.anisotropy, e.anisotropy);
    EXPECT_EQ(o.laps, e.laps);
    EXPECT_EQ(o.warmup, e.warmup);
    EXPECT_EQ(parsed.out + parsed.err, "");
  }
}

TEST(CommandLineTest, BadOrMisplacedOptionsPrintUsageToStandardErrorAndEndWithTwo) {
  const struct {
    std::vector<const char*> args;
    const char* reason;  // part of the message
  } cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"--benchmark", "extra"}, "extra"},
      {{"--benchmark", "--size"}, "--size"},
      {{"--benchmark", "--size", "160"}, "WIDTHxHEIGHT"},
      {{"--benchmark", "--size", "15x120"}, "16 to 16384"},
      {{"--benchmark", "--size", "160x16385"}, "16 to 16384"},
      {{"--benchmark", "--size", "0x0"}, "WIDTHxHEIGHT"},
      {{"--benchmark", "--size", "-160x120"}, "WIDTHxHEIGHT"},
      {{"--benchmark", "--size", "+160x120"}, "WIDTHxHEIGHT"},
      {{"--benchmark", "--size", "160x120x2"}, "WIDTHxHEIGHT"},
      {{"--benchmark", "--size", "99999999999x1"}, "WIDTHxHEIGHT"},
      {{"--benchmark", "--quality", "ultra"}, "ultra"},
      {{"--benchmark", "--quality", "LOW "}, "--quality"},
      {{"--benchmark", "--msaa", "3"}, "--msaa"},
      {{"--benchmark", "--msaa", "4x"}, "--msaa"},
      {{"--benchmark", "--water", "3"}, "--water"},
      {{"--benchmark", "--json", ""}, "--json"},
      {{"--benchmark", "--anisotropy", "0"}, "1 to 16"},
      {{"--benchmark", "--anisotropy", "17"}, "1 to 16"},
      {{"--benchmark", "--anisotropy", "MAX"}, "1 to 16"},
      {{"--benchmark", "--anisotropy", "4x"}, "1 to 16"},
      {{"--benchmark", "--anisotropy", "+4"}, "1 to 16"},
      {{"--anisotropy", "1"}, "--anisotropy requires --benchmark"},
      {{"--benchmark", "--laps", "0"}, "--laps"},
      {{"--benchmark", "--laps", "21"}, "--laps"},
      {{"--laps", "3"}, "--laps requires --benchmark"},
      {{"--warmup"}, "--warmup requires --benchmark"},
      // Without --benchmark they would change nothing: refused, not ignored.
      {{"--size", "160x120"}, "--size requires --benchmark"},
      {{"--offscreen"}, "--offscreen requires --benchmark"},
      {{"--json", "-"}, "--json requires --benchmark"},
  };
  for (const auto& c : cases) {
    const Parsed parsed = Parse(c.args);
    SCOPED_TRACE(c.reason);
    EXPECT_FALSE(parsed.result.options);
    EXPECT_EQ(parsed.result.exitCode, app::kExitBadCommandLine);
    EXPECT_EQ(parsed.out, "");
    EXPECT_NE(parsed.err.find(c.reason), std::string::npos) << parsed.err;
    EXPECT_NE(parsed.err.find("Usage: morvandel-gauge"), std::string::npos);
  }
}

}  // namespace
