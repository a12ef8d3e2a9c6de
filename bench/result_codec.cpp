#include "bench/result_codec.h"

#include <algorithm>
#include <array>

namespace bench {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> BuildDecodeTable() {
  std::array<int, 256> table{};
  table.fill(-1);
  for (size_t i = 0; i < kAlphabet.size(); ++i)
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  return table;
}

constexpr std::array<int, 256> kDecode = BuildDecodeTable();

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = static_cast<uint8_t>(bytes[i]) << 16 |
                       static_cast<uint8_t>(bytes[i + 1]) << 8 | static_cast<uint8_t>(bytes[i + 2]);
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += kAlphabet[v >> 6 & 63];
    out += kAlphabet[v & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    uint32_t v = static_cast<uint8_t>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    out += '=';
  }
  return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    int padding = 0;
    uint32_t v = 0;
    for (size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      if (c == '=') {
        // Padding only closes the last group, at most two characters of it.
        if (!last || k < 2) return std::nullopt;
        ++padding;
        v <<= 6;
        continue;
      }
      const int digit = kDecode[static_cast<unsigned char>(c)];
      if (digit < 0 || padding > 0) return std::nullopt;
      v = v << 6 | static_cast<uint32_t>(digit);
    }
    out += static_cast<char>(v >> 16 & 0xFF);
    if (padding < 2) out += static_cast<char>(v >> 8 & 0xFF);
    if (padding < 1) out += static_cast<char>(v & 0xFF);
  }
  return out;
}

std::string FlattenRecord(std::string_view record) {
  std::string out;
  out.reserve(record.size());
  for (const char c : record) {
    switch (c) {
      case '=':
        out += '-';
        break;
      case ':':
        out += '=';
        break;
      case '&':
      case '\r':
        break;
      case '\n':
        out += '&';
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string EncodeFlattenedRecord(std::string_view flattened) {
  std::string inner = Base64Encode(flattened);
  std::reverse(inner.begin(), inner.end());
  return Base64Encode(inner);
}

std::optional<std::string> DecodeFlattenedRecord(std::string_view encoded) {
  auto reversed = Base64Decode(encoded);
  if (!reversed) return std::nullopt;
  std::reverse(reversed->begin(), reversed->end());
  return Base64Decode(*reversed);
}

}  // namespace bench
