#include "sound/wav_walk.h"

#include <algorithm>
#include <cstring>

namespace sound {
namespace {

constexpr size_t kChunkHeaderBytes = 8;
constexpr uint32_t kShortestFormatChunk = 14;  // the format structure without its sample size
constexpr uint32_t kFullFormatChunk = 16;
constexpr uint16_t kIntegerPcm = 1;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IsTag(const uint8_t* p, const char (&tag)[5]) { return std::memcmp(p, tag, 4) == 0; }

platform::PcmFormat ReadFormat(const uint8_t* p, uint32_t size) {
  platform::PcmFormat format;
  format.formatTag = ReadU16(p);
  format.channels = ReadU16(p + 2);
  format.samplesPerSecond = ReadU32(p + 4);
  format.averageBytesPerSecond = ReadU32(p + 8);
  format.blockAlign = ReadU16(p + 12);
  if (size >= kFullFormatChunk) {
    format.bitsPerSample = ReadU16(p + 14);
  } else if (format.channels != 0) {
    // The short form has no sample size; PCM frames are packed, so the
    // frame size tells it.
    format.bitsPerSample = static_cast<uint16_t>(format.blockAlign * 8 / format.channels);
  }
  return format;
}

WavWalk Refuse(const char16_t* text) {
  WavWalk walk;
  walk.message = SoundMessage{text, u"2"};
  return walk;
}

}  // namespace

bool IsPlayablePcm(const platform::PcmFormat& format) {
  return format.formatTag == kIntegerPcm && (format.channels == 1 || format.channels == 2) &&
         format.samplesPerSecond >= 100 && format.samplesPerSecond <= 200000 &&
         (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
         format.blockAlign == format.channels * format.bitsPerSample / 8;
}

WavWalk WalkWav(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || !IsTag(bytes.data(), "RIFF")) return Refuse(u"not even RIFF");
  if (bytes.size() < 12 || !IsTag(bytes.data() + 8, "WAVE")) return Refuse(u"not a WAV");
  const uint64_t riffEnd = uint64_t{ReadU32(bytes.data() + 4)} + kChunkHeaderBytes;

  const uint8_t* formatChunk = nullptr;
  uint32_t formatSize = 0;
  std::span<const uint8_t> data;
  bool dataFound = false;
  uint64_t position = 12;
  while (position < riffEnd && position + kChunkHeaderBytes <= bytes.size()) {
    const uint8_t* header = bytes.data() + position;
    const uint32_t size = ReadU32(header + 4);
    const uint64_t body = position + kChunkHeaderBytes;
    if (formatChunk == nullptr && IsTag(header, "fmt ")) {
      if (size < kShortestFormatChunk || body + size > bytes.size()) return {};
      formatChunk = bytes.data() + body;
      formatSize = size;
    } else if (!dataFound && IsTag(header, "data")) {
      const uint64_t available = bytes.size() - body;
      data = bytes.subspan(body, static_cast<size_t>(std::min<uint64_t>(size, available)));
      dataFound = true;
    }
    if (formatChunk != nullptr && dataFound) break;
    position = body + size + (size & 1u);
  }
  if (formatChunk == nullptr || !dataFound) return {};

  WavWalk walk;
  walk.format = ReadFormat(formatChunk, formatSize);
  if (!IsPlayablePcm(walk.format)) return {};
  const size_t frames = data.size() / walk.format.blockAlign;
  if (frames == 0) return {};
  walk.samples = data.first(frames * walk.format.blockAlign);
  walk.ok = true;
  return walk;
}

}  // namespace sound
