// The shell's records: the run state shared by start-up, the main loop and
// the loader thread; the window and its GL contexts; and the keyboard and
// water controls. They live in the application record (app/application.h).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "app/wait_animation.h"
#include "platform/wait_window.h"
#include "platform/window.h"
#include "render/primitive_query.h"
#include "render/texture_slots.h"
#include "scene/autopilot.h"
#include "scene/camera.h"

namespace app {

// Moves only forward. The loader stores Loaded with release as its last act;
// the loop loads it with acquire and moves on to Running.
enum class LoadState { Loading, Loaded, Running };

struct AppState {
  std::atomic<LoadState> loadState{LoadState::Loading};
  // Set when the user cancels start-up; ends the loop.
  std::atomic<bool> quitRequested{false};
  bool fullScreen = false;
  int viewportWidth = 1024;
  int viewportHeight = 768;
  // The frame buffer the scene is drawn into while it is not the window
  // (the reference pictures' target); 0 while drawing into the window.
  int targetWidth = 0;
  int targetHeight = 0;
  double frameTimeMs = 50.0;
  int64_t perfCounterLast = 0;
  int64_t perfFrequency = 1;
  // The counter when the program started, for the start-up trace.
  int64_t startCounter = 0;
  int frameTriangles = 0;
  render::TextureSlots textureTable;
  // Set once the terrain is built; the loading frames then draw the scene.
  std::atomic<bool> sceneReady{false};
  // False after a failed shader-extension check: no program is built or used.
  bool shadersAvailable = false;
  std::string renderer;
  // The anisotropic filtering the textures are made with; 0 = none.
  int anisotropy = 0;
  std::string versionText;
  std::string vendorText;
  scene::Camera camera;
  scene::AutopilotState autopilot;
  // A run has ended normally since the program started: the results page
  // offers Compare. Never stored.
  bool freshResult = false;
  // The screenshot command was given; the next frame is saved once drawn.
  bool screenshotPending = false;
};

struct WindowState {
  std::unique_ptr<platform::Window> mainWindow;
  platform::GlContext mainContext;
  // The first context is kept for the whole run: every later context shares
  // its objects.
  platform::GlContext firstContext;
  std::unique_ptr<platform::Window> loaderWindow;
  platform::GlContext loaderContext;
  // Joined at shutdown, so that quitting while assets load never releases a
  // context the loader still uses.
  std::thread loaderThread;
  bool borderless = false;
  platform::Rect savedRect;
  bool active = false;
  bool displayModeChanged = false;
  std::map<int, std::u16string> antialiasChoices;
  int sampleCount = 0;
  std::u16string antialiasLabel = u"Off";
  bool pixelFormatPending = false;
  // The driver refused the last swap interval asked for.
  bool swapIntervalRefused = false;
  // A benchmark start keeps the size it asked for, below the usual minimum
  // window size too.
  bool noMinimumSize = false;
};

using WaitWindowFactory =
    std::function<std::unique_ptr<platform::WaitWindow>(const platform::WaitWindowInfo& info)>;

// The picture window with the progress text that stands in for the main
// window while the program starts. The main thread paints it between its
// other work.
struct WaitWindowState {
  // Empty: the program starts without a wait window.
  WaitWindowFactory create;
  std::unique_ptr<platform::WaitWindow> window;
  WaitAnimation animation;
  int64_t lastStep = 0;  // clock count at the last animation step
  // Events of other windows that came while the wait window was pumped
  // outside the main loop; the loop takes them first.
  std::deque<platform::Event> deferredEvents;
};

// GL's count of the primitives it assembled, asked on a sample of a run's
// frames. A query belongs to the context it was made in: a new context (a
// change of antialiasing) gets a new one.
struct TriangleSampling {
  render::PrimitiveQuery query;
  platform::GlContext context;
};

struct InputState {
  uint8_t keyDown[256] = {};
  scene::CameraBookmarks cameraBookmarks;
  float waterHeight = 131.5f;
  float waterWaveParameter = 0.25f;
};

}  // namespace app
