#include "tools/scene-shot/shot_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace shot {
namespace {

// The whole text as a finite number, in the same notation in every locale.
template <typename T>
bool ParseFinite(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && stop == end && std::isfinite(value);
}

bool ParseSize(std::string_view text, int& width, int& height) {
  const size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  const std::string_view w = text.substr(0, x);
  const std::string_view h = text.substr(x + 1);
  const auto whole = [](std::string_view part, int& value) {
    const char* end = part.data() + part.size();
    const auto [stop, ec] = std::from_chars(part.data(), end, value);
    return !part.empty() && part.front() != '-' && ec == std::errc() && stop == end;
  };
  return whole(w, width) && whole(h, height) && width >= 1 && height >= 1 && width <= kMaxEdge &&
         height <= kMaxEdge;
}

bool ParsePose(std::string_view text, scene::CVector3& position, scene::CVector3& angles) {
  std::vector<float> numbers;
  for (;;) {
    const size_t comma = text.find(',');
    float value = 0.0f;
    if (!ParseFinite(text.substr(0, comma), value)) return false;
    numbers.push_back(value);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (numbers.size() != 6) return false;
  position = {numbers[0], numbers[1], numbers[2]};
  angles = {numbers[3], numbers[4], numbers[5]};
  return true;
}

ShotCommandLine Refuse(std::string message) {
  ShotCommandLine result;
  result.exitCode = 2;
  result.text = std::move(message);
  return result;
}

}  // namespace

int MitWasserForPass(scene::PassSelector pass) {
  switch (pass) {
    case scene::PassSelector::Plain:
      return 0;
    case scene::PassSelector::Water:
      return 1;
    case scene::PassSelector::SimpleWater:
      return 2;
  }
  return 1;
}

ShotCommandLine ParseShotCommandLine(int argc, const char* const* argv) {
  CLI::App cli("Renders one frame of the scene off-screen and writes it as a PNG.", "scene-shot");
  std::string pass = "water";
  int detail = 1;
  std::string water, size, pose, time, result, out;
  int menuPage = 0, language = 1;
  cli.add_option("--pass", pass, "render pass (default water)")
      ->check(CLI::IsMember({"plain", "water", "simple"}));
  cli.add_option("--detail", detail, "terrain detail: 0 fine ... 2 coarse (default 1)")
      ->check(CLI::Range(0, 2));
  const CLI::Option* waterGiven =
      cli.add_option("--water", water, "water height H (default 131.5)");
  const CLI::Option* sizeGiven =
      cli.add_option("--size", size, "picture size WxH (default 640x480)");
  const CLI::Option* poseGiven =
      cli.add_option("--pose", pose, "camera X,Y,Z,YAW,PITCH,YAW2 (default the menu pose)");
  const CLI::Option* timeGiven =
      cli.add_option("--time", time, "scene clock in milliseconds (default 0)");
  const CLI::Option* menuGiven =
      cli.add_option("--menu", menuPage,
                     "draw the menu page over the scene: 0 main, 1 language, "
                     "2 antialiasing, 3 extras, 5 results")
          ->check(CLI::IsMember({0, 1, 2, 3, 5}));
  cli.add_option("--language", language, "the menu's language index (default 1, English)")
      ->check(CLI::Range(0, 63));
  const CLI::Option* resultGiven =
      cli.add_option("--result", result, "a finished run: FPS,SECONDS (default none)");
  bool references = false;
  cli.add_flag("--references", references,
               "draw every reference view at every quality level into the folder OUT "
               "(the program's --validate compares with them)");
  cli.add_option("OUT.png", out, "the picture to write (with --references: a folder)")->required();
  try {
    cli.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return {std::nullopt, 0, cli.help()};
  } catch (const CLI::ParseError& e) {
    return Refuse(e.what());
  }

  ShotOptions options;
  options.pass = pass == "plain"    ? scene::PassSelector::Plain
                 : pass == "simple" ? scene::PassSelector::SimpleWater
                                    : scene::PassSelector::Water;
  options.detail = detail;
  options.outPath = out;
  options.references = references;
  if (waterGiven->count() > 0 && !ParseFinite(std::string_view(water), options.waterHeight))
    return Refuse("--water: not a number: " + water);
  if (sizeGiven->count() > 0 && !ParseSize(size, options.width, options.height))
    return Refuse("--size: expected WxH with 1 to " + std::to_string(kMaxEdge) +
                  " pixels each: " + size);
  if (poseGiven->count() > 0 && !ParsePose(pose, options.position, options.angles))
    return Refuse("--pose: expected six numbers X,Y,Z,YAW,PITCH,YAW2: " + pose);
  if (timeGiven->count() > 0 &&
      (!ParseFinite(std::string_view(time), options.timeMs) || options.timeMs < 0))
    return Refuse("--time: expected milliseconds, 0 or more: " + time);
  if (menuGiven->count() > 0) options.menuPage = menuPage;
  options.language = language;
  if (resultGiven->count() > 0) {
    const size_t comma = result.find(',');
    float fps = 0.0f, seconds = 0.0f;
    if (comma == std::string::npos ||
        !ParseFinite(std::string_view(result).substr(0, comma), fps) ||
        !ParseFinite(std::string_view(result).substr(comma + 1), seconds))
      return Refuse("--result: expected FPS,SECONDS: " + result);
    options.result = std::make_pair(fps, seconds);
  }
  return {std::move(options), 0, {}};
}

}  // namespace shot
