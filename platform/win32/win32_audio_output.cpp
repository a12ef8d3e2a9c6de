#include "platform/win32/win32_audio_output.h"

#include <algorithm>
#include <cstring>

namespace platform::win32 {
namespace {

// Copies what fits of `rest` into one part of a locked buffer, fills the
// remainder with silence and moves `rest` past what was copied.
void CopyIntoPart(void* part, DWORD partBytes, std::span<const uint8_t>& rest, uint8_t silence) {
  if (part == nullptr) return;
  const size_t copied = std::min<size_t>(partBytes, rest.size());
  std::memcpy(part, rest.data(), copied);
  std::memset(static_cast<uint8_t*>(part) + copied, silence, partBytes - copied);
  rest = rest.subspan(copied);
}

}  // namespace

std::optional<WAVEFORMATEX> DirectSoundFormat(const PcmFormat& format) {
  const bool playable =
      format.formatTag == WAVE_FORMAT_PCM && (format.channels == 1 || format.channels == 2) &&
      (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
      format.samplesPerSecond >= DSBFREQUENCY_MIN && format.samplesPerSecond <= DSBFREQUENCY_MAX &&
      format.blockAlign == format.channels * format.bitsPerSample / 8;
  if (!playable) return std::nullopt;
  WAVEFORMATEX wave{};
  wave.wFormatTag = WAVE_FORMAT_PCM;
  wave.nChannels = format.channels;
  wave.nSamplesPerSec = format.samplesPerSecond;
  wave.nBlockAlign = format.blockAlign;
  wave.nAvgBytesPerSec = format.samplesPerSecond * format.blockAlign;
  wave.wBitsPerSample = format.bitsPerSample;
  return wave;
}

DWORD DirectSoundBufferBytes(const WAVEFORMATEX& format, size_t sampleBytes) {
  if (format.nBlockAlign == 0) return 0;
  const size_t bytes = sampleBytes - sampleBytes % format.nBlockAlign;
  if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX) return 0;
  return static_cast<DWORD>(bytes);
}

AudioOpenResult DirectSoundOutput::Open() {
  if (!opened_) opened_ = OpenDevice();
  return *opened_;
}

AudioOpenResult DirectSoundOutput::OpenDevice() {
  IDirectSound8* device = nullptr;
  if (FAILED(DirectSoundCreate8(nullptr, &device, nullptr)) || device == nullptr) {
    return AudioOpenResult::NoDevice;
  }
  ComPtr<IDirectSound8> owned(device);
  const HWND window = GetDesktopWindow();
  AudioOpenResult result = AudioOpenResult::Opened;
  if (FAILED(device->SetCooperativeLevel(window, DSSCL_PRIORITY))) {
    if (FAILED(device->SetCooperativeLevel(window, DSSCL_NORMAL))) return AudioOpenResult::NoDevice;
    result = AudioOpenResult::OpenedSharingRefused;
  }
  device_ = std::move(owned);
  return result;
}

DirectSoundOutput::Buffer* DirectSoundOutput::Find(AudioBufferId buffer) {
  const auto it = buffers_.find(buffer);
  return it == buffers_.end() ? nullptr : &it->second;
}

AudioBufferId DirectSoundOutput::Add(Buffer buffer) {
  const AudioBufferId id = nextId_++;
  buffers_.emplace(id, std::move(buffer));
  return id;
}

DWORD DirectSoundOutput::StatusOf(Buffer& buffer) {
  DWORD status = 0;
  if (FAILED(buffer.sound->GetStatus(&status))) return 0;
  // Tried again on the next look while the position cannot be set (a lost
  // buffer).
  if (buffer.started && (status & DSBSTATUS_PLAYING) == 0 &&
      SUCCEEDED(buffer.sound->SetCurrentPosition(0))) {
    buffer.started = false;
  }
  return status;
}

bool DirectSoundOutput::Fill(Buffer& buffer, std::span<const uint8_t> samples) {
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0;
  DWORD secondBytes = 0;
  if (FAILED(buffer.sound->Lock(0, 0, &first, &firstBytes, &second, &secondBytes,
                                DSBLOCK_ENTIREBUFFER))) {
    return false;
  }
  CopyIntoPart(first, firstBytes, samples, buffer.silence);
  CopyIntoPart(second, secondBytes, samples, buffer.silence);
  return SUCCEEDED(buffer.sound->Unlock(first, firstBytes, second, secondBytes));
}

AudioBufferId DirectSoundOutput::CreateBuffer(const PcmFormat& format,
                                              std::span<const uint8_t> samples) {
  if (device_ == nullptr) return 0;
  std::optional<WAVEFORMATEX> wave = DirectSoundFormat(format);
  if (!wave) return 0;
  DSBUFFERDESC description{};
  description.dwSize = sizeof(description);
  description.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS;
  description.dwBufferBytes = DirectSoundBufferBytes(*wave, samples.size());
  description.lpwfxFormat = &*wave;
  if (description.dwBufferBytes == 0) return 0;
  IDirectSoundBuffer* sound = nullptr;
  if (FAILED(device_->CreateSoundBuffer(&description, &sound, nullptr)) || sound == nullptr) {
    return 0;
  }
  // Unsigned 8-bit samples are silent at the middle of their range.
  Buffer buffer{ComPtr<IDirectSoundBuffer>(sound),
                wave->wBitsPerSample == 8 ? uint8_t{0x80} : uint8_t{0}};
  if (!Fill(buffer, samples)) return 0;
  return Add(std::move(buffer));
}

AudioBufferId DirectSoundOutput::DuplicateBuffer(AudioBufferId source) {
  const Buffer* original = Find(source);
  if (original == nullptr) return 0;
  IDirectSoundBuffer* sound = nullptr;
  if (FAILED(device_->DuplicateSoundBuffer(original->sound.get(), &sound)) || sound == nullptr) {
    return 0;
  }
  Buffer copy{ComPtr<IDirectSoundBuffer>(sound), original->silence};
  // Stopped at the beginning, whatever the original is doing.
  copy.sound->Stop();
  copy.sound->SetCurrentPosition(0);
  return Add(std::move(copy));
}

void DirectSoundOutput::ReleaseBuffer(AudioBufferId buffer) {
  const auto it = buffers_.find(buffer);
  if (it == buffers_.end()) return;
  it->second.sound->Stop();
  buffers_.erase(it);
}

AudioBufferStatus DirectSoundOutput::GetStatus(AudioBufferId buffer) {
  Buffer* found = Find(buffer);
  if (found == nullptr) return {};
  const DWORD status = StatusOf(*found);
  return {(status & DSBSTATUS_PLAYING) != 0, (status & DSBSTATUS_BUFFERLOST) != 0};
}

bool DirectSoundOutput::RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) {
  Buffer* found = Find(buffer);
  if (found == nullptr || FAILED(found->sound->Restore())) return false;
  return Fill(*found, samples);
}

void DirectSoundOutput::Play(AudioBufferId buffer) {
  Buffer* found = Find(buffer);
  if (found == nullptr) return;
  StatusOf(*found);
  if (SUCCEEDED(found->sound->Play(0, 0, 0))) found->started = true;
}

void DirectSoundOutput::Stop(AudioBufferId buffer) {
  Buffer* found = Find(buffer);
  if (found == nullptr) return;
  // A buffer that has ended is rewound first, as if it had been seen then.
  StatusOf(*found);
  found->sound->Stop();
  found->started = false;
}

void DirectSoundOutput::Rewind(AudioBufferId buffer) {
  Buffer* found = Find(buffer);
  if (found != nullptr) found->sound->SetCurrentPosition(0);
}

}  // namespace platform::win32
