#include "sound/wav_resources.h"

#include <algorithm>

#include "embedded/sound.h"

namespace sound {
namespace {

struct WavResource {
  std::string_view name;
  render::EmbeddedFile* file;
};

const WavResource kResources[] = {
    {"SELECT.WAV", &embedded::select_wav},
    {"UNWATAMBS.WAV", &embedded::unwatambS_wav},
    {"COMPSEL.WAV", &embedded::COMPSEL_WAV},
};

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

}  // namespace

std::span<const uint8_t> FindWavResource(std::string_view name) {
  for (const WavResource& resource : kResources) {
    if (SameIgnoringCase(resource.name, name)) return resource.file->Unscrambled();
  }
  return {};
}

}  // namespace sound
