// The application record and the program from start to exit.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/benchmark_start.h"
#include "app/command_line.h"
#include "app/developer_switches.h"
#include "app/loading_pacer.h"
#include "app/loading_progress.h"
#include "app/renderer.h"
#include "app/settings/app_settings.h"
#include "app/settings/settings_store.h"
#include "bench/benchmark_player.h"
#include "bench/frame_statistics.h"
#include "bench/hud.h"
#include "gui/menu_overlay.h"
#include "platform/audio.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/power.h"
#include "platform/system_info.h"
#include "platform/window.h"
#include "render/primitive_query.h"
#include "scene/scene_state.h"
#include "sound/interface_sounds.h"

namespace app {

// Everything the program keeps while it runs. One instance, owned by the
// entry function and passed down; tests build their own over a recording
// window system, a scripted clock, a recording power service, a recording
// audio output and a recording renderer.
struct Application {
  Application(platform::WindowSystem& windowSystem, platform::Clock& systemClock,
              platform::Power& powerService, platform::AudioOutput& audioOutput,
              Renderer& frameRenderer, Options commandLine = {})
      : windows(windowSystem),
        clock(systemClock),
        power(powerService),
        audio(audioOutput),
        renderer(frameRenderer),
        options(std::move(commandLine)) {}
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  platform::WindowSystem& windows;
  platform::Clock& clock;
  platform::Power& power;
  platform::AudioOutput& audio;
  Renderer& renderer;
  const Options options;
  DeveloperSwitches developer;  // read once by the entry function
  BenchmarkStart start;
  AppState app;
  WindowState win;
  InputState input;
  SettingsStore store;
  AppSettings settings;
  gui::MenuOverlay menu;
  bench::BenchmarkPlayer player;
  bench::FrameStatistics stats;
  TriangleSampling triangleSampling;
  bench::Hud hud;
  scene::SceneState scene;
  sound::SoundEffects sounds;
  LoadingProgress progress;
  LoadingPacer loadingPacer;
  WaitWindowState wait;
};

// The platform's pieces the menu uses besides the window system, picked by
// the entry function like the services above.
struct PlatformPieces {
  std::function<std::unique_ptr<platform::Canvas>(int width, int height)> createCanvas;
  platform::SystemInfo& system;  // outlives the run
};

// Returns the exit code: 1 when the start fails (no string archive, no
// display, no main window or GL context, a GL feature missing; the user is
// told what is missing), otherwise the quit message's code. A benchmark start
// returns its own codes (app/command_line.h): 1 for every failure.
int RunApplication(Application& application, const PlatformPieces& pieces);

// Product name and version, as the window title shows it.
std::string ProductTitle();

}  // namespace app
