#include "lang/archive_container.h"

#include <array>
#include <string_view>

#include "lang/lzari.h"

namespace lang {
namespace {

constexpr uint8_t kScrambleKey = 0x5A;

// The marker core, stored only in scrambled form.
template <size_t N>
consteval std::array<uint8_t, N - 1> Scramble(const char (&text)[N]) {
  std::array<uint8_t, N - 1> out{};
  for (size_t i = 0; i + 1 < N; ++i) out[i] = static_cast<uint8_t>(text[i] ^ kScrambleKey);
  return out;
}

constexpr auto kScrambledCore = Scramble("SDSGDGSDHREETETBCNMJUKR");

// Read through a volatile so that the compiler cannot fold the marker back
// into a literal.
volatile uint8_t unscrambleKey = kScrambleKey;

std::string MarkerCore() {
  std::string core(kScrambledCore.size(), '\0');
  const uint8_t key = unscrambleKey;
  for (size_t i = 0; i < core.size(); ++i) core[i] = static_cast<char>(kScrambledCore[i] ^ key);
  return core;
}

const uint8_t* Find(std::span<const uint8_t> haystack, std::string_view needle) {
  if (needle.empty()) return nullptr;
  const std::string_view bytes(reinterpret_cast<const char*>(haystack.data()), haystack.size());
  const size_t pos = bytes.find(needle);
  return pos == std::string_view::npos ? nullptr : haystack.data() + pos;
}

}  // namespace

std::string ArchiveStartMarker() {
  return "\n<!- " + std::string(6, '-') + MarkerCore() + std::string(10, '-') + "\n";
}

std::string ArchiveEndMarker() {
  return "\n" + std::string(7, '-') + MarkerCore() + std::string(8, '-') + " -->\n";
}

std::optional<std::span<const uint8_t>> FindArchivePayload(std::span<const uint8_t> file) {
  const std::string start = ArchiveStartMarker();
  const std::string end = ArchiveEndMarker();
  const uint8_t* startHit = Find(file, start);
  const uint8_t* endHit = Find(file, end);
  if (startHit == nullptr || endHit == nullptr) return std::nullopt;
  const uint8_t* payload = startHit + start.size();
  if (endHit < payload) return std::nullopt;
  return std::span<const uint8_t>(payload, static_cast<size_t>(endHit - payload));
}

bool DecodeArchivePayload(std::span<const uint8_t> payload, std::vector<uint8_t>& decoded) {
  decoded.clear();
  if (payload.size() < 4) return false;
  const size_t length = static_cast<size_t>(payload[0]) | static_cast<size_t>(payload[1]) << 8 |
                        static_cast<size_t>(payload[2]) << 16 |
                        static_cast<size_t>(payload[3]) << 24;
  return LzariDecode(payload.subspan(4), length, decoded);
}

size_t FindFirst(std::span<const uint8_t> haystack, std::string_view needle) {
  const uint8_t* hit = Find(haystack, needle);
  return hit != nullptr ? static_cast<size_t>(hit - haystack.data()) : haystack.size();
}

size_t CountOccurrences(std::span<const uint8_t> haystack, std::string_view needle) {
  size_t count = 0;
  while (const uint8_t* hit = Find(haystack, needle)) {
    ++count;
    haystack = haystack.subspan(static_cast<size_t>(hit - haystack.data()) + 1);
  }
  return count;
}

}  // namespace lang
