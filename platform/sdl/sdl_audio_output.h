// Sound output over SDL2's audio device, with a small mixer of its own.
//
// Effects overlap (a click over the ambience, or a second start of the same
// effect), so the device runs one callback that adds every playing buffer's
// samples, clipped to 16 bits. SDL's queueing call holds one stream per
// device and could tell neither which buffer still plays nor stop one of
// them. A buffer counts as playing while the mixer has samples of it left.
//
// Starting SDL's audio takes milliseconds, and tens of them on a machine
// without a sound card, where SDL tries one sound system after another. So
// Open only starts a thread that opens the device, and buffers keep the
// samples as they were given; the first Play waits for that thread, and a
// buffer is converted to the device's format when it first plays, so the
// calling thread makes no SDL audio call while the opening runs. Without a
// device the buffers exist but stay silent.
//
// One output per program: it starts SDL's audio driver itself rather than
// through SDL's subsystem counters, which the main thread changes without a
// lock when it starts or stops the video. All calls come from one thread;
// only the opening thread and SDL's mixing thread run beside it.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio.h"

namespace platform::sdl {

class SdlAudioOutput final : public AudioOutput {
 public:
  // The device is asked for 16-bit samples at `samplesPerSecond` with
  // `channels` channels; SDL converts further for the hardware if it must.
  explicit SdlAudioOutput(int samplesPerSecond = 44100, int channels = 2);
  // Waits for the opening thread, then closes the device.
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  // Starts opening the device and answers Opened without waiting. Without a
  // device (SDL's audio cannot start, no sound card, no sound server) the
  // reason goes to SDL's log and nothing ever plays.
  AudioOpenResult Open() override;
  // Any buffer of 8- or 16-bit integer PCM with 1 to 8 channels, whether or
  // not a device turns up.
  AudioBufferId CreateBuffer(const PcmFormat& format, std::span<const uint8_t> samples) override;
  AudioBufferId DuplicateBuffer(AudioBufferId source) override;
  void ReleaseBuffer(AudioBufferId buffer) override;
  AudioBufferStatus GetStatus(AudioBufferId buffer) override;
  // Buffers live in the program's memory and are never lost; refilling
  // replaces the samples.
  bool RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) override;
  // Waits for the device to be open, the first time.
  void Play(AudioBufferId buffer) override;
  void Stop(AudioBufferId buffer) override;
  void Rewind(AudioBufferId buffer) override;

  // True once the opening has ended with a device; waits for it.
  bool WaitForDevice();

 private:
  using Bytes = std::vector<uint8_t>;
  using Samples = std::vector<int16_t>;
  struct Voice {
    PcmFormat format;
    std::shared_ptr<const Bytes> given;      // as the caller gave them
    std::shared_ptr<const Samples> samples;  // in the device's format, from the first play
    size_t position = 0;                     // next sample to mix
    bool playing = false;
  };

  static void MixCallback(void* self, Uint8* stream, int bytes);
  void Mix(int16_t* out, size_t count);
  static int OpenerMain(void* self);
  // Runs on the opening thread.
  void OpenDevice();
  std::shared_ptr<const Samples> Convert(const PcmFormat& format, const Bytes& given) const;
  AudioBufferId Add(Voice voice);

  int wantedRate_;
  int wantedChannels_;
  bool openStarted_ = false;
  // An SDL thread, so that SDL frees what it keeps per thread (the error
  // text of a failed opening) when it ends. What it writes below is read by
  // the calling thread only after waiting for it.
  SDL_Thread* opener_ = nullptr;
  bool driverStarted_ = false;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec obtained_{};
  // Written by the opening thread before the device starts; then the
  // mixer's alone.
  std::vector<int32_t> sums_;
  // Guards the voices, which the calling thread changes and SDL's mixing
  // thread plays.
  std::mutex voicesMutex_;
  std::map<AudioBufferId, Voice> voices_;
  AudioBufferId nextId_ = 1;
};

}  // namespace platform::sdl
