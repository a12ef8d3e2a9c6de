// Every reference view drawn now against the picture kept in the repository:
// on the same renderer (llvmpipe) anything below 40 dB is a change of the
// picture. An intended change regenerates the pictures in the same commit
// (scripts/make-reference-pictures).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "bench/reference_views.h"
#include "platform/fake/scripted_clock.h"
#include "platform/sdl/sdl_window_system.h"
#include "render/image_decode.h"
#include "tests/support/test_files.h"
#include "tools/scene-shot/scene_shot.h"

namespace {

namespace fs = std::filesystem;

render::RgbImage ReadPicture(const fs::path& path) {
  const std::string bytes = test_support::ReadBytes(path);
  return render::DecodeRgb(reinterpret_cast<const uint8_t*>(bytes.data()),
                           static_cast<int32_t>(bytes.size()));
}

TEST(ReferencePicturesGLTest, EveryViewAtEveryQualityMatchesItsKeptPicture) {
  test_support::ScratchFolder scratch;
  // From the source folder, where the scene finds its rock model, as the
  // pictures were made.
  const fs::path before = fs::current_path();
  fs::current_path(MG_SOURCE_DIR);
  shot::ShotOptions options;
  options.references = true;
  options.outPath = scratch.path().string();
  platform::sdl::SdlWindowSystem windows;
  platform::fake::ScriptedClock clock;
  std::string error;
  const bool drawn = shot::RenderShot(options, windows, clock, error);
  fs::current_path(before);
  ASSERT_TRUE(drawn) << error;

  int compared = 0;
  for (const int level : bench::kReferenceDetailLevels) {
    for (const bench::ReferenceView& view : bench::ReferenceViews()) {
      const std::string name = bench::ReferenceName(view, level);
      SCOPED_TRACE(name);
      const render::RgbImage now = ReadPicture(scratch.path() / (name + ".png"));
      const render::RgbImage kept =
          ReadPicture(fs::path(MG_SOURCE_DIR) / "assets" / "reference" / (name + ".png"));
      ASSERT_EQ(now.width, bench::kReferenceWidth);
      ASSERT_EQ(kept.width, bench::kReferenceWidth) << "no kept picture";
      EXPECT_GE(bench::Psnr(now.rgb, kept.rgb), bench::kSameRendererPsnrDb);
      ++compared;
    }
  }
  EXPECT_EQ(compared, 15);
}

}  // namespace
