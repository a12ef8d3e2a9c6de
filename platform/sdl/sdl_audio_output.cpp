#include "platform/sdl/sdl_audio_output.h"

#include <algorithm>
#include <limits>

namespace platform::sdl {
namespace {

// Holds SDL's lock on the device, so the mixer does not run meanwhile.
class DeviceLock {
 public:
  explicit DeviceLock(SDL_AudioDeviceID device) : device_(device) { SDL_LockAudioDevice(device_); }
  ~DeviceLock() { SDL_UnlockAudioDevice(device_); }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

 private:
  SDL_AudioDeviceID device_;
};

SDL_AudioFormat SdlFormatOf(const PcmFormat& format) {
  return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

}  // namespace

SdlAudioOutput::SdlAudioOutput(int samplesPerSecond, int channels)
    : wantedRate_(samplesPerSecond), wantedChannels_(channels) {}

SdlAudioOutput::~SdlAudioOutput() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

AudioOpenResult SdlAudioOutput::Open() {
  if (tried_) return device_ != 0 ? AudioOpenResult::Opened : AudioOpenResult::NoDevice;
  tried_ = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    SDL_Log("No sound: %s", SDL_GetError());
    return AudioOpenResult::NoDevice;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = wantedRate_;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = static_cast<Uint8>(wantedChannels_);
  // About 12 ms at 44.1 kHz: a click follows the mouse without a lag.
  wanted.samples = 512;
  wanted.callback = &SdlAudioOutput::MixCallback;
  wanted.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware takes, so the
  // mixer always works in the format asked for.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained_, 0);
  if (device_ == 0) {
    SDL_Log("No sound: %s", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return AudioOpenResult::NoDevice;
  }
  sums_.assign(static_cast<size_t>(obtained_.samples) * obtained_.channels, 0);
  SDL_PauseAudioDevice(device_, 0);
  return AudioOpenResult::Opened;
}

std::shared_ptr<const SdlAudioOutput::Samples> SdlAudioOutput::Convert(
    const PcmFormat& format, std::span<const uint8_t> samples) const {
  if (samples.empty() || samples.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
    return nullptr;
  }
  SDL_AudioStream* stream =
      SDL_NewAudioStream(SdlFormatOf(format), static_cast<Uint8>(format.channels),
                         static_cast<int>(format.samplesPerSecond), obtained_.format,
                         obtained_.channels, obtained_.freq);
  if (stream == nullptr) return nullptr;
  auto converted = std::make_shared<Samples>();
  if (SDL_AudioStreamPut(stream, samples.data(), static_cast<int>(samples.size())) == 0 &&
      SDL_AudioStreamFlush(stream) == 0) {
    converted->resize(static_cast<size_t>(SDL_AudioStreamAvailable(stream)) / sizeof(int16_t));
    const int bytes = static_cast<int>(converted->size() * sizeof(int16_t));
    if (SDL_AudioStreamGet(stream, converted->data(), bytes) != bytes) converted->clear();
  }
  SDL_FreeAudioStream(stream);
  if (converted->empty()) return nullptr;
  return converted;
}

AudioBufferId SdlAudioOutput::Add(Voice voice) {
  DeviceLock lock(device_);
  const AudioBufferId id = nextId_++;
  voices_.emplace(id, std::move(voice));
  return id;
}

AudioBufferId SdlAudioOutput::CreateBuffer(const PcmFormat& format,
                                           std::span<const uint8_t> samples) {
  if (device_ == 0) return 0;
  Voice voice;
  voice.format = format;
  voice.samples = Convert(format, samples);
  if (voice.samples == nullptr) return 0;
  return Add(std::move(voice));
}

AudioBufferId SdlAudioOutput::DuplicateBuffer(AudioBufferId source) {
  if (device_ == 0) return 0;
  Voice copy;
  {
    DeviceLock lock(device_);
    const auto it = voices_.find(source);
    if (it == voices_.end()) return 0;
    copy.format = it->second.format;
    copy.samples = it->second.samples;
  }
  return Add(std::move(copy));
}

void SdlAudioOutput::ReleaseBuffer(AudioBufferId buffer) {
  if (device_ == 0) return;
  DeviceLock lock(device_);
  voices_.erase(buffer);
}

AudioBufferStatus SdlAudioOutput::GetStatus(AudioBufferId buffer) {
  if (device_ == 0) return {};
  DeviceLock lock(device_);
  const auto it = voices_.find(buffer);
  return {it != voices_.end() && it->second.playing, false};
}

bool SdlAudioOutput::RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) {
  if (device_ == 0) return false;
  PcmFormat format;
  {
    DeviceLock lock(device_);
    const auto it = voices_.find(buffer);
    if (it == voices_.end()) return false;
    format = it->second.format;
  }
  std::shared_ptr<const Samples> converted = Convert(format, samples);
  if (converted == nullptr) return false;
  DeviceLock lock(device_);
  const auto it = voices_.find(buffer);
  if (it == voices_.end()) return false;
  it->second.samples = std::move(converted);
  it->second.position = std::min(it->second.position, it->second.samples->size());
  return true;
}

void SdlAudioOutput::Play(AudioBufferId buffer) {
  if (device_ == 0) return;
  DeviceLock lock(device_);
  const auto it = voices_.find(buffer);
  if (it != voices_.end()) it->second.playing = true;
}

void SdlAudioOutput::Stop(AudioBufferId buffer) {
  if (device_ == 0) return;
  DeviceLock lock(device_);
  const auto it = voices_.find(buffer);
  if (it != voices_.end()) it->second.playing = false;
}

void SdlAudioOutput::Rewind(AudioBufferId buffer) {
  if (device_ == 0) return;
  DeviceLock lock(device_);
  const auto it = voices_.find(buffer);
  if (it != voices_.end()) it->second.position = 0;
}

void SdlAudioOutput::MixCallback(void* self, Uint8* stream, int bytes) {
  static_cast<SdlAudioOutput*>(self)->Mix(reinterpret_cast<int16_t*>(stream),
                                          static_cast<size_t>(bytes) / sizeof(int16_t));
}

// Runs on SDL's audio thread with the device locked.
void SdlAudioOutput::Mix(int16_t* out, size_t count) {
  // SDL hands the callback at most the buffer it opened with; anything
  // beyond the sums' room stays silent rather than growing them here.
  const size_t mixed = std::min(count, sums_.size());
  std::fill(sums_.begin(), sums_.begin() + static_cast<std::ptrdiff_t>(mixed), 0);
  for (auto& [id, voice] : voices_) {
    if (!voice.playing) continue;
    const Samples& samples = *voice.samples;
    const size_t take = std::min(mixed, samples.size() - voice.position);
    for (size_t i = 0; i < take; ++i) sums_[i] += samples[voice.position + i];
    voice.position += take;
    // The end reached: the buffer stops and starts from the beginning next
    // time.
    if (voice.position >= samples.size()) {
      voice.playing = false;
      voice.position = 0;
    }
  }
  for (size_t i = 0; i < mixed; ++i) {
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(sums_[i], -32768, 32767));
  }
  std::fill(out + mixed, out + count, int16_t{0});
}

}  // namespace platform::sdl
