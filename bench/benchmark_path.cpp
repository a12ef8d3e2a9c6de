#include "bench/benchmark_path.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace bench {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the path is read and written in the machine's byte order");

template <typename T>
T ReadAt(std::span<const uint8_t> bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

template <typename T>
void Append(std::vector<uint8_t>& out, T value) {
  uint8_t raw[sizeof value];
  std::memcpy(raw, &value, sizeof value);
  out.insert(out.end(), raw, raw + sizeof raw);
}

bool IsFinite(const Keyframe& k) {
  return std::isfinite(k.x) && std::isfinite(k.y) && std::isfinite(k.z) && std::isfinite(k.yaw) &&
         std::isfinite(k.pitch) && std::isfinite(k.yaw2) && std::isfinite(k.timeMs);
}

PathLoadResult Refuse(std::string error) { return {0, std::move(error)}; }

}  // namespace

PathLoadResult LoadBenchmarkPath(std::span<const uint8_t> bytes, std::vector<Keyframe>& keyframes) {
  const size_t size = bytes.size();
  if (size < kPathHeaderBytes || (size - kPathHeaderBytes) % kKeyframeBytes != 0) {
    return Refuse("camera path: " + std::to_string(size) +
                  " bytes is not a 4-byte header and whole 32-byte keyframes");
  }
  const size_t count = (size - kPathHeaderBytes) / kKeyframeBytes;
  if (count < 2) return Refuse("camera path: fewer than two keyframes");
  std::vector<Keyframe> read(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kPathHeaderBytes + i * kKeyframeBytes;
    Keyframe& k = read[i];
    k.x = ReadAt<float>(bytes, at);
    k.y = ReadAt<float>(bytes, at + 4);
    k.z = ReadAt<float>(bytes, at + 8);
    k.yaw = ReadAt<float>(bytes, at + 12);
    k.pitch = ReadAt<float>(bytes, at + 16);
    k.yaw2 = ReadAt<float>(bytes, at + 20);
    k.timeMs = ReadAt<double>(bytes, at + 24);
    if (!IsFinite(k)) {
      return Refuse("camera path: keyframe " + std::to_string(i) + " is not a finite pose");
    }
    if (i > 0 && !(k.timeMs > read[i - 1].timeMs)) {
      return Refuse("camera path: keyframe " + std::to_string(i) + " does not come after " +
                    std::to_string(i - 1));
    }
  }
  keyframes.insert(keyframes.end(), read.begin(), read.end());
  return {static_cast<int>(count), {}};
}

std::vector<uint8_t> EncodeBenchmarkPath(const std::vector<Keyframe>& keyframes) {
  std::vector<uint8_t> out(kPathHeaderBytes, 0);
  out.reserve(kPathHeaderBytes + keyframes.size() * kKeyframeBytes);
  for (const Keyframe& k : keyframes) {
    for (const float f : {k.x, k.y, k.z, k.yaw, k.pitch, k.yaw2}) Append(out, f);
    Append(out, k.timeMs);
  }
  return out;
}

}  // namespace bench
