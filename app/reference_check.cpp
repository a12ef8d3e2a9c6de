#include "app/reference_check.h"

#include <string_view>

#include "embedded/reference.h"
#include "platform/file_io.h"
#include "render/image_decode.h"
#include "render/png_encode.h"

namespace app {
namespace {

// Carried files are named as identifiers: "sun-on-sea-low" is
// "sun_on_sea_low".
std::string Identifier(std::string name) {
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

}  // namespace

std::vector<uint8_t> CarriedReference(const std::string& name) {
  for (const render::NamedEmbeddedFile& entry : embedded::reference_files()) {
    if (std::string_view(entry.name) != Identifier(name)) continue;
    const std::span<uint8_t> png = entry.file->Unscrambled();
    render::RgbImage image = render::DecodeRgb(png.data(), static_cast<int32_t>(png.size()));
    if (image.width != bench::kReferenceWidth || image.height != bench::kReferenceHeight) return {};
    return std::move(image.rgb);
  }
  return {};
}

std::vector<ViewVerdict> CompareWithReferences(const std::vector<ViewPicture>& pictures) {
  std::vector<ViewVerdict> verdicts;
  for (const ViewPicture& picture : pictures) {
    const std::vector<uint8_t> reference = CarriedReference(picture.name);
    ViewVerdict verdict;
    verdict.name = picture.name;
    verdict.psnrDb = bench::Psnr(picture.rgb, reference);
    verdict.passed = verdict.psnrDb >= bench::kValidPsnrDb;
    if (!verdict.passed) {
      const int w = bench::kReferenceWidth, h = bench::kReferenceHeight;
      const platform::PrivateFile yours = platform::WritePrivateTempFile(
          picture.name + "-yours.png", render::EncodePngRgb(picture.rgb, w, h));
      platform::WritePrivateTempFile(picture.name + "-reference.png",
                                     render::EncodePngRgb(reference, w, h));
      if (yours.written) verdict.savedPath = yours.path.string();
    }
    verdicts.push_back(verdict);
  }
  return verdicts;
}

}  // namespace app
