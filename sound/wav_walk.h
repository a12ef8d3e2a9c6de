// The walk over a WAV file's RIFF chunks: finds the sample format and the
// samples. Pure: messages come back as records for the caller to show.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/audio.h"

namespace sound {

// A message box the caller shows: text and caption (empty: no caption).
struct SoundMessage {
  std::u16string text;
  std::u16string caption;
  bool operator==(const SoundMessage&) const = default;
};

struct WavWalk {
  bool ok = false;
  platform::PcmFormat format;
  // The samples inside the walked bytes, whole frames only.
  std::span<const uint8_t> samples;
  // "not even RIFF" / "not a WAV" (caption "2"); other failures say nothing.
  std::optional<SoundMessage> message;
};

// Checks "RIFF" and "WAVE", then walks the chunks from offset 12 while the
// position is below the RIFF size + 8, stepping over each chunk's 8-byte
// header and its size made even. The first "fmt " (at least 14 bytes) and
// the first "data" count, in either order; the walk ends when both are
// known.
//
// The walk never reads outside `bytes`: a chunk header that does not fit
// ends it, a "fmt " chunk must lie wholly inside, and a "data" chunk whose
// size runs past the end is clipped to the bytes that are there. It accepts
// only what this program plays: integer PCM, 8 or 16 bits, mono or stereo,
// 100 to 200,000 frames a second, and at least one whole frame.
WavWalk WalkWav(std::span<const uint8_t> bytes);

// The rule above for a format alone.
bool IsPlayablePcm(const platform::PcmFormat& format);

}  // namespace sound
