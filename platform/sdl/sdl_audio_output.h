// Sound output over SDL2's audio device, with a small mixer of its own.
//
// Effects overlap (a click over the ambience, or a second start of the same
// effect), so the device runs one callback that adds every playing buffer's
// samples, clipped to 16 bits. SDL's queueing call holds one stream per
// device and could tell neither which buffer still plays nor stop one of
// them. A buffer counts as playing while the mixer has samples of it left.
// Buffers are converted to the device's format once, when they are made.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/audio.h"

namespace platform::sdl {

class SdlAudioOutput final : public AudioOutput {
 public:
  // The device is asked for 16-bit samples at `samplesPerSecond` with
  // `channels` channels; SDL converts further for the hardware if it must.
  explicit SdlAudioOutput(int samplesPerSecond = 44100, int channels = 2);
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  // No device when SDL's audio cannot start or opens no device (no sound
  // card, no sound server); the reason goes to SDL's log.
  AudioOpenResult Open() override;
  AudioBufferId CreateBuffer(const PcmFormat& format, std::span<const uint8_t> samples) override;
  AudioBufferId DuplicateBuffer(AudioBufferId source) override;
  void ReleaseBuffer(AudioBufferId buffer) override;
  AudioBufferStatus GetStatus(AudioBufferId buffer) override;
  // Buffers live in the program's memory and are never lost; refilling
  // converts the samples again.
  bool RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) override;
  void Play(AudioBufferId buffer) override;
  void Stop(AudioBufferId buffer) override;
  void Rewind(AudioBufferId buffer) override;

 private:
  using Samples = std::vector<int16_t>;
  struct Voice {
    PcmFormat format;
    std::shared_ptr<const Samples> samples;  // in the device's format
    size_t position = 0;                     // next sample to mix
    bool playing = false;
  };

  static void MixCallback(void* self, Uint8* stream, int bytes);
  void Mix(int16_t* out, size_t count);
  std::shared_ptr<const Samples> Convert(const PcmFormat& format,
                                         std::span<const uint8_t> samples) const;
  AudioBufferId Add(Voice voice);

  int wantedRate_;
  int wantedChannels_;
  bool tried_ = false;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec obtained_{};
  // Read by the mixer on SDL's audio thread: changed only under the device
  // lock.
  std::map<AudioBufferId, Voice> voices_;
  std::vector<int32_t> sums_;
  AudioBufferId nextId_ = 1;
};

}  // namespace platform::sdl
