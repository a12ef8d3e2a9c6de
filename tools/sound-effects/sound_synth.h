// Synthesises the program's sound effects, the same samples on every run:
// noise comes from an integer generator with a fixed seed.
//
// Every effect starts and ends on silence (short fades), has no DC offset
// (its mean is removed under a window that is 0 at both ends) and peaks well
// below full scale.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

inline constexpr uint32_t kSampleRate = 44100;

// A soft tick for menu commands, ~67 ms.
std::vector<int16_t> MenuClick();
// A two-note confirm tick, a fifth apart, ~78 ms.
std::vector<int16_t> ConfirmClick();
// Low filtered noise with a few slow rising bubbles, ~0.39 s.
std::vector<int16_t> UnderwaterAmbience();

// A canonical 44-byte-header WAV file: integer PCM, 16-bit, mono.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, uint32_t sampleRate);

struct SoundFile {
  std::string name;  // the name the program looks it up by
  std::vector<uint8_t> bytes;
};

// select.wav, unwatambS.wav and COMPSEL.WAV.
std::vector<SoundFile> SoundEffectFiles();

}  // namespace synth
