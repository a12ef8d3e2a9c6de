// One sound effect: the samples of a WAV file in one or more audio buffers,
// so that it can start again while an earlier start still plays. Pure: the
// audio output is an interface and messages come back as records.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/audio.h"
#include "sound/wav_walk.h"

namespace sound {

struct SoundEffect {
  platform::PcmFormat format;
  // The "data" chunk inside the WAV file's bytes, which outlive the effect.
  std::span<const uint8_t> samples;
  int current = 0;  // the buffer used last
  // All hold the same samples. Empty when the effect could not be built:
  // playing it does nothing.
  std::vector<platform::AudioBufferId> buffers;
};

struct SoundBuildResult {
  bool ok = false;
  // In the order they are shown.
  std::vector<SoundMessage> messages;
};

// Opens the output if needed and builds `bufferCount` buffers (at least one)
// from the WAV file `wav`: the first created from the samples, the others
// duplicated from it, or created anew when that fails.
//
// No audio device: fails silently and the effect stays empty. The device
// refusing to be shared: "Error DS_SND (1)", then carries on. A WAV file
// the walk refuses, or buffers that cannot be made: the walk's own message,
// if any, then "Error DS_SND (2)"; the effect stays empty.
SoundBuildResult BuildSoundEffect(platform::AudioOutput& audio, SoundEffect& effect,
                                  std::span<const uint8_t> wav, int bufferCount = 1);

// The free-buffer rule. The buffer used last is free unless it plays. When it
// plays, an effect with one buffer has none free; otherwise the next buffer
// (wrapping to the first) is taken and, if it plays too, stopped and
// rewound. A chosen buffer whose samples were lost is restored and filled
// again; if that fails there is none free. Returns the index of the chosen
// buffer, which becomes the current one, or -1.
int ChooseFreeBuffer(platform::AudioOutput& audio, SoundEffect& effect);

// Plays a free buffer once from its position, at full volume. Nothing when
// the effect is empty or no buffer is free.
void PlaySoundEffect(platform::AudioOutput& audio, SoundEffect& effect);

// Releases the buffers; the effect is empty afterwards.
void ReleaseSoundEffect(platform::AudioOutput& audio, SoundEffect& effect);

}  // namespace sound
