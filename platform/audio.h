// Sound output: PCM buffers that are played once, several at a time, through
// the system's audio device.
//
// A buffer holds its own copy of the samples and a play position. Play starts
// it from that position; when it reaches the end it stops and its position
// goes back to 0, so the next Play starts it from the beginning. Buffers
// always play at full volume. The program reaches all of this through an
// AudioOutput: the SDL one (platform/sdl/sdl_audio_output.h) or a recording
// one in tests (platform/fake/recording_audio.h).
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// The layout of the samples, as a WAV file's "fmt " chunk describes it.
struct PcmFormat {
  uint16_t formatTag = 1;  // 1: integer PCM
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint32_t averageBytesPerSecond = 0;
  uint16_t blockAlign = 0;  // bytes of one frame (one sample of every channel)
  uint16_t bitsPerSample = 0;
};

// Names one buffer of an AudioOutput; 0 names none.
using AudioBufferId = uint32_t;

enum class AudioOpenResult {
  // No device: nothing can play. Callers stay silent and show nothing.
  NoDevice,
  Opened,
  // The device plays, but refused to be shared with other programs at the
  // normal level. The SDL output never answers this: the sound server
  // shares every device.
  OpenedSharingRefused,
};

struct AudioBufferStatus {
  bool playing = false;
  // The buffer's samples were taken away by the system; RestoreBuffer gets
  // them back.
  bool lost = false;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Opens the device on the first call, or starts opening it; later calls
  // answer as the first did. An output that opens in the background answers
  // Opened at once, and if no device turns up its buffers stay silent.
  virtual AudioOpenResult Open() = 0;
  // A new stopped buffer at position 0 holding a copy of `samples` in
  // `format`; 0 when it cannot be made (no device, a format the output
  // cannot play, no memory).
  virtual AudioBufferId CreateBuffer(const PcmFormat& format, std::span<const uint8_t> samples) = 0;
  // A second buffer with the same samples as `source` and a position of its
  // own; 0 on failure.
  virtual AudioBufferId DuplicateBuffer(AudioBufferId source) = 0;
  // Stops the buffer and forgets it.
  virtual void ReleaseBuffer(AudioBufferId buffer) = 0;

  virtual AudioBufferStatus GetStatus(AudioBufferId buffer) = 0;
  // Gets lost samples back and fills the buffer with `samples` again; false
  // when either fails.
  virtual bool RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) = 0;

  // Plays once from the current position, without looping.
  virtual void Play(AudioBufferId buffer) = 0;
  virtual void Stop(AudioBufferId buffer) = 0;
  virtual void Rewind(AudioBufferId buffer) = 0;
};

// An output without a device, for programs that draw the scene but never
// sound (scene-shot): nothing opens, nothing plays.
class NoAudioOutput final : public AudioOutput {
 public:
  AudioOpenResult Open() override { return AudioOpenResult::NoDevice; }
  AudioBufferId CreateBuffer(const PcmFormat&, std::span<const uint8_t>) override { return 0; }
  AudioBufferId DuplicateBuffer(AudioBufferId) override { return 0; }
  void ReleaseBuffer(AudioBufferId) override {}
  AudioBufferStatus GetStatus(AudioBufferId) override { return {}; }
  bool RestoreBuffer(AudioBufferId, std::span<const uint8_t>) override { return false; }
  void Play(AudioBufferId) override {}
  void Stop(AudioBufferId) override {}
  void Rewind(AudioBufferId) override {}
};

}  // namespace platform
