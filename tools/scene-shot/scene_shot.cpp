#include "tools/scene-shot/scene_shot.h"

#include <stb/stb_image_write.h>

#include <vector>

#include "app/application.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/menu_page_data.h"
#include "app/reference_pictures.h"
#include "app/scene_setup.h"
#include "gui/menu_texture.h"
#include "lang/language.h"
#include "platform/file_io.h"
#include "platform/sdl/canvas_cairo.h"
#include "platform/sdl/sdl_power.h"
#include "platform/sdl/system_info_posix.h"
#include "platform/text_codec.h"
#include "scene/scene_state.h"

namespace shot {
namespace {

// The scene's GL set-up posts a quit message when the driver lacks what the
// program needs; the program would end there, so the shot fails.
bool QuitWasPosted(platform::WindowSystem& windows) {
  platform::Event event;
  while (windows.PollEvent(event)) {
    if (event.type == platform::EventType::Quit) return true;
  }
  return false;
}

void Place(app::Application& a, const ShotOptions& options) {
  scene::SetPose(a.app.camera, options.position, options.angles);
  a.input.waterHeight = options.waterHeight;
  a.settings.renderPass.value = MitWasserForPass(options.pass);
  a.scene.detailLevel = options.detail;
  // The caustics, the water scroll and the wind start from the asked
  // moment, so the same options always give the same picture.
  scene::SetSceneTime(a.scene, options.timeMs);
  a.scene.windTimeSeconds = options.timeMs / 1000.0;
}

// The drawn frame as RGB rows, top row first.
std::vector<uint8_t> ReadFrame(int width, int height) {
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> bottomUp(row * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  for (int y = 0; y < height; ++y) {
    std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * (height - 1 - y)), row,
                topDown.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return topDown;
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
  std::string png;
  const auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
  };
  if (stbi_write_png_to_func(append, &png, width, height, 3, rgb.data(), width * 3) == 0) {
    return false;
  }
  return platform::ReplaceFileAtomically(path, png);
}

// The menu page over the drawn scene, as the program shows it.
void DrawMenu(app::Application& a, const ShotOptions& options) {
  lang::SetUiLanguage(options.language);
  if (options.result) {
    app::AppSettings& s = a.settings;
    s.lastAverageFps.value = options.result->first;
    s.lastRunSeconds.value = options.result->second;
    s.lastRunWidth.value = options.width;
    s.lastRunHeight.value = options.height;
    s.lastRunSamples.value = a.win.sampleCount;
    s.lastRunQuality.value = options.detail;
    a.app.freshResult = true;
  }
  gui::MenuHooks& hooks = a.menu.hooks;
  hooks.createCanvas = platform::sdl::CreateCairoCanvas;
  hooks.text = [](int id) {
    const char16_t* text = lang::GetString(id);
    return std::u16string(text != nullptr ? text : u"");
  };
  hooks.title = platform::Utf8ToUtf16(app::ProductTitle());
  platform::sdl::PosixSystemInfo system;
  app::WireMenuPages(a, system);
  a.menu.page = *options.menuPage;
  if (gui::RefreshMenuCanvas(a.menu, options.width, options.height, 0.0))
    gui::UploadMenuCanvas(a.menu);
  gui::DrawMenuTexture(a.menu, options.width, options.height);
  gui::DeleteMenuTexture(a.menu);
}

bool WriteReferences(app::Application& a, const std::string& folder, std::string& error) {
  const std::vector<app::ViewPicture> pictures = app::DrawReferencePictures(a);
  if (pictures.empty()) {
    error = "the GL implementation has no frame buffer objects";
    return false;
  }
  for (const app::ViewPicture& picture : pictures) {
    const std::string path = folder + "/" + picture.name + ".png";
    if (!WritePng(path, picture.rgb, bench::kReferenceWidth, bench::kReferenceHeight)) {
      error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

bool DrawAndWrite(app::Application& a, const ShotOptions& options, std::string& error) {
  if (!app::CreateMainWindow(a.windows, a.win, a.app, "scene-shot", options.width, options.height,
                             false)) {
    error = "cannot create a window: " + a.windows.LastError();
    return false;
  }
  app::InitGlScene(a);
  if (!a.win.mainContext) {
    error = "no GL context: " + a.windows.LastError();
    return false;
  }
  if (QuitWasPosted(a.windows)) {
    error = "the GL implementation lacks what the scene needs";
    return false;
  }
  // The window may be larger than asked (it keeps the program's minimum
  // size); the frame is drawn into the asked size at its lower left.
  int clientWidth = 0, clientHeight = 0;
  a.win.mainWindow->GetClientSize(clientWidth, clientHeight);
  if (clientWidth < options.width || clientHeight < options.height) {
    error = "the window is only " + std::to_string(clientWidth) + "x" +
            std::to_string(clientHeight) + " pixels";
    return false;
  }
  app::SetViewport(a.app, a.renderer, options.width, options.height);
  app::LoadSceneAssets(a.app, a.scene, a.progress, a.renderer);
  if (options.references) return WriteReferences(a, options.outPath, error);
  Place(a, options);
  app::DrawSceneFrame(a);
  if (options.menuPage) DrawMenu(a, options);
  glFinish();
  if (!WritePng(options.outPath, ReadFrame(options.width, options.height), options.width,
                options.height)) {
    error = "cannot write " + options.outPath;
    return false;
  }
  return true;
}

void Release(app::Application& a) {
  if (a.win.mainContext) {
    scene::ReleaseSceneGl(a.scene);
    bench::ReleaseHud(a.hud);
    a.app.textureTable.ReleaseAll();
  }
  app::ReleaseContexts(a.windows, a.win);
  a.win.mainWindow.reset();
}

}  // namespace

bool RenderShot(const ShotOptions& options, platform::WindowSystem& windows, platform::Clock& clock,
                std::string& error) {
  if (!windows.Init()) {
    error = windows.LastError();
    return false;
  }
  bool written = false;
  // The menu speaks from the string archive linked into this tool.
  if (options.menuPage && !lang::LoadStringArchive()) {
    error = "no string archive";
    windows.Shutdown();
    return false;
  }
  {
    // The store has no path: the scene's settings keep their defaults and
    // nothing is written anywhere. A shot runs no benchmark, so the power
    // service is never asked, and a picture needs no sound.
    platform::sdl::SdlPower power;
    platform::NoAudioOutput silence;
    // The reference pictures are drawn without anisotropic filtering: on a
    // software renderer the driver's 16x makes each picture take seconds.
    app::Options appOptions;
    if (options.references) appOptions.anisotropy = 1;
    app::GlRenderer renderer;
    app::Application a(windows, clock, power, silence, renderer, appOptions);
    a.developer = app::ReadDeveloperSwitches();
    written = DrawAndWrite(a, options, error);
    Release(a);
  }
  windows.Shutdown();
  return written;
}

}  // namespace shot
