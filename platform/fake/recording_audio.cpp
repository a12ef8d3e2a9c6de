#include "platform/fake/recording_audio.h"

namespace platform::fake {

AudioOpenResult RecordingAudio::Open() {
  log_.push_back("open");
  return openAnswer;
}

AudioBufferId RecordingAudio::CreateBuffer(const PcmFormat& format,
                                           std::span<const uint8_t> samples) {
  log_.push_back("create buffer " + std::to_string(samples.size()) + " bytes");
  if (createsAllowed == 0) return 0;
  if (createsAllowed > 0) --createsAllowed;
  const AudioBufferId id = nextId_++;
  buffers_[id] = {format, {samples.begin(), samples.end()}, {}};
  return id;
}

AudioBufferId RecordingAudio::DuplicateBuffer(AudioBufferId source) {
  log_.push_back("duplicate " + std::to_string(source));
  if (duplicateFails || !buffers_.contains(source)) return 0;
  const AudioBufferId id = nextId_++;
  buffers_[id] = {buffers_[source].format, buffers_[source].samples, {}};
  return id;
}

void RecordingAudio::ReleaseBuffer(AudioBufferId buffer) {
  log_.push_back("release " + std::to_string(buffer));
  buffers_.erase(buffer);
}

AudioBufferStatus RecordingAudio::GetStatus(AudioBufferId buffer) {
  const auto it = buffers_.find(buffer);
  return it != buffers_.end() ? it->second.status : AudioBufferStatus{};
}

bool RecordingAudio::RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) {
  log_.push_back("restore " + std::to_string(buffer));
  if (restoreFails) return false;
  Buffer& b = buffers_[buffer];
  b.samples.assign(samples.begin(), samples.end());
  b.status.lost = false;
  return true;
}

void RecordingAudio::Play(AudioBufferId buffer) {
  log_.push_back("play " + std::to_string(buffer));
  buffers_[buffer].status.playing = true;
}

void RecordingAudio::Stop(AudioBufferId buffer) {
  log_.push_back("stop " + std::to_string(buffer));
  buffers_[buffer].status.playing = false;
}

void RecordingAudio::Rewind(AudioBufferId buffer) {
  log_.push_back("rewind " + std::to_string(buffer));
}

}  // namespace platform::fake
