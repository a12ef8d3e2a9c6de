// The application's process-wide records: the run state shared by start-up,
// the main loop and the loader thread; the window and its GL contexts; and
// the keyboard and water controls.
#pragma once

#include <GL/gl.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "platform/window.h"
#include "render/texture_slots.h"
#include "scene/camera.h"

namespace app {

struct AppState {
  // 0 = assets loading, 1 = loaded and not yet shown, 2 = running. The loader
  // thread stores 1 with release as its last act; the loop loads with acquire.
  std::atomic<int> loadState{0};
  // Set when the user cancels start-up; ends the loop.
  std::atomic<int> quitRequested{0};
  bool fullScreen = false;
  int viewportWidth = 1024;
  int viewportHeight = 768;
  double frameTimeMs = 50.0;
  int64_t perfCounterLast = 0;
  int64_t perfFrequency = 1;
  int frameTriangles = 0;
  render::TextureSlots textureTable;
  // Set once the terrain is built; the loading frames then draw the scene.
  std::atomic<int> sceneReady{0};
  // False after a failed shader-extension check: no program is built or used.
  bool shadersAvailable = false;
  std::string renderer;
  std::string versionText;
  scene::Camera camera;
};

struct WindowState {
  std::unique_ptr<platform::Window> mainWindow;
  platform::GlContext mainContext = nullptr;
  // The first context is kept for the whole run: every later context shares
  // its objects.
  platform::GlContext firstContext = nullptr;
  std::unique_ptr<platform::Window> loaderWindow;
  platform::GlContext loaderContext = nullptr;
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
};

struct Bookmark {
  scene::CVector3 position;
  scene::CVector3 angles;
  int marker = 0;  // 64069 when the bookmark is set
};

inline constexpr int kBookmarkSet = 64069;

struct InputState {
  uint8_t keyDown[256] = {};
  std::map<std::u16string, Bookmark> cameraBookmarks;
  float waterHeight = 131.5f;
  float waterWaveParameter = 0.25f;
};

AppState& App();
WindowState& Win();
InputState& Input();

}  // namespace app
