// An audio output that records what the program asks of it, in order:
// "open", "create buffer N bytes" (answered with id 1, 2, ...),
// "duplicate N", "release N", "restore N", "play N", "stop N", "rewind N".
// A played buffer reports playing until the test ends it; everything else
// answers as the test scripts it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace platform::fake {

class RecordingAudio final : public AudioOutput {
 public:
  AudioOpenResult Open() override;
  AudioBufferId CreateBuffer(const PcmFormat& format, std::span<const uint8_t> samples) override;
  AudioBufferId DuplicateBuffer(AudioBufferId source) override;
  void ReleaseBuffer(AudioBufferId buffer) override;
  AudioBufferStatus GetStatus(AudioBufferId buffer) override;
  bool RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) override;
  void Play(AudioBufferId buffer) override;
  void Stop(AudioBufferId buffer) override;
  void Rewind(AudioBufferId buffer) override;

  const std::vector<std::string>& log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // The format and bytes the buffer was created with.
  const PcmFormat& format(AudioBufferId buffer) { return buffers_[buffer].format; }
  const std::vector<uint8_t>& samples(AudioBufferId buffer) { return buffers_[buffer].samples; }

  // Scripting.
  AudioOpenResult openAnswer = AudioOpenResult::Opened;
  int createsAllowed = -1;  // creations that succeed before they fail; -1: all
  bool duplicateFails = false;
  bool restoreFails = false;
  void SetPlaying(AudioBufferId buffer, bool playing) { buffers_[buffer].status.playing = playing; }
  void SetLost(AudioBufferId buffer, bool lost) { buffers_[buffer].status.lost = lost; }

 private:
  struct Buffer {
    PcmFormat format;
    std::vector<uint8_t> samples;
    AudioBufferStatus status;
  };

  std::vector<std::string> log_;
  std::map<AudioBufferId, Buffer> buffers_;
  AudioBufferId nextId_ = 1;
};

}  // namespace platform::fake
