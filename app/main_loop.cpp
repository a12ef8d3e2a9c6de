#include "app/main_loop.h"

#include <chrono>
#include <cstdio>

#include "app/application.h"
#include "app/benchmark_run.h"
#include "app/benchmark_start.h"
#include "app/main_window.h"
#include "app/screenshot.h"
#include "app/wait_window.h"
#include "app/window_proc.h"
#include "bench/hud.h"
#include "gui/menu_texture.h"
#include "platform/debug_output.h"
#include "platform/memory.h"
#include "scene/camera_controls.h"
#include "scene/pass_times_gl.h"
#include "scene/render_passes.h"
#include "scene/scene_state.h"

namespace app {
namespace {

void DrawScene(Application& ctx, int passSelector) {
  scene::SceneState& sceneState = ctx.scene;
  scene::PassContext pass;
  pass.camera = &ctx.app.camera;
  pass.viewportWidth = ctx.app.viewportWidth;
  pass.viewportHeight = ctx.app.viewportHeight;
  pass.frameWidth = ctx.app.targetWidth;
  pass.frameHeight = ctx.app.targetHeight;
  pass.frameTriangles = &ctx.app.frameTriangles;
  pass.terrainTriangles = &sceneState.terrainTriangles;
  pass.sceneReadyLevel = sceneState.sceneReadyLevel.load(std::memory_order_acquire);
  pass.textures = &ctx.app.textureTable;
  pass.detailLevel = sceneState.detailLevel;
  pass.waterHeight = ctx.input.waterHeight;
  pass.waveParameter = ctx.input.waterWaveParameter;
  pass.globalGamma = ctx.settings.brightness.value;
  pass.frameTimeMs = ctx.app.frameTimeMs;
  pass.times = &sceneState.passTimes;
  ctx.renderer.DrawScene(sceneState, pass, scene::PassSelectorFromSetting(passSelector));
}

double NowMs(platform::Clock& clock) {
  return static_cast<double>(clock.Now()) * 1000.0 / static_cast<double>(clock.Frequency());
}

// The menu's canvas for this frame, uploaded when any pixel changed.
void RefreshMenu(Application& ctx) {
  if (gui::RefreshMenuCanvas(ctx.menu, ctx.app.viewportWidth, ctx.app.viewportHeight,
                             ctx.app.frameTimeMs)) {
    ctx.renderer.UploadMenu(ctx.menu);
  }
}

// Once the terrain exists the loading frames show it behind the loading
// page; the window comes up for that, under the wait window. True when it
// has just been shown.
bool ShowWindowWhileLoading(Application& ctx) {
  platform::Window& window = *ctx.win.mainWindow;
  if (ctx.options.benchmark || window.GetShowState() != platform::ShowState::Hidden) return false;
  window.Show(platform::ShowState::Maximized);
  if (ctx.wait.window) ctx.wait.window->Raise();
  return true;
}

// Events and the wait window's dots are served at once; the loading page is
// drawn only in a window that shows, and paced (app/loading_pacer.h) except
// for the first frame of a window that has just come up.
void LoadingFrame(Application& ctx) {
  ApplyLoadingText(ctx.progress, ctx.menu, ctx.wait, ctx.clock);
  AnimateWaitWindow(ctx.wait, ctx.clock);
  MeasureFrameTime(ctx.app, ctx.clock);
  const bool sceneReady = ctx.app.sceneReady.load(std::memory_order_acquire);
  const bool shownNow = sceneReady && ShowWindowWhileLoading(ctx);
  const double startMs = NowMs(ctx.clock);
  const bool shows = ctx.win.mainWindow->GetShowState() != platform::ShowState::Hidden;
  if (!shownNow && (!shows || !LoadingFrameDue(ctx.loadingPacer, startMs))) {
    ctx.clock.SleepMs(5);
    return;
  }
  const int width = ctx.app.viewportWidth;
  const int height = ctx.app.viewportHeight;
  ctx.renderer.ClearFrame(width, height);
  ctx.menu.page = gui::kLoadingPage;
  gui::RequestRedraw(ctx.menu);
  RefreshMenu(ctx);
  ctx.app.frameTriangles = 0;
  if (sceneReady) DrawScene(ctx, 1);
  ctx.renderer.DrawMenu(ctx.menu, width, height);
  ctx.menu.page = 0;
  ctx.win.mainWindow->SwapBuffers();
  bench::CountPresentedFrame(ctx.stats, ctx.app.frameTriangles);
  LoadingFrameDrawn(ctx.loadingPacer, startMs, NowMs(ctx.clock));
  ctx.clock.SleepMs(5);
}

// Loading has just finished: show the window and the menu.
void HandOver(Application& ctx) {
  ctx.app.loadState.store(LoadState::Running, std::memory_order_relaxed);
  // The loader's last act was handing over; its thread is ending.
  if (ctx.win.loaderThread.joinable()) ctx.win.loaderThread.join();
  ApplyLoadingText(ctx.progress, ctx.menu, ctx.wait, ctx.clock);
  CloseWaitWindow(ctx.wait);
  platform::ReturnFreedMemory();
  ctx.win.mainWindow->MakeCurrent(ctx.win.mainContext);
  // The window shows maximised once the terrain exists, here at the latest;
  // a benchmark start keeps the size it asked for and shows no menu.
  if (ctx.options.benchmark) {
    ctx.win.mainWindow->Show(platform::ShowState::Normal);
    PrepareBenchmarkStart(ctx);
    return;
  }
  ctx.win.mainWindow->Show(platform::ShowState::Maximized);
  ctx.settings.menuShown.value = 1;
  gui::RequestRedraw(ctx.menu);
}

// The per-second statistics of one pass; once a second the highest
// Mega-Tris is kept and the frame rate shown in the window title.
void UpdateStatistics(Application& ctx) {
  const bench::PassFacts pass{bench::TickMs(ctx.clock.Now(), ctx.clock.Frequency()),
                              bench::IsPlaying(ctx.player), ctx.settings.autopilotOn.value != 0};
  if (!bench::UpdateFrameStatistics(ctx.stats, pass, ctx.power)) return;
  bench::NoteMegaTris(ctx.player, static_cast<float>(ctx.stats.megaTris));
  if (ctx.win.mainWindow) {
    ctx.win.mainWindow->SetTitle(bench::BuildWindowTitle(ctx.stats.fps, ProductTitle(),
                                                         ctx.app.viewportWidth,
                                                         ctx.app.viewportHeight, ctx.app.renderer));
  }
}

bench::HudFacts HudFactsOf(const Application& ctx) {
  return {ctx.stats.fps,
          ctx.app.frameTriangles,
          ctx.stats.megaTris,
          bench::IsPlaying(ctx.player),
          ctx.player.pathPositionMs,
          ctx.player.pathDurationMs,
          ctx.settings.autopilotOn.value != 0,
          bench::CountedLap(ctx.player),
          ctx.player.plan.laps};
}

// Reads the answer of an earlier sampled frame when GL has it; a new
// context gets a query of its own first.
void CollectTriangleSample(Application& ctx) {
  TriangleSampling& sampling = ctx.triangleSampling;
  if (sampling.context != ctx.win.mainContext) {
    sampling.query.Forget();
    sampling.context = ctx.win.mainContext;
    sampling.query.Init(render::GlProcLookup());
    ctx.player.triangleCheck.pending.reset();
  }
  if (const std::optional<uint64_t> assembled = sampling.query.Collect())
    bench::NoteAssembled(ctx.player.triangleCheck, *assembled);
}

// Whether GL counts this frame's scene: a sample of the run's counted frames.
bool BeginTriangleSample(Application& ctx) {
  const bench::BenchmarkPlayer& player = ctx.player;
  if (!player.playing || !player.stepCounted ||
      !bench::WantsSample(player.triangleCheck, player.frames)) {
    return false;
  }
  return ctx.triangleSampling.query.Begin();
}

void EndTriangleSample(Application& ctx, bool sampled) {
  if (!sampled) return;
  ctx.triangleSampling.query.End();
  bench::NoteSampled(ctx.player.triangleCheck, ctx.app.frameTriangles);
}

}  // namespace

int DetailLevelFromRenderType(int renderType, int previous) {
  switch (renderType) {
    case 0:
      return 2;
    case 1:
      return 1;
    case 2:
      return 0;
    default:
      return previous;
  }
}

void MeasureFrameTime(AppState& app, platform::Clock& clock) {
  const int64_t now = clock.Now();
  app.frameTimeMs = static_cast<double>(now - app.perfCounterLast) * 1000000.0 /
                    static_cast<double>(app.perfFrequency) * 0.001;
  app.perfCounterLast = now;
}

void DrawSceneFrame(Application& ctx) {
  ctx.app.frameTriangles = 0;
  scene::BeginSceneFrame(ctx.scene);
  DrawScene(ctx, ctx.settings.renderPass.value);
}

void RenderFrame(Application& ctx) {
  AppState& app = ctx.app;
  scene::SceneState& sceneState = ctx.scene;
  if (ctx.settings.autopilotOn.value != 0) {
    const scene::AutopilotTerrain terrain{sceneState.terrain.heightMap, sceneState.terrain.grid};
    scene::AutopilotStep(app.camera, app.autopilot, terrain, app.frameTimeMs,
                         platform::DebugOutput);
  }
  sceneState.detailLevel =
      DetailLevelFromRenderType(ctx.settings.quality.value, sceneState.detailLevel);
  if (ctx.win.pixelFormatPending) {
    ctx.renderer.PushScreenMatrices(app.viewportWidth, app.viewportHeight);
    RecreateContext(ctx.windows, ctx.win, app, ctx.renderer, ctx.settings.waitForRefresh.value);
    ctx.renderer.PopScreenMatrices();
    ctx.win.pixelFormatPending = false;
  }
  // The last frame's triangles: the count starts again with the scene below.
  const bool showInfo = ctx.settings.hudShown.value != 0;
  scene::PassTimes* times = &sceneState.passTimes;
  scene::BeginPassTimes(times);
  if (bench::TakeHudRebuild(ctx.stats, showInfo))
    ctx.renderer.BuildHud(ctx.hud, HudFactsOf(ctx), app.textureTable);
  scene::MarkPass(times, scene::PassStage::Hud);
  const bool menuShown = ctx.settings.menuShown.value != 0;
  if (menuShown) RefreshMenu(ctx);
  scene::MarkPass(times, scene::PassStage::Menu);
  MeasureFrameTime(app, ctx.clock);
  ctx.renderer.SetPolygonFill(ctx.settings.filledPolygons.value != 0);
  ApplyWaterKeys(ctx.input, ctx.settings, ctx.store);
  CollectTriangleSample(ctx);
  PlaybackFrame(ctx);
  const bool sampled = BeginTriangleSample(ctx);
  DrawSceneFrame(ctx);
  EndTriangleSample(ctx, sampled);
  ctx.renderer.PrepareOverlays(app.viewportWidth, app.viewportHeight);
  if (menuShown) ctx.renderer.DrawMenu(ctx.menu, app.viewportWidth, app.viewportHeight);
  scene::MarkPass(times, scene::PassStage::Menu);
  ctx.renderer.DrawHud(ctx.hud, app.textureTable, app.viewportHeight, showInfo);
  scene::MarkPass(times, scene::PassStage::Hud);
  if (times->enabled) {
    std::fprintf(stderr, "%s\n",
                 scene::FormatPassTimes(*times, std::chrono::steady_clock::now()).c_str());
  }
  // The frame is complete and still in the back buffer.
  if (app.screenshotPending) TakeScreenshot(app);
  ctx.win.mainWindow->SwapBuffers();
  bench::CountPresentedFrame(ctx.stats, app.frameTriangles);
  bench::NoteFrameTriangles(ctx.player, app.frameTriangles);
}

int RunMainLoop(Application& ctx) {
  int exitCode = 0;
  ctx.scene.passTimes.enabled = ctx.developer.passTimes;
  for (;;) {
    platform::Event event;
    if (NextEvent(ctx.wait, ctx.windows, event)) {
      if (HandleWaitWindowEvent(ctx, event)) continue;
      if (event.type == platform::EventType::Quit) {
        exitCode = event.code;
        break;
      }
      if (!FilterBenchmarkEvent(ctx, event)) MainWindowProc(ctx, event);
      continue;
    }
    UpdateStatistics(ctx);
    if (ctx.settings.menuShown.value == 0 && !bench::IsPlaying(ctx.player)) {
      const bool focused = ctx.win.mainWindow && ctx.win.mainWindow->HasKeyboardFocus();
      scene::PollCameraInput(ctx.app.camera, ctx.windows, ctx.input.keyDown, focused,
                             ctx.app.frameTimeMs);
    }
    switch (ctx.app.loadState.load(std::memory_order_acquire)) {
      case LoadState::Loading:
        LoadingFrame(ctx);
        break;
      case LoadState::Loaded:
        HandOver(ctx);
        RenderFrame(ctx);
        TraceStep("first frame, since the start",
                  static_cast<double>(ctx.clock.Now() - ctx.app.startCounter) * 1000.0 /
                      static_cast<double>(ctx.app.perfFrequency));
        break;
      case LoadState::Running:
        RenderFrame(ctx);
        break;
    }
    if (ctx.app.quitRequested.load(std::memory_order_acquire)) break;
    if (BenchmarkStartStep(ctx)) break;
  }
  Shutdown(ctx);
  return ctx.options.benchmark ? FinishBenchmarkStart(ctx) : exitCode;
}

void Shutdown(Application& ctx) {
  // A short pause before anything is released, as the program always made.
  ctx.clock.SleepMs(10);
  WindowState& win = ctx.win;
  // Nothing is released while the loader may still use its context.
  if (win.loaderThread.joinable()) win.loaderThread.join();
  // A benchmark start leaves the user's pose and window placement alone.
  if (!ctx.options.benchmark) {
    StoreWaterHeight(ctx.input, ctx.settings, ctx.store);
    const scene::Camera& camera = ctx.app.camera;
    SaveCameraPose(ctx.store, ctx.settings, camera.position.x, camera.position.y, camera.position.z,
                   camera.yaw, camera.pitch, camera.yaw2);
    if (win.mainWindow)
      WriteWindowRectIfChanged(ctx.store, ctx.settings, BuildPlacementText(*win.mainWindow));
  }
  if (win.mainContext) {
    if (ctx.triangleSampling.context == win.mainContext) ctx.triangleSampling.query.Release();
    scene::ReleaseSceneGl(ctx.scene);
    bench::ReleaseHud(ctx.hud);
    ctx.app.textureTable.ReleaseAll();
    gui::DeleteMenuTexture(ctx.menu);
  }
  ReleaseContexts(ctx.windows, win);
  if (win.displayModeChanged && win.mainWindow) {
    win.mainWindow->RestoreDisplayMode();
    ctx.windows.ShowCursor(true);
  }
  win.loaderWindow.reset();
  win.mainWindow.reset();
}

}  // namespace app
