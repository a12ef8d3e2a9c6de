#include "app/screenshot.h"

#include "bench/compare_page.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/time_zone.h"
#include "render/frame_capture.h"
#include "render/png_encode.h"

namespace app {

void RequestScreenshot(AppState& app) { app.screenshotPending = true; }

platform::PrivateFile TakeScreenshot(AppState& app, const std::tm& localTime) {
  app.screenshotPending = false;
  const render::FrameImage frame = render::ReadFrame(app.viewportWidth, app.viewportHeight);
  const std::string png = render::EncodePngRgb(frame.rgb, frame.width, frame.height);
  const std::string name = bench::ScreenshotFileName(localTime);
  platform::PrivateFile file =
      png.empty() ? platform::PrivateFile{false, platform::PrivateTempDirPath() / name}
                  : platform::WritePrivateTempFile(name, png);
  platform::OpenWithDefaultHandler(file.path.string());
  return file;
}

platform::PrivateFile TakeScreenshot(AppState& app) {
  const std::time_t now = std::time(nullptr);
  return TakeScreenshot(app, platform::LocalTime(now));
}

}  // namespace app
