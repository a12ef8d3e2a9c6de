// Sound output through DirectSound 8: each buffer is a DirectSound secondary
// buffer, and DirectSound mixes the ones that play.
//
// DirectSound ties its cooperative level to a window. The output is made
// before the program's window, so it hands DirectSound the desktop window:
// it always exists, needs no message loop, and is never destroyed under the
// device. The window only decides which buffers fall silent when another
// program has the focus, and every buffer here plays with global focus.
//
// A buffer played once stops at its end with its play position at the end
// or at 0, as the driver has it. The output remembers which buffers it
// started and, when it next looks at one (GetStatus, Play, Stop) and finds
// it stopped by itself, sets its position back to 0.
//
// All calls come from one thread, the program's main thread; DirectSound's
// own mixing thread runs beside it.
#pragma once

#include <dsound.h>
#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>

#include "platform/audio.h"

namespace platform::win32 {

// The DirectSound form of `format`, when DirectSound plays it: integer PCM,
// 8 or 16 bits, mono or stereo, 100 to 200,000 frames a second, and a block
// of one sample of each channel. The bytes per second are worked out from
// these rather than taken from `format`.
std::optional<WAVEFORMATEX> DirectSoundFormat(const PcmFormat& format);

// The size of a buffer for `sampleBytes` bytes of samples in `format`: whole
// frames only; 0 when that is below DirectSound's smallest buffer (4 bytes)
// or above its largest.
DWORD DirectSoundBufferBytes(const WAVEFORMATEX& format, size_t sampleBytes);

class DirectSoundOutput final : public AudioOutput {
 public:
  DirectSoundOutput() = default;
  // Releases every buffer, then the device.
  ~DirectSoundOutput() override = default;
  DirectSoundOutput(const DirectSoundOutput&) = delete;
  DirectSoundOutput& operator=(const DirectSoundOutput&) = delete;

  // Opens the default device at the priority level; at the normal level
  // when that is refused (OpenedSharingRefused). NoDevice when there is no
  // device or it takes neither level.
  AudioOpenResult Open() override;
  // 0 before a successful Open, and for formats and sizes the two helpers
  // above refuse. A partial frame at the end is left out.
  AudioBufferId CreateBuffer(const PcmFormat& format, std::span<const uint8_t> samples) override;
  AudioBufferId DuplicateBuffer(AudioBufferId source) override;
  void ReleaseBuffer(AudioBufferId buffer) override;
  AudioBufferStatus GetStatus(AudioBufferId buffer) override;
  // Samples beyond the buffer's size are left out; a shorter tail is
  // silence.
  bool RestoreBuffer(AudioBufferId buffer, std::span<const uint8_t> samples) override;
  void Play(AudioBufferId buffer) override;
  void Stop(AudioBufferId buffer) override;
  void Rewind(AudioBufferId buffer) override;

 private:
  struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
  };
  template <typename T>
  using ComPtr = std::unique_ptr<T, ComRelease>;

  struct Buffer {
    ComPtr<IDirectSoundBuffer> sound;
    uint8_t silence = 0;   // the byte of a silent sample
    bool started = false;  // played by Play and not yet seen stopped
  };

  AudioOpenResult OpenDevice();
  Buffer* Find(AudioBufferId buffer);
  // DirectSound's status bits, after rewinding a buffer that ended.
  DWORD StatusOf(Buffer& buffer);
  static bool Fill(Buffer& buffer, std::span<const uint8_t> samples);
  AudioBufferId Add(Buffer buffer);

  std::optional<AudioOpenResult> opened_;
  // Declared before the buffers, so that they are released first.
  ComPtr<IDirectSound8> device_;
  std::map<AudioBufferId, Buffer> buffers_;
  AudioBufferId nextId_ = 1;
};

}  // namespace platform::win32
