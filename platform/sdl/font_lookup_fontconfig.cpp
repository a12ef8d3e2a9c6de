#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

#include "platform/font_lookup.h"

namespace platform {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Text(const std::string& text) {
  return reinterpret_cast<const FcChar8*>(text.c_str());
}

}  // namespace

std::string FindFontFile(const FontRequest& request) {
  if (request.family.empty() || FcInit() == FcFalse) return {};
  const std::string family(request.family);
  Pattern pattern(FcPatternCreate());
  if (pattern == nullptr) return {};
  FcPatternAddString(pattern.get(), FC_FAMILY, Text(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (match == nullptr) return {};
  // Fontconfig always answers with its best match; anything but the family
  // asked for counts as missing.
  FcChar8* matchedFamily = nullptr;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matchedFamily) != FcResultMatch ||
      FcStrCmpIgnoreCase(matchedFamily, Text(family)) != 0 ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return {};
  }
  return reinterpret_cast<const char*>(file);
}

}  // namespace platform
