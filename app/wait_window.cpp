#include "app/wait_window.h"

#include "embedded/render.h"
#include "platform/virtual_keys.h"
#include "render/image_decode.h"

namespace app {
namespace {

// The embedded picture as 0xFFRRGGBB pixels, top row first; none when it
// does not decode.
void DecodePicture(platform::WaitWindowInfo& info) {
  const std::span<uint8_t> file = embedded::wait_picture.Unscrambled();
  render::DibBitmap bitmap;
  if (!render::DecodeImage(bitmap, file.data(), static_cast<int32_t>(file.size()), true) ||
      bitmap.description().bitsPixel < 24) {
    return;
  }
  const int bytesPerPixel = bitmap.description().bitsPixel / 8;
  info.pictureWidth = bitmap.width();
  info.pictureHeight = bitmap.height();
  info.picture.resize(static_cast<size_t>(info.pictureWidth) * info.pictureHeight);
  for (int y = 0; y < info.pictureHeight; ++y) {
    const uint8_t* row = bitmap.pixels() + static_cast<size_t>(y) * bitmap.description().widthBytes;
    for (int x = 0; x < info.pictureWidth; ++x) {
      const uint8_t* p = row + x * bytesPerPixel;
      info.picture[static_cast<size_t>(y) * info.pictureWidth + x] =
          0xFF000000u | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
  }
}

void Paint(WaitWindowState& wait) {
  if (wait.window) wait.window->Paint(wait.animation.shownText);
}

void Cancel(Application& a) {
  a.windows.PostQuit(0);
  a.app.quitRequested.store(true, std::memory_order_release);
  CloseWaitWindow(a.wait);
}

}  // namespace

void StartWaitWindow(WaitWindowState& wait, platform::Clock& clock) {
  if (!wait.create) return;
  platform::WaitWindowInfo info;
  info.title = "Morvandel.Gauge";
  info.windowClass = kWaitWindowClass;
  info.width = kWaitWindowWidth;
  info.height = kWaitWindowHeight;
  DecodePicture(info);
  wait.window = wait.create(info);
  wait.lastStep = clock.Now();
  AnimateWait(wait.animation);
  Paint(wait);
}

void SetWaitText(WaitWindowState& wait, platform::Clock& clock, std::u16string_view text) {
  if (!wait.window) return;
  SetWaitMessage(wait.animation, text);
  wait.lastStep = clock.Now();
  if (AnimateWait(wait.animation)) Paint(wait);
}

void AnimateWaitWindow(WaitWindowState& wait, platform::Clock& clock) {
  if (!wait.window) return;
  const int64_t now = clock.Now();
  if ((now - wait.lastStep) * 1000 < int64_t{kWaitStepMs} * clock.Frequency()) return;
  wait.lastStep = now;
  if (AnimateWait(wait.animation)) Paint(wait);
}

bool HandleWaitWindowEvent(Application& a, const platform::Event& event) {
  WaitWindowState& wait = a.wait;
  if (!wait.window) return false;
  const bool own = event.windowId == wait.window->id();
  if (event.type == platform::EventType::KeyDown && event.vk == platform::vk::kEscape) {
    Cancel(a);
    return true;
  }
  if (own && event.type == platform::EventType::Close) {
    Cancel(a);
    return true;
  }
  return own;
}

void PumpWaitWindow(Application& a) {
  if (!a.wait.window) return;
  platform::Event event;
  while (a.windows.PollEvent(event)) {
    if (!HandleWaitWindowEvent(a, event)) a.wait.deferredEvents.push_back(event);
  }
  AnimateWaitWindow(a.wait, a.clock);
}

bool NextEvent(WaitWindowState& wait, platform::WindowSystem& windows, platform::Event& event) {
  std::deque<platform::Event>& deferred = wait.deferredEvents;
  if (!deferred.empty()) {
    event = deferred.front();
    deferred.pop_front();
    return true;
  }
  return windows.PollEvent(event);
}

void CloseWaitWindow(WaitWindowState& wait) { wait.window.reset(); }

void ShowLoadingText(LoadingProgress& progress, std::u16string_view text) {
  TraceLoadingText(text);
  progress.Post(text);
}

void ApplyLoadingText(LoadingProgress& progress, gui::MenuOverlay& menu, WaitWindowState& wait,
                      platform::Clock& clock) {
  std::optional<std::u16string> text = progress.Take();
  if (!text) return;
  menu.loadingText = *text;
  gui::RequestRedraw(menu);
  SetWaitText(wait, clock, *text);
}

}  // namespace app
