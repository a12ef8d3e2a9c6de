// WAV files assembled chunk by chunk for the tests, with sizes that may lie.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sound_test {

struct Chunk {
  std::string id;
  std::string body;
  std::optional<uint32_t> size = std::nullopt;  // written instead of the body's length
};

inline std::string U16(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

inline std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }

// A "fmt " chunk body of `bytes` bytes (14 leaves out the sample size).
inline std::string FmtBody(uint32_t channels, uint32_t rate, uint32_t bits, uint32_t tag = 1,
                           size_t bytes = 16) {
  const uint32_t align = channels * bits / 8;
  std::string body =
      U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits);
  body.resize(bytes, '\0');
  return body;
}

inline Chunk Fmt16Mono() { return {"fmt ", FmtBody(1, 44100, 16)}; }

// Each chunk is followed by a pad byte when its body's length is odd.
inline std::string Riff(const std::vector<Chunk>& chunks, std::optional<uint32_t> riffSize = {},
                        const std::string& form = "WAVE") {
  std::string content = form;
  for (const Chunk& c : chunks) {
    content += c.id + U32(c.size.value_or(static_cast<uint32_t>(c.body.size()))) + c.body;
    if (c.body.size() % 2 != 0) content += '\0';
  }
  return "RIFF" + U32(riffSize.value_or(static_cast<uint32_t>(content.size()))) + content;
}

inline std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace sound_test
