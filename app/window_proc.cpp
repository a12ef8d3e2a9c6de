#include "app/window_proc.h"

#include "app/benchmark_run.h"
#include "app/main_window.h"
#include "platform/virtual_keys.h"

namespace app {
namespace {

namespace vk = platform::vk;

constexpr char16_t kF1Bookmark[] = u"F1_CAM";

void SetMenuVisible(Application& ctx, int visible) {
  ctx.settings.menuShown.value = visible;
  WriteSetting(ctx.store, ctx.settings.menuShown);
  // The menu shows the hand over its items; the 3D view has the arrow.
  if (visible == 0) ctx.windows.SetCursorShape(platform::CursorShape::Arrow);
}

int OnKeyDown(Application& ctx, int key) {
  ctx.input.keyDown[key & 0xFF] = 1;
  if (gui::MenuKey(ctx.menu, ctx.input.keyDown, true, ctx.settings.menuShown.value != 0) != 0) {
    return 1;
  }
  if (OnFunctionKeyF1(ctx, key) != 0) return 1;
  if (ctx.settings.menuShown.value != 0) return 1;
  const bool playing = bench::IsPlaying(ctx.player);
  if (key == vk::kReturn || key == vk::kF11) {
    if (!playing) ToggleBorderless(ctx.windows, ctx.win);
    return 1;
  }
  if (key == vk::kEscape) {
    if (playing) {
      StopRun(ctx);
      SetMenuVisible(ctx, 1);
    } else {
      OnFunctionKeyF1(ctx, vk::kF1);
    }
    return 1;
  }
  return 0;
}

}  // namespace

int MainWindowProc(Application& ctx, const platform::Event& event) {
  using platform::EventType;
  const bool fromMain = ctx.win.mainWindow && event.windowId == ctx.win.mainWindow->id();
  switch (event.type) {
    case EventType::Size:
      if (!fromMain) return 0;
      SetViewport(ctx.app, ctx.renderer, event.width, event.height);
      return 1;
    case EventType::Activate:
      if (fromMain) OnActivate(ctx.win, event.active);
      return 1;
    case EventType::Close:
      ctx.windows.PostQuit(0);
      return 1;
    case EventType::KeyDown:
      return OnKeyDown(ctx, event.vk);
    case EventType::KeyUp:
      ctx.input.keyDown[event.vk & 0xFF] = 0;
      gui::MenuKey(ctx.menu, ctx.input.keyDown, false, ctx.settings.menuShown.value != 0);
      return ctx.settings.menuShown.value != 0 ? 1 : 0;
    case EventType::MouseMove:
      gui::MenuPointer(ctx.menu, event.x, event.y, false, ctx.settings.menuShown.value != 0);
      return 1;
    case EventType::LButtonUp:
      gui::MenuPointer(ctx.menu, event.x, event.y, true, ctx.settings.menuShown.value != 0);
      return 1;
    case EventType::RButtonDown:
      ctx.input.keyDown[vk::kRightButton] = 1;
      return 1;
    case EventType::RButtonUp:
      ctx.input.keyDown[vk::kRightButton] = 0;
      return 1;
    default:
      return 0;
  }
}

int OnFunctionKeyF1(Application& ctx, int virtualKey) {
  if (virtualKey != vk::kF1) return 0;
  if (bench::IsPlaying(ctx.player)) {
    StopRun(ctx);
    ctx.settings.menuShown.value = 0;
  }
  gui::RequestRedraw(ctx.menu);
  scene::Camera& camera = ctx.app.camera;
  if (ctx.settings.menuShown.value == 1) {
    ctx.settings.autopilotOn.value = 1;
    scene::RestoreBookmark(camera, ctx.input.cameraBookmarks, kF1Bookmark);
  } else {
    ctx.settings.autopilotOn.value = 0;
    scene::SaveBookmark(camera, ctx.input.cameraBookmarks, kF1Bookmark);
    scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  }
  SetMenuVisible(ctx, 1 - ctx.settings.menuShown.value);
  return 1;
}

void StoreWaterHeight(const InputState& input, AppSettings& settings, SettingsStore& store) {
  if (input.waterHeight == settings.waterHeight.value) return;
  settings.waterHeight.value = input.waterHeight;
  WriteSetting(store, settings.waterHeight);
}

void ApplyWaterKeys(InputState& input, AppSettings& settings, SettingsStore& store) {
  const uint8_t* keys = input.keyDown;
  const float step = 0.1f * (keys['F'] != 0 ? 0.05f : 1.0f);
  float& height = input.waterHeight;
  const bool held = keys[vk::kNumpad2] != 0 || keys[vk::kNumpad8] != 0;
  if (keys[vk::kNumpad2] != 0) height -= step;
  if (keys[vk::kNumpad8] != 0) height += step;
  // The file is written once the keys are let go, not on every frame.
  if (!held) StoreWaterHeight(input, settings, store);
  if (keys[vk::kNumpad3] != 0) input.waterWaveParameter -= 0.1f;
  if (keys[vk::kNumpad9] != 0) input.waterWaveParameter += 0.1f;
}

}  // namespace app
