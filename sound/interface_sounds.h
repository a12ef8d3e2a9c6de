// The program's two sound effects and the calls the rest of the program
// makes: creating them during scene set-up, and the menu's click.
// Effects are created and played on the main thread only.
#pragma once

#include <string_view>

#include "platform/audio.h"
#include "sound/sound_effect.h"

namespace sound {

struct SoundEffects {
  SoundEffect click;     // "select.wav", played by the menu's commands
  SoundEffect ambience;  // "unwatambS.wav", created but not played
};

// Builds `effect` from the carried WAV file `resourceName` with
// `bufferCount` buffers and shows the build's messages. False when the effect
// stays empty (no audio device, or a failure already reported).
bool CreateSoundEffect(platform::AudioOutput& audio, SoundEffect& effect,
                       std::string_view resourceName, int bufferCount = 1);

// The click and the ambience, one buffer each.
void CreateInterfaceSounds(platform::AudioOutput& audio, SoundEffects& effects);

void PlayClickSound(platform::AudioOutput& audio, SoundEffects& effects);

}  // namespace sound
