#include "app/main_loop.h"

#include <GL/glu.h>

#include "app/application.h"
#include "app/main_window.h"
#include "platform/clock.h"
#include "scene/render_passes.h"
#include "scene/scene_state.h"

namespace app {
namespace {

void DrawScene(WindowProcContext& ctx, int passSelector) {
  scene::SceneState& sceneState = scene::Scene();
  scene::PassContext pass;
  pass.camera = &ctx.app.camera;
  pass.viewportWidth = ctx.app.viewportWidth;
  pass.viewportHeight = ctx.app.viewportHeight;
  pass.frameTriangles = &ctx.app.frameTriangles;
  pass.terrainTriangles = &sceneState.terrainTriangles;
  pass.sceneReadyLevel = sceneState.sceneReadyLevel.load(std::memory_order_acquire);
  pass.terrain = &sceneState.terrain;
  pass.terrainProgram = &sceneState.terrainProgram;
  pass.textures = &ctx.app.textureTable;
  pass.detailLevel = sceneState.detailLevel;
  pass.waterHeight = ctx.input.waterHeight;
  pass.globalGamma = ctx.settings.m_global_gama.value;
  scene::RenderPass(scene::PassSelectorFromSetting(passSelector), pass);
}

void LoadingFrame(WindowProcContext& ctx) {
  MeasureFrameTime(ctx.app);
  glViewport(0, 0, ctx.app.viewportWidth, ctx.app.viewportHeight);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  ctx.menu.page = gui::kLoadingPage;
  gui::RequestRedraw(ctx.menu);
  gui::DrawMenuBitmap(ctx.menu);
  if (ctx.app.sceneReady.load(std::memory_order_acquire) != 0) DrawScene(ctx, 1);
  gui::DrawMenuTexture(ctx.menu, ctx.app.viewportWidth, ctx.app.viewportHeight);
  ctx.menu.page = 0;
  ctx.win.mainWindow->SwapBuffers();
  platform::SleepMs(5);
}

// Loading has just finished: show the window and the menu.
void HandOver(WindowProcContext& ctx) {
  ctx.app.loadState.store(2, std::memory_order_relaxed);
  // The loader's last act was handing over; its thread is ending.
  if (ctx.win.loaderThread.joinable()) ctx.win.loaderThread.join();
  ctx.win.mainWindow->MakeCurrent(ctx.win.mainContext);
  // The window stays hidden while loading and is shown once, maximised, here.
  ctx.win.mainWindow->Show(platform::ShowState::Maximized);
  ctx.settings.show_info2.value = 1;
  gui::RequestRedraw(ctx.menu);
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

void MeasureFrameTime(AppState& app) {
  const int64_t now = platform::CounterNow();
  app.frameTimeMs = static_cast<double>(now - app.perfCounterLast) * 1000000.0 /
                    static_cast<double>(app.perfFrequency) * 0.001;
  app.perfCounterLast = now;
}

void RenderFrame(WindowProcContext& ctx) {
  AppState& app = ctx.app;
  scene::AutopilotStep(app.camera, ctx.settings.m_autopilot.value != 0, app.frameTimeMs);
  scene::SceneState& sceneState = scene::Scene();
  sceneState.detailLevel =
      DetailLevelFromRenderType(ctx.settings.render_type.value, sceneState.detailLevel);
  if (ctx.win.pixelFormatPending) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, app.viewportWidth, app.viewportHeight, 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    RecreateContext(ctx.win, app, ctx.settings.limit_fps.value);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    ctx.win.pixelFormatPending = false;
  }
  const bool menuShown = ctx.settings.show_info2.value != 0;
  if (menuShown) gui::DrawMenuBitmap(ctx.menu);
  MeasureFrameTime(app);
  const GLenum fill = ctx.settings.g_bRenderMode.value != 0 ? GL_FILL : GL_LINE;
  glPolygonMode(GL_FRONT_AND_BACK, fill);
  ApplyWaterKeys(ctx);
  bench::PlaybackStep(ctx.player, app.camera);
  app.frameTriangles = 0;
  scene::BeginSceneFrame(sceneState);
  DrawScene(ctx, ctx.settings.mit_wasser.value);
  glViewport(0, 0, app.viewportWidth, app.viewportHeight);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glLineWidth(2.0f);
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (menuShown) gui::DrawMenuTexture(ctx.menu, app.viewportWidth, app.viewportHeight);
  ctx.win.mainWindow->SwapBuffers();
}

int RunMainLoop(WindowProcContext& ctx, bench::FrameStatistics& stats) {
  int exitCode = 0;
  for (;;) {
    platform::Event event;
    if (platform::PollEvent(event)) {
      if (event.type == platform::EventType::Quit) {
        exitCode = event.code;
        break;
      }
      MainWindowProc(ctx, event);
      continue;
    }
    bench::UpdateFrameStatistics(stats, platform::CounterNow(), ctx.app.perfFrequency,
                                 ctx.app.frameTriangles);
    if (stats.updated) {
      ctx.win.mainWindow->SetTitle(
          bench::BuildWindowTitle(stats.framesPerSecond, ProductTitle(), ctx.app.viewportWidth,
                                  ctx.app.viewportHeight, ctx.app.renderer));
    }
    if (ctx.settings.show_info2.value == 0 && !bench::IsPlaying(ctx.player)) {
      scene::PollCameraInput(ctx.app.camera, ctx.input.keyDown,
                             ctx.win.mainWindow->HasKeyboardFocus());
    }
    switch (ctx.app.loadState.load(std::memory_order_acquire)) {
      case 0:
        LoadingFrame(ctx);
        break;
      case 1:
        HandOver(ctx);
        RenderFrame(ctx);
        break;
      default:
        RenderFrame(ctx);
        break;
    }
    if (ctx.app.quitRequested.load(std::memory_order_acquire) != 0) break;
  }
  Shutdown(ctx);
  return exitCode;
}

void Shutdown(WindowProcContext& ctx) {
  platform::SleepMs(10);
  const scene::Camera& camera = ctx.app.camera;
  SaveCameraPose(ctx.store, ctx.settings, camera.position.x, camera.position.y, camera.position.z,
                 camera.yaw, camera.pitch, camera.yaw2);

  WindowState& win = ctx.win;
  if (win.loaderThread.joinable()) win.loaderThread.join();
  if (win.mainWindow) WriteWindowRectIfChanged(ctx.store, ctx.settings, BuildPlacementText(win));
  if (win.mainContext != nullptr) {
    scene::ReleaseSceneGl(scene::Scene());
    ctx.app.textureTable.ReleaseAll();
  }
  platform::ReleaseCurrentContext();
  if (win.mainContext != win.firstContext) platform::DeleteContext(win.firstContext);
  platform::DeleteContext(win.mainContext);
  platform::DeleteContext(win.loaderContext);
  win.mainContext = win.firstContext = win.loaderContext = nullptr;
  if (win.displayModeChanged && win.mainWindow) {
    win.mainWindow->RestoreDisplayMode();
    platform::ShowCursor(true);
  }
  win.loaderWindow.reset();
  win.mainWindow.reset();
}

}  // namespace app
