// The command line of scene-shot, read into a record without touching GL:
//   scene-shot [--pass plain|water|simple] [--detail 0|1|2] [--water H]
//              [--size WxH] [--pose X,Y,Z,YAW,PITCH,YAW2] [--time MS]
//              [--menu PAGE] [--language N] [--result FPS,SECONDS] OUT.png
//   scene-shot --references FOLDER
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "scene/camera.h"
#include "scene/water_relation.h"

namespace shot {

// Largest picture edge: a bigger drawable is more than the driver offers and
// more memory than a picture is worth.
inline constexpr int kMaxEdge = 8192;

struct ShotOptions {
  scene::PassSelector pass = scene::PassSelector::Water;
  int detail = 1;  // terrain detail level: 0 fine ... 2 coarse
  float waterHeight = 131.5f;
  int width = 640;
  int height = 480;
  scene::CVector3 position = scene::kMenuPosePosition;
  scene::CVector3 angles = scene::kMenuPoseAngles;  // yaw, pitch, yaw2
  double timeMs = 0.0;                              // the scene clock: caustics, water scroll, wind
  // The menu drawn over the scene: its page (0 main, 1 language,
  // 2 antialiasing, 3 extras, 5 results); none when unset.
  std::optional<int> menuPage;
  int language = 1;  // the menu's language index (1 English)
  // A run that has just ended, as average frames per second and seconds;
  // the other stored figures are those of the shot.
  std::optional<std::pair<float, float>> result;
  std::string outPath;
  // Every reference view at every quality level, as the program checks a
  // driver against them, written into the folder outPath names.
  bool references = false;
};

struct ShotCommandLine {
  // Set when a picture is to be taken.
  std::optional<ShotOptions> options;
  // Without options: 0 after --help (text is the help), 2 for a bad command
  // line (text is a one-line message).
  int exitCode = 0;
  std::string text;
};

ShotCommandLine ParseShotCommandLine(int argc, const char* const* argv);

// The mit_wasser setting that selects the pass.
int MitWasserForPass(scene::PassSelector pass);

}  // namespace shot
