#include "app/screenshot.h"

#include "bench/compare_page.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "render/frame_capture.h"
#include "render/png_encode.h"

namespace app {

void RequestScreenshot(Application& ctx) { ctx.app.screenshotPending = true; }

platform::PrivateFile TakeScreenshot(Application& ctx, const std::tm& localTime) {
  ctx.app.screenshotPending = false;
  const render::FrameImage frame = render::ReadFrame(ctx.app.viewportWidth, ctx.app.viewportHeight);
  const std::string png = render::EncodePngRgb(frame.rgb, frame.width, frame.height);
  const std::string name = bench::ScreenshotFileName(localTime);
  platform::PrivateFile file =
      png.empty() ? platform::PrivateFile{false, platform::PrivateTempDirPath() / name}
                  : platform::WritePrivateTempFile(name, png);
  platform::OpenWithDefaultHandler(file.path.string());
  return file;
}

platform::PrivateFile TakeScreenshot(Application& ctx) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return TakeScreenshot(ctx, local);
}

}  // namespace app
