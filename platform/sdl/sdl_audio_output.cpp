#include "platform/sdl/sdl_audio_output.h"

#include <algorithm>
#include <limits>

namespace platform::sdl {
namespace {

SDL_AudioFormat SdlFormatOf(const PcmFormat& format) {
  return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

bool CanConvert(const PcmFormat& format, std::span<const uint8_t> samples) {
  return format.formatTag == 1 && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
         format.channels >= 1 && format.channels <= 8 && format.samplesPerSecond > 0 &&
         format.samplesPerSecond <= static_cast<uint32_t>(std::numeric_limits<int>::max()) &&
         !samples.empty() && samples.size() <= static_cast<size_t>(std::numeric_limits<int>::max());
}

}  // namespace

SdlAudioOutput::SdlAudioOutput(int samplesPerSecond, int channels)
    : wantedRate_(samplesPerSecond), wantedChannels_(channels) {}

SdlAudioOutput::~SdlAudioOutput() {
  WaitForDevice();
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (driverStarted_) SDL_AudioQuit();
}

AudioOpenResult SdlAudioOutput::Open() {
  if (!openStarted_) {
    openStarted_ = true;
    opener_ = SDL_CreateThread(&SdlAudioOutput::OpenerMain, "mg-audio-open", this);
    if (opener_ == nullptr) OpenDevice();  // no thread to spare: open here
  }
  return AudioOpenResult::Opened;
}

bool SdlAudioOutput::WaitForDevice() {
  if (opener_ != nullptr) {
    SDL_WaitThread(opener_, nullptr);
    opener_ = nullptr;
  }
  return device_ != 0;
}

int SdlAudioOutput::OpenerMain(void* self) {
  static_cast<SdlAudioOutput*>(self)->OpenDevice();
  return 0;
}

void SdlAudioOutput::OpenDevice() {
  // The driver named by SDL_AUDIODRIVER, else the first that starts.
  if (SDL_AudioInit(nullptr) != 0) {
    SDL_Log("No sound: %s", SDL_GetError());
    return;
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
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained_, 0);
  if (device == 0) {
    SDL_Log("No sound: %s", SDL_GetError());
    SDL_AudioQuit();
    return;
  }
  driverStarted_ = true;
  device_ = device;
  sums_.assign(static_cast<size_t>(obtained_.samples) * obtained_.channels, 0);
  SDL_PauseAudioDevice(device_, 0);
}

std::shared_ptr<const SdlAudioOutput::Samples> SdlAudioOutput::Convert(const PcmFormat& format,
                                                                       const Bytes& given) const {
  SDL_AudioStream* stream =
      SDL_NewAudioStream(SdlFormatOf(format), static_cast<Uint8>(format.channels),
                         static_cast<int>(format.samplesPerSecond), obtained_.format,
                         obtained_.channels, obtained_.freq);
  if (stream == nullptr) return nullptr;
  auto converted = std::make_shared<Samples>();
  if (SDL_AudioStreamPut(stream, given.data(), static_cast<int>(given.size())) == 0 &&
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
  std::lock_guard lock(voicesMutex_);
  const AudioBufferId id = nextId_++;
  voices_.emplace(id, std::move(voice));
  return id;
}

AudioBufferId SdlAudioOutput::CreateBuffer(const PcmFormat& format,
                                           std::span<const uint8_t> samples) {
  if (!CanConvert(format, samples)) return 0;
  Voice voice;
  voice.format = format;
  voice.given = std::make_shared<const Bytes>(samples.begin(), samples.end());
  return Add(std::move(voice));
}

AudioBufferId SdlAudioOutput::DuplicateBuffer(AudioBufferId source) {
  Voice copy;
  {
    std::lock_guard lock(voicesMutex_);
    const auto it = voices_.find(source);
    if (it == voices_.end()) return 0;
    copy.format = it->second.format;
    copy.given = it->second.given;
    copy.samples = it->second.samples;
  }
  return Add(std::move(copy));
}

void SdlAudioOutput::ReleaseBuffer(AudioBufferId buffer) {
  std::lock_guard lock(voicesMutex_);
  voices_.erase(buffer);
}

AudioBufferStatus SdlAudioOutput::GetStatus(AudioBufferId buffer) {
  std::lock_guard lock(voicesMutex_);
  const auto it = voices_.find(buffer);
  return {it != voices_.end() && it->second.playing, false};
}

bool SdlAudioOutput::RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) {
  PcmFormat format;
  bool converted = false;
  {
    std::lock_guard lock(voicesMutex_);
    const auto it = voices_.find(buffer);
    if (it == voices_.end()) return false;
    format = it->second.format;
    converted = it->second.samples != nullptr;
  }
  if (!CanConvert(format, samples)) return false;
  auto given = std::make_shared<const Bytes>(samples.begin(), samples.end());
  // A buffer that has played before is converted again now: it was played,
  // so the device is open and the opening thread done.
  std::shared_ptr<const Samples> again;
  if (converted) {
    again = Convert(format, *given);
    if (again == nullptr) return false;
  }
  std::lock_guard lock(voicesMutex_);
  const auto it = voices_.find(buffer);
  if (it == voices_.end()) return false;
  Voice& voice = it->second;
  voice.given = std::move(given);
  voice.samples = std::move(again);
  if (voice.samples == nullptr) {
    voice.playing = false;
    voice.position = 0;
  } else {
    voice.position = std::min(voice.position, voice.samples->size());
  }
  return true;
}

void SdlAudioOutput::Play(AudioBufferId buffer) {
  if (!WaitForDevice()) return;
  PcmFormat format;
  std::shared_ptr<const Bytes> given;
  {
    std::lock_guard lock(voicesMutex_);
    const auto it = voices_.find(buffer);
    if (it == voices_.end()) return;
    if (it->second.samples != nullptr) {
      it->second.playing = true;
      return;
    }
    format = it->second.format;
    given = it->second.given;
  }
  std::shared_ptr<const Samples> converted = Convert(format, *given);
  if (converted == nullptr) return;
  std::lock_guard lock(voicesMutex_);
  const auto it = voices_.find(buffer);
  // Released or refilled meanwhile: the new samples wait for the next play.
  if (it == voices_.end() || it->second.given != given) return;
  it->second.samples = std::move(converted);
  it->second.position = 0;
  it->second.playing = true;
}

void SdlAudioOutput::Stop(AudioBufferId buffer) {
  std::lock_guard lock(voicesMutex_);
  const auto it = voices_.find(buffer);
  if (it != voices_.end()) it->second.playing = false;
}

void SdlAudioOutput::Rewind(AudioBufferId buffer) {
  std::lock_guard lock(voicesMutex_);
  const auto it = voices_.find(buffer);
  if (it != voices_.end()) it->second.position = 0;
}

void SdlAudioOutput::MixCallback(void* self, Uint8* stream, int bytes) {
  static_cast<SdlAudioOutput*>(self)->Mix(reinterpret_cast<int16_t*>(stream),
                                          static_cast<size_t>(bytes) / sizeof(int16_t));
}

// Runs on SDL's mixing thread.
void SdlAudioOutput::Mix(int16_t* out, size_t count) {
  // SDL hands the callback at most the buffer it opened with; anything
  // beyond the sums' room stays silent rather than growing them here.
  const size_t mixed = std::min(count, sums_.size());
  std::fill(sums_.begin(), sums_.begin() + static_cast<std::ptrdiff_t>(mixed), 0);
  {
    std::lock_guard lock(voicesMutex_);
    for (auto& [id, voice] : voices_) {
      if (!voice.playing) continue;
      const Samples& samples = *voice.samples;
      const size_t take = std::min(mixed, samples.size() - voice.position);
      for (size_t i = 0; i < take; ++i) sums_[i] += samples[voice.position + i];
      voice.position += take;
      // The end reached: the buffer stops and starts from the beginning
      // next time.
      if (voice.position >= samples.size()) {
        voice.playing = false;
        voice.position = 0;
      }
    }
  }
  for (size_t i = 0; i < mixed; ++i) {
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(sums_[i], -32768, 32767));
  }
  std::fill(out + mixed, out + count, int16_t{0});
}

}  // namespace platform::sdl
