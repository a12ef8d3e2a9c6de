#include "sound/sound_effect.h"

#include <algorithm>

namespace sound {
namespace {

const SoundMessage kSharingRefused{u"Error DS_SND (1)", u""};
const SoundMessage kBuildFailed{u"Error DS_SND (2)", u""};

bool FillBuffers(platform::AudioOutput& audio, SoundEffect& effect, int bufferCount) {
  const platform::AudioBufferId first = audio.CreateBuffer(effect.format, effect.samples);
  if (first == 0) return false;
  effect.buffers.push_back(first);
  for (int i = 1; i < bufferCount; ++i) {
    platform::AudioBufferId buffer = audio.DuplicateBuffer(first);
    if (buffer == 0) buffer = audio.CreateBuffer(effect.format, effect.samples);
    if (buffer == 0) return false;
    effect.buffers.push_back(buffer);
  }
  return true;
}

}  // namespace

SoundBuildResult BuildSoundEffect(platform::AudioOutput& audio, SoundEffect& effect,
                                  std::span<const uint8_t> wav, int bufferCount) {
  ReleaseSoundEffect(audio, effect);
  SoundBuildResult result;
  const platform::AudioOpenResult opened = audio.Open();
  if (opened == platform::AudioOpenResult::NoDevice) return result;
  if (opened == platform::AudioOpenResult::OpenedSharingRefused) {
    result.messages.push_back(kSharingRefused);
  }

  const WavWalk walk = WalkWav(wav);
  if (walk.message) result.messages.push_back(*walk.message);
  if (walk.ok) {
    effect.format = walk.format;
    effect.samples = walk.samples;
    result.ok = FillBuffers(audio, effect, std::max(bufferCount, 1));
  }
  if (!result.ok) {
    ReleaseSoundEffect(audio, effect);
    result.messages.push_back(kBuildFailed);
  }
  return result;
}

int ChooseFreeBuffer(platform::AudioOutput& audio, SoundEffect& effect) {
  const int count = static_cast<int>(effect.buffers.size());
  if (count == 0) return -1;
  if (effect.current < 0 || effect.current >= count) effect.current = 0;
  platform::AudioBufferId buffer = effect.buffers[effect.current];
  platform::AudioBufferStatus status = audio.GetStatus(buffer);
  if (status.playing) {
    if (count == 1) return -1;
    effect.current = (effect.current + 1) % count;
    buffer = effect.buffers[effect.current];
    status = audio.GetStatus(buffer);
    if (status.playing) {
      audio.Stop(buffer);
      audio.Rewind(buffer);
    }
  }
  if (status.lost && !audio.RestoreBuffer(buffer, effect.samples)) return -1;
  return effect.current;
}

void PlaySoundEffect(platform::AudioOutput& audio, SoundEffect& effect) {
  const int chosen = ChooseFreeBuffer(audio, effect);
  if (chosen >= 0) audio.Play(effect.buffers[chosen]);
}

void ReleaseSoundEffect(platform::AudioOutput& audio, SoundEffect& effect) {
  for (const platform::AudioBufferId buffer : effect.buffers) audio.ReleaseBuffer(buffer);
  effect.buffers.clear();
  effect.current = 0;
}

}  // namespace sound
