#include "app/scene_setup.h"

#include <chrono>
#include <string>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/start_failure.h"
#include "app/wait_window.h"
#include "bench/embedded_path.h"
#include "bench/hud.h"
#include "bench/run_report.h"
#include "lang/language.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "render/gl_entry_points.h"
#include "render/textures.h"
#include "scene/render_passes.h"
#include "scene/scene_objects.h"
#include "scene/scene_state.h"
#include "scene/sky_box.h"
#include "scene/water.h"
#include "sound/interface_sounds.h"

namespace app {
namespace {

void LoaderThreadMain(AppState& app, platform::WindowSystem& windows, platform::Window& window,
                      platform::GlContext context, const std::function<void()>& load) {
  window.MakeCurrent(context);
  load();
  windows.ReleaseCurrentContext();
  app.loadState.store(LoadState::Loaded, std::memory_order_release);
}

// Times the steps of start-up for the developer's trace.
class StepClock {
 public:
  void Done(std::string_view step) {
    const auto now = std::chrono::steady_clock::now();
    TraceStep(step, std::chrono::duration<double, std::milli>(now - last_).count());
    last_ = now;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// The first progress text, "Please wait" in the user's language.
constexpr int kPleaseWait = 58;

std::u16string ArchiveText(int id) {
  const char16_t* text = lang::GetString(id);
  return std::u16string(text != nullptr ? text : u"");
}

// Tells the user what is missing and ends the program with the failure's
// status: the quit message ends the loop before any frame.
bool Fail(Application& ctx, StartFailure failure, std::string_view detail = {}) {
  ReportStartFailure(failure, lang::UiLanguage(), detail);
  ctx.windows.PostQuit(kExitStartFailed);
  return false;
}

// On the main thread a text is shown at once: no loop is running yet.
void ShowLoadingTextNow(Application& ctx, std::u16string_view text) {
  ShowLoadingText(ctx.progress, text);
  ApplyLoadingText(ctx.progress, ctx.menu, ctx.wait, ctx.clock);
  PumpWaitWindow(ctx);
}

}  // namespace

bool InitGlScene(Application& ctx) {
  AppState& app = ctx.app;
  WindowState& win = ctx.win;
  StepClock steps;
  // Each step ends with the time it took; the wait window moves on between.
  const auto done = [&ctx, &steps](std::string_view step) {
    steps.Done(step);
    PumpWaitWindow(ctx);
  };
  int width = 0, height = 0;
  win.mainWindow->GetClientSize(width, height);
  if (!CreateInitialContext(ctx.windows, win, app, ctx.renderer, width, height)) return false;
  done("context");

  render::GlEntryPoints& gl = render::Gl();
  render::LoadBufferObjectEntryPoints(gl, render::GlProcLookup());
  gl.maxAnisotropy = render::ChooseAnisotropy(
      gl.maxAnisotropy, ctx.options.anisotropy,
      ctx.developer.maxAnisotropy ? ctx.developer.maxAnisotropy->c_str() : nullptr);
  app.anisotropy = gl.maxAnisotropy;
  render::LoadMultitextureEntryPoints(gl, render::GlProcLookup());
  ReadSceneSettings(ctx.store, ctx.settings);
  scene::SceneState& sceneState = ctx.scene;
  // The loading frames draw at the level the running frames use.
  sceneState.detailLevel =
      DetailLevelFromRenderType(ctx.settings.quality.value, sceneState.detailLevel);
  ctx.win.swapIntervalRefused = !ctx.windows.SetSwapInterval(ctx.settings.waitForRefresh.value);
  if (!render::CheckMultitexture(gl)) return Fail(ctx, StartFailure::Multitexture);
  sound::CreateInterfaceSounds(ctx.audio, ctx.sounds);
  done("entry points, settings, sounds");

  ctx.renderer.EnableSceneDefaults();

  ShowLoadingTextNow(ctx, ArchiveText(kPleaseWait));
  ShowLoadingTextNow(ctx, u"OpenGL Test");

  render::GlDescription described = ctx.renderer.Describe();
  const std::string_view extensions = described.extensions;
  const std::string_view missing = render::MissingShaderExtension(extensions);
  if (!missing.empty()) return Fail(ctx, StartFailure::GlExtension, missing);
  app.shadersAvailable = render::CheckShaderExtensions(gl, render::GlProcLookup(), extensions);
  // The HUD's font, and the texture its text is copied into once a second.
  bench::CreateHud(ctx.hud, app.textureTable);
  done("shader check, HUD");

  app.renderer = std::move(described.renderer);
  app.versionText = std::move(described.version);
  app.vendorText = std::move(described.vendor);

  // A first pose the stored camera keys are read over; the menu pose below
  // replaces it, because the menu is what shows first.
  scene::SetPose(app.camera, scene::kInitialPosePosition, scene::kInitialPoseAngles);
  ReadCameraSettings(ctx.store, ctx.settings);
  const AppSettings& s = ctx.settings;
  ctx.input.waterHeight = s.waterHeight.value;
  ctx.renderer.SetPolygonFill(s.filledPolygons.value != 0);
  scene::SetPose(app.camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);

  // The water pass's reflection: the frame is copied into it every frame.
  render::CreateEmptyClampedTexture(app.textureTable, scene::kReflectionSize, GL_RGB, GL_RGB,
                                    render::TextureSlots::kWaterReflection);

  const bench::PathLoadResult path = bench::LoadEmbeddedBenchmarkPath(ctx.player);
  // For tests only: a run over the first N keyframes takes seconds, not a minute.
  bench::KeepFirstKeyframes(ctx.player.keyframes, ctx.developer.pathKeyframes);
  if (!path.error.empty()) {
    platform::ShowMessageBox(platform::Utf8ToUtf16(path.error), u"Error",
                             platform::MessageIcon::Information);
  }
  done("camera, benchmark path");

  if (app.shadersAvailable) {
    scene::BuildWaterProgram(sceneState.waterProgram);
    scene::BuildTerrainProgram(sceneState.terrainProgram);
    scene::BuildSimpleProgram(sceneState.simpleProgram);
    scene::BuildObjectPrograms(sceneState.objects);
  }
  done("shader programs");
  sceneState.drawGrass = s.drawGrass.value != 0;
  sceneState.drawPalms = s.drawPalms.value != 0;
  sceneState.renderObjects = s.drawObjects.value != 0;
  sceneState.filledPolygons = s.filledPolygons.value != 0;
  scene::LoadTerrainTextures(sceneState.terrain, app.textureTable);
  // Programs stay unbound until a pass uses them.
  ctx.renderer.UnbindProgram();
  done("terrain textures");
  return true;
}

void LoadSceneAssets(AppState& app, scene::SceneState& sceneState, LoadingProgress& progress,
                     Renderer& renderer) {
  StepClock steps;
  const auto text = ArchiveText;
  render::LoadCausticSequence(sceneState.causticFrames, app.textureTable,
                              render::TextureSlots::kFirstCausticFrame);
  scene::LoadSkyFaces(app.textureTable);
  scene::LoadWaterMaps(app.textureTable);
  steps.Done("caustics, sky, water maps");

  ShowLoadingText(progress, text(53));
  scene::BuildTerrain(sceneState.terrain, 1.0f, app.textureTable);
  // The main thread's context draws the terrain from here on: it must be
  // complete before it is told so.
  renderer.FinishCommands();
  sceneState.sceneReadyLevel.store(1, std::memory_order_release);
  app.sceneReady.store(true, std::memory_order_release);
  steps.Done("terrain");

  ShowLoadingText(progress, text(54));
  scene::LoadObjectModels(sceneState.objects);
  steps.Done("models");

  const std::u16string preparing = text(55);
  ShowLoadingText(progress, preparing);
  scene::ScenePlacement placed;
  for (int step = 1; step <= scene::kPlaceObjectSteps; ++step) {
    ShowLoadingText(progress, preparing + u": " + platform::Ascii(std::to_string(step)) + u"/" +
                                  platform::Ascii(std::to_string(scene::kPlaceObjectSteps)));
    scene::PlaceObjectsStep(sceneState.objects, sceneState.terrain, placed, step);
    steps.Done("objects " + std::to_string(step) + "/" + std::to_string(scene::kPlaceObjectSteps));
  }
  // Objects made here are used by the main thread's context: they must be
  // complete before it is told so.
  renderer.FinishCommands();
  sceneState.sceneReadyLevel.store(3, std::memory_order_release);
  ShowLoadingText(progress, text(37) + u"--- OK ---");
}

void StartAssetLoading(Application& ctx, std::function<void()> load) {
  AppState& app = ctx.app;
  WindowState& win = ctx.win;
  // The loader's context lives on a hidden window of its own: a context can
  // be current on one thread only, and the main thread keeps the main window.
  platform::WindowCreateInfo info;
  info.clientWidth = 1;
  info.clientHeight = 1;
  info.decorated = false;
  win.loaderWindow = ctx.windows.CreateWindow(info);
  if (win.loaderWindow) win.loaderContext = win.loaderWindow->CreateContext(true);
  win.mainWindow->MakeCurrent(win.mainContext);
  if (!win.loaderContext) {
    platform::ShowMessageBox(platform::Utf8ToUtf16(ctx.windows.LastError()), u"Error",
                             platform::MessageIcon::Information);
    win.loaderWindow.reset();
    load();
    app.loadState.store(LoadState::Loaded, std::memory_order_release);
    return;
  }
  win.loaderThread = std::thread(LoaderThreadMain, std::ref(app), std::ref(ctx.windows),
                                 std::ref(*win.loaderWindow), win.loaderContext, std::move(load));
}

}  // namespace app
