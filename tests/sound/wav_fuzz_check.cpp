#include "tests/sound/wav_fuzz_check.h"

#include <vector>

#include "sound/wav_walk.h"

namespace sound_test {

const char* CheckWavBytes(std::span<const uint8_t> bytes) {
  // A copy of its own, so that any read past the end is caught.
  const std::vector<uint8_t> copy(bytes.begin(), bytes.end());
  const sound::WavWalk walk = sound::WalkWav(copy);
  if (!walk.ok) {
    if (!walk.samples.empty()) return "a refused file gives samples";
    if (walk.message && walk.message->caption != u"2") return "a walk message without caption 2";
    return nullptr;
  }
  if (walk.message) return "a walked file asks for a message box";
  if (!sound::IsPlayablePcm(walk.format)) return "an unplayable format walks";
  if (walk.samples.empty() || walk.samples.size() % walk.format.blockAlign != 0) {
    return "the samples are not whole frames";
  }
  if (walk.samples.data() < copy.data() ||
      walk.samples.data() + walk.samples.size() > copy.data() + copy.size()) {
    return "the samples lie outside the file";
  }
  uint32_t sum = 0;  // touch every sample byte
  for (uint8_t b : walk.samples) sum += b;
  return sum == 0xFFFFFFFFu ? "unreachable" : nullptr;
}

}  // namespace sound_test
