#include "sound/interface_sounds.h"

#include "platform/message_box.h"
#include "sound/wav_resources.h"

namespace sound {

bool CreateSoundEffect(platform::AudioOutput& audio, SoundEffect& effect,
                       std::string_view resourceName, int bufferCount) {
  const SoundBuildResult result =
      BuildSoundEffect(audio, effect, FindWavResource(resourceName), bufferCount);
  for (const SoundMessage& message : result.messages) {
    platform::ShowMessageBox(message.text, message.caption);
  }
  return result.ok;
}

void CreateInterfaceSounds(platform::AudioOutput& audio, SoundEffects& effects) {
  CreateSoundEffect(audio, effects.click, "select.wav");
  CreateSoundEffect(audio, effects.ambience, "unwatambS.wav");
}

void PlayClickSound(platform::AudioOutput& audio, SoundEffects& effects) {
  PlaySoundEffect(audio, effects.click);
}

}  // namespace sound
